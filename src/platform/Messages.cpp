#include "platform/Messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QThread>
#include <condition_variable>
#include <list>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

// One send waiting for its answer.
struct PendingSend {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    LResult result = 0;

    void Finish(LResult value) {
        {
            std::lock_guard lock(mutex);
            if (finished)
                return;
            finished = true;
            result = value;
        }
        done.notify_all();
    }
};

struct WindowState;

class MessageEvent : public QEvent {
public:
    static QEvent::Type EventType() {
        static const int type = QEvent::registerEventType();
        return static_cast<QEvent::Type>(type);
    }
    MessageEvent(std::uint32_t message, WParam wParam, LParam lParam,
                 std::shared_ptr<PendingSend> pending)
        : QEvent(EventType()),
          message(message),
          wParam(wParam),
          lParam(lParam),
          pending(std::move(pending)) {}
    ~MessageEvent() override {
        // A send whose event is discarded unhandled still gets its answer.
        if (pending)
            pending->Finish(0);
    }

    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    std::shared_ptr<PendingSend> pending;
};

// Receives the queued events on the window's thread.
class Receiver : public QObject {
public:
    explicit Receiver(std::weak_ptr<WindowState> state) : state_(std::move(state)) {}
    bool event(QEvent* e) override;

private:
    std::weak_ptr<WindowState> state_;
};

struct WindowState {
    std::mutex mutex;
    MessageHandler handler;
    bool closing = false;
    std::list<std::weak_ptr<PendingSend>> pending;
    Receiver* receiver = nullptr;  // owned by MessageWindow's thread
    QThread* thread = nullptr;

    MessageHandler CurrentHandler() {
        std::lock_guard lock(mutex);
        return closing ? MessageHandler{} : handler;
    }
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<std::uint64_t, std::shared_ptr<WindowState>>& Registry() {
    static std::unordered_map<std::uint64_t, std::shared_ptr<WindowState>> registry;
    return registry;
}

std::uint64_t& NextId() {
    static std::uint64_t next = 1;
    return next;
}

std::shared_ptr<WindowState> Lookup(WindowHandle window) {
    std::lock_guard lock(RegistryMutex());
    auto it = Registry().find(window.id);
    return it == Registry().end() ? nullptr : it->second;
}

bool Receiver::event(QEvent* e) {
    if (e->type() != MessageEvent::EventType())
        return QObject::event(e);
    auto* message = static_cast<MessageEvent*>(e);
    LResult result = 0;
    if (auto state = state_.lock()) {
        if (MessageHandler handler = state->CurrentHandler())
            result = handler(message->message, message->wParam, message->lParam);
    }
    if (message->pending) {
        message->pending->Finish(result);
        message->pending.reset();
    }
    return true;
}

}  // namespace

MessageWindow::MessageWindow(MessageHandler handler) {
    auto state = std::make_shared<WindowState>();
    state->handler = std::move(handler);
    state->thread = QThread::currentThread();
    state->receiver = new Receiver(state);
    std::lock_guard lock(RegistryMutex());
    handle_.id = NextId()++;
    Registry().emplace(handle_.id, std::move(state));
}

MessageWindow::~MessageWindow() {
    BeginClose();
    std::shared_ptr<WindowState> state;
    {
        std::lock_guard lock(RegistryMutex());
        auto it = Registry().find(handle_.id);
        if (it != Registry().end()) {
            state = it->second;
            Registry().erase(it);
        }
    }
    // Deleting the receiver discards its queued events; each discarded send
    // is answered with 0 by the event's destructor.
    if (state)
        delete state->receiver;
}

void MessageWindow::SetHandler(MessageHandler handler) {
    if (auto state = Lookup(handle_)) {
        std::lock_guard lock(state->mutex);
        state->handler = std::move(handler);
    }
}

void MessageWindow::BeginClose() {
    auto state = Lookup(handle_);
    if (!state)
        return;
    std::list<std::weak_ptr<PendingSend>> pending;
    {
        std::lock_guard lock(state->mutex);
        state->closing = true;
        pending.swap(state->pending);
    }
    for (auto& weak : pending) {
        if (auto send = weak.lock())
            send->Finish(0);
    }
}

bool IsWindow(WindowHandle window) {
    auto state = Lookup(window);
    if (!state)
        return false;
    std::lock_guard lock(state->mutex);
    return !state->closing;
}

bool Post(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    // The registry lock keeps the receiver alive while the event is queued.
    std::lock_guard registryLock(RegistryMutex());
    auto it = Registry().find(window.id);
    if (it == Registry().end())
        return false;
    auto& state = it->second;
    {
        std::lock_guard lock(state->mutex);
        if (state->closing)
            return false;
    }
    QCoreApplication::postEvent(state->receiver, new MessageEvent(message, wParam, lParam, nullptr));
    return true;
}

LResult Send(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    auto state = Lookup(window);
    if (!state)
        return 0;
    if (state->thread == QThread::currentThread()) {
        MessageHandler handler = state->CurrentHandler();
        return handler ? handler(message, wParam, lParam) : 0;
    }
    auto pending = std::make_shared<PendingSend>();
    {
        // The registry lock keeps the receiver alive while the event is queued.
        std::lock_guard registryLock(RegistryMutex());
        if (Registry().find(window.id) == Registry().end())
            return 0;
        std::lock_guard lock(state->mutex);
        if (state->closing)
            return 0;
        state->pending.remove_if([](const std::weak_ptr<PendingSend>& p) { return p.expired(); });
        state->pending.push_back(pending);
        QCoreApplication::postEvent(state->receiver,
                                    new MessageEvent(message, wParam, lParam, pending));
    }
    std::unique_lock lock(pending->mutex);
    pending->done.wait(lock, [&] { return pending->finished; });
    return pending->result;
}

namespace {
std::mutex& NamesMutex() {
    static std::mutex mutex;
    return mutex;
}
QHash<QString, std::uint32_t>& IdsByName() {
    static QHash<QString, std::uint32_t> ids;
    return ids;
}
QHash<std::uint32_t, QString>& NamesById() {
    static QHash<std::uint32_t, QString> names;
    return names;
}
}  // namespace

std::uint32_t RegisterWindowMessage(const QString& name) {
    if (name.isEmpty())
        return 0;
    std::lock_guard lock(NamesMutex());
    auto it = IdsByName().constFind(name);
    if (it != IdsByName().cend())
        return *it;
    const std::uint32_t id = 0xC000 + static_cast<std::uint32_t>(IdsByName().size());
    IdsByName().insert(name, id);
    NamesById().insert(id, name);
    return id;
}

QString RegisteredMessageName(std::uint32_t id) {
    std::lock_guard lock(NamesMutex());
    return NamesById().value(id);
}

}  // namespace platform
