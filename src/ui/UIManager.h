// CPaintManagerUI: one per window. Owns the root control's bookkeeping:
// name lookup, notifications, control timers, DPI, resource path, the
// picture cache, the fonts table and per-class default attributes.
#pragma once

#include <QFont>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/UIDefines.h"
#include "ui/UIRender.h"

class QWidget;
class QTimer;

namespace ui {

class CControlUI;

// DPI scaling: every pixel attribute is in 96-DPI units.
class CDPI {
public:
    int GetDPI() const { return m_dpi; }
    int GetScale() const { return m_dpi * 100 / 96; }  // percent
    void SetDPI(int dpi) { m_dpi = dpi; }
    int Scale(int v) const { return (v * m_dpi + (v >= 0 ? 48 : -48)) / 96; }
    QRect Scale(const QRect& rc) const;
    QSize Scale(const QSize& sz) const { return {Scale(sz.width()), Scale(sz.height())}; }
    QPoint Scale(const QPoint& pt) const { return {Scale(pt.x()), Scale(pt.y())}; }
    TMargins Scale(const TMargins& m) const {
        return {Scale(m.left), Scale(m.top), Scale(m.right), Scale(m.bottom)};
    }
    double Factor() const { return m_dpi / 96.0; }

private:
    int m_dpi = 96;
};

struct TFontInfo {
    QString sFontName;
    int iSize = 14;  // pixels at 96 DPI
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
};

class CPaintManagerUI : public QObject {
    Q_OBJECT
public:
    CPaintManagerUI();
    ~CPaintManagerUI() override;

    // Process-wide settings.
    static void SetInstance(const QString& instancePath);
    static QString GetInstancePath();
    static void SetResourcePath(const QString& path);  // skin folder, ends with "/"
    static QString GetResourcePath();
    static void SetResourceType(int type) { s_resourceType = type; }
    static int GetResourceType() { return s_resourceType; }
    static const QVector<CPaintManagerUI*>& GetPaintManagers();

    // Binds the manager to the widget that hosts the root control.
    void Init(QWidget* host, const QString& name = QString());
    QWidget* GetPaintWindow() const { return m_host; }
    QString GetName() const { return m_name; }

    // The root: parented to the host, sized to it on every resize.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_root; }
    // Lays the tree out now (also done on resize and after NeedUpdate).
    void UpdateLayout();
    void NeedUpdate();
    bool IsUpdateNeeded() const { return m_updatePending; }
    // Called once after the first layout (the window sends "windowinit").
    void SetInitHandler(std::function<void()> handler) { m_initHandler = std::move(handler); }
    void Invalidate();

    // Window properties from the skin's <Window> element (96-DPI units).
    QSize GetInitSize() const;  // scaled
    void SetInitSize(int cx, int cy) { m_initSize = {cx, cy}; }
    QSize GetInitSizeRaw() const { return m_initSize; }
    // Caption area "l,t,r,b": from l to (width - r), from t to b (scaled).
    TMargins GetCaptionRect() const;
    void SetCaptionRect(const TMargins& rc) { m_caption = rc; }
    bool IsCaptionPoint(const QPoint& pt) const;  // root coordinates
    QSize GetMinInfo() const;
    void SetMinInfo(int cx, int cy) { m_minInfo = {cx, cy}; }
    QSize GetMaxInfo() const;
    void SetMaxInfo(int cx, int cy) { m_maxInfo = {cx, cy}; }
    QSize GetRoundCorner() const;
    void SetRoundCorner(int cx, int cy) { m_roundCorner = {cx, cy}; }
    TMargins GetSizeBox() const;
    void SetSizeBox(const TMargins& m) { m_sizeBox = m; }
    void SetWindowAttribute(const QString& name, const QString& value);

    // DPI.
    CDPI* GetDPIObj() { return &m_dpi; }
    const CDPI* GetDPIObj() const { return &m_dpi; }
    int GetDPI() const { return m_dpi.GetDPI(); }
    // Accepts 48..192 (clamped); rescales fonts and pictures and relays out.
    void SetDPI(int dpi);
    void ResetDPIAssets();
    int Scale(int v) const { return m_dpi.Scale(v); }

    // Names. The first control registered under a name wins.
    CControlUI* FindControl(const QString& name) const;
    CControlUI* FindControl(const QPoint& pt) const;
    CControlUI* FindSubControlByName(CControlUI* parent, const QString& name) const;
    CControlUI* FindSubControlByClass(CControlUI* parent, const QString& className,
                                      int index = 0) const;
    QVector<CControlUI*> FindSubControlsByClass(CControlUI* parent, const QString& className) const;
    void ReapObjects(CControlUI* control);  // a control leaves the manager
    void ReapTree(CControlUI* control);     // a control and its descendants leave it
    void NameChanged(CControlUI* control, const QString& oldName);
    void InitControls(CControlUI* control, CControlUI* parent = nullptr);

