// Window handles and the message bridge that workers and other components use
// to reach a window's handler on the UI thread.
//
// A `MessageWindow` is the receiving end: it lives on the thread that creates
// it (the UI thread) and owns a handler. Everyone else holds its
// `WindowHandle`, a plain value that may outlive the window: sending to a
// window that is gone, or closing, returns 0 at once.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Opaque window identity; 0 is "no window".
struct WindowHandle {
    std::uint64_t id = 0;
    explicit operator bool() const { return id != 0; }
    bool operator==(const WindowHandle&) const = default;
};

using MessageHandler = std::function<LResult(std::uint32_t message, WParam wParam, LParam lParam)>;

class MessageWindow {
public:
    explicit MessageWindow(MessageHandler handler = {});
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    ~MessageWindow();

    WindowHandle Handle() const { return handle_; }
    void SetHandler(MessageHandler handler);
    // Marks the window as closing: pending and later sends return 0 at once,
    // posts are dropped. Call before waiting for workers that may send to it.
    void BeginClose();

private:
    WindowHandle handle_;
};

// Queues a message for the window's handler (FIFO per window). False when the
// window is gone or closing.
bool Post(WindowHandle window, std::uint32_t message, WParam wParam = 0, LParam lParam = 0);

// On the window's thread: calls the handler directly. From another thread:
// blocks until the window's thread has handled the message and returns the
// handler's result. Returns 0 at once when the window is gone or closing.
LResult Send(WindowHandle window, std::uint32_t message, WParam wParam = 0, LParam lParam = 0);

// True while the window exists and is not closing.
bool IsWindow(WindowHandle window);

// Process-wide table of registered messages: the same name always gives the
// same id; ids start at 0xC000. An empty name gives 0.
std::uint32_t RegisterWindowMessage(const QString& name);
// The name registered for an id, or an empty string.
QString RegisteredMessageName(std::uint32_t id);

}  // namespace platform
