// Shared fixture for the UI tests: a host widget with a paint manager, a
// notifier that records every notification, and debug-line capture.
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/Debug.h"
#include "ui/UIlib.h"

namespace uitest {

struct Recorder : ui::INotifyUI {
    struct Entry {
        QString type;
        ui::CControlUI* sender;
        ui::WPARAM wParam;
        ui::LPARAM lParam;
    };
    std::vector<Entry> entries;
    void Notify(ui::TNotifyUI& msg) override {
        entries.push_back({msg.sType, msg.pSender, msg.wParam, msg.lParam});
    }
    int Count(const QString& type, ui::CControlUI* sender = nullptr) const {
        int n = 0;
        for (const auto& e : entries)
            if (e.type == type && (sender == nullptr || e.sender == sender))
                ++n;
        return n;
    }
    QStringList Types() const {
        QStringList l;
        for (const auto& e : entries)
            l << e.type;
        return l;
    }
    void Clear() { entries.clear(); }
};

// Builds `xml` into a shown host widget of `size` (device pixels).
class Host {
public:
    explicit Host(const QString& xml, QSize size = QSize(400, 300), int dpi = 96,
                  ui::IDialogBuilderCallback* callback = nullptr) {
        widget = std::make_unique<QWidget>();
        pm = std::make_unique<ui::CPaintManagerUI>();
        pm->Init(widget.get());
        pm->SetDPI(dpi);
        ui::CDialogBuilder builder;
        root = builder.Create(xml, QString(), callback, pm.get());
        if (root)
            pm->AttachDialog(root);
        pm->AddNotifier(&recorder);
        widget->resize(size);
        widget->show();
        pm->UpdateLayout();
    }
    ~Host() {
        pm->RemoveNotifier(&recorder);
        delete root;
        root = nullptr;
    }
    template <class T = ui::CControlUI>
    T* Find(const QString& name) const {
        return dynamic_cast<T*>(pm->FindControl(name));
    }
    std::unique_ptr<QWidget> widget;
    std::unique_ptr<ui::CPaintManagerUI> pm;
    ui::CControlUI* root = nullptr;
    Recorder recorder;
};

// Captures debug lines while alive.
class DebugCapture {
public:
    DebugCapture() {
        platform::SetDebugSink([this](const QString& line) { lines << line; });
    }
    ~DebugCapture() { platform::SetDebugSink({}); }
    bool Contains(const QString& part) const {
        for (const QString& l : lines)
            if (l.contains(part))
                return true;
        return false;
    }
    QStringList lines;
};

}  // namespace uitest