    // Option groups.
    bool AddOptionGroup(const QString& group, CControlUI* control);
    QVector<CControlUI*> GetOptionGroup(const QString& group) const;
    void RemoveOptionGroup(const QString& group, CControlUI* control);
    void RemoveAllOptionGroups();

    // Notifications.
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    // Delivers to every notifier; async queues it for the event loop (it is
    // dropped if the sender is gone by then).
    void SendNotify(TNotifyUI& msg, bool async = false);
    void SendNotify(CControlUI* control, const QString& type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    // Offers a message to the filters; true when one handled it.
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Control timers: one per (control, id); each expiry gives the control a
    // UIEVENT_TIMER with wParam = id. Repeats until killed.
    bool SetTimer(CControlUI* control, UINT timerId, UINT elapse);
    bool KillTimer(CControlUI* control, UINT timerId);
    void KillTimer(CControlUI* control);
    void RemoveAllTimers();
    bool HasTimer(CControlUI* control, UINT timerId) const;

    // Focus and capture.
    CControlUI* GetFocus() const;
    void SetFocus(CControlUI* control);

    // Pictures, cached by name (and mask). Relative names resolve against
    // the resource path; at DPI above 96 an "@2x" variant is preferred.
    TImagePtr GetImageEx(const QString& name, DWORD mask = 0);
    TImagePtr AddImage(const QString& name, const QImage& image, DWORD mask = 0);
    void RemoveImage(const QString& name);
    void RemoveAllImages();
    // Image strings are parsed once and kept.
    const TDrawInfo& GetDrawInfo(const QString& imageString);
    QString ResolveFile(const QString& name) const;

    // Fonts table: id → face/size (96-DPI pixels). -1 is the default font.
    void AddFont(int id, const QString& face, int size, bool bold = false, bool underline = false,
                 bool italic = false);
    void SetDefaultFont(const QString& face, int size, bool bold = false, bool underline = false,
                        bool italic = false);
    void RemoveAllFonts();
    QFont GetFont(int id) const;  // scaled; unknown ids give the default font
    bool HasFont(int id) const { return m_fonts.contains(id); }
    TFontInfo GetFontInfo(int id) const;
    QList<int> GetFontIds() const { return m_fonts.keys(); }

    // Default colours from the skin.
    DWORD GetDefaultFontColor() const { return m_defaultTextColor; }
    void SetDefaultFontColor(DWORD c) { m_defaultTextColor = c; }
    DWORD GetDefaultDisabledColor() const { return m_defaultDisabledColor; }
    void SetDefaultDisabledColor(DWORD c) { m_defaultDisabledColor = c; }
    DWORD GetDefaultSelectedBkColor() const { return m_defaultSelectedBkColor; }
    void SetDefaultSelectedBkColor(DWORD c) { m_defaultSelectedBkColor = c; }

    // Default attribute lists per control class tag ("Button", "Option"...)
    // applied before a control's own attributes.
    void AddDefaultAttributeList(const QString& controlName, const QString& attrList);
    QString GetDefaultAttributeList(const QString& controlName) const;
    void RemoveAllDefaultAttributeList();
    // Named styles (<Style name=... value=.../>) used by style="name".
    void AddStyle(const QString& name, const QString& attrList) { m_styles.insert(name, attrList); }
    QString GetStyle(const QString& name) const { return m_styles.value(name); }

    // Re-resolves every text of the tree (after a language change).
    void ReloadText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TimerKey {
        CControlUI* control;
        UINT id;
        bool operator==(const TimerKey&) const = default;
    };
    friend size_t qHash(const TimerKey& k, size_t seed) noexcept {
        return qHashMulti(seed, k.control, k.id);
    }
    void fireTimer(CControlUI* control, UINT id);
    void deliver(TNotifyUI& msg);

    static QString s_instancePath;
    static QString s_resourcePath;
    static int s_resourceType;

    QPointer<QWidget> m_host;
    QString m_name;
    CControlUI* m_root = nullptr;
    bool m_updatePending = false;
    bool m_firstLayout = true;
    std::function<void()> m_initHandler;
    QSize m_initSize;
    TMargins m_caption;
    QSize m_minInfo, m_maxInfo, m_roundCorner;
    TMargins m_sizeBox;
    CDPI m_dpi;
    QHash<QString, CControlUI*> m_names;
    QHash<QString, QVector<CControlUI*>> m_optionGroups;
    QVector<INotifyUI*> m_notifiers;
    QVector<IMessageFilterUI*> m_filters;
    QHash<TimerKey, QTimer*> m_timers;
    QHash<QString, TImagePtr> m_images;
    QHash<QString, TDrawInfo> m_drawInfos;
    QMap<int, TFontInfo> m_fonts;
    TFontInfo m_defaultFont{QString(), 14};
    DWORD m_defaultTextColor = 0xFFE8EAF0;
    DWORD m_defaultDisabledColor = 0xFF5A606C;
    DWORD m_defaultSelectedBkColor = 0xFF19C6E6;
    QHash<QString, QString> m_defaultAttrs;
    QHash<QString, QString> m_styles;
};

}  // namespace ui
