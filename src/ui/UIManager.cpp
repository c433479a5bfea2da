#include "ui/UIManager.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "platform/Folders.h"
#include "platform/Debug.h"
#include "ui/UIControl.h"
#include "ui/UIResourceManager.h"

namespace ui {

QString CPaintManagerUI::s_instancePath;
QString CPaintManagerUI::s_resourcePath;
int CPaintManagerUI::s_resourceType = 1;

namespace {
QVector<CPaintManagerUI*>& managers() {
    static QVector<CPaintManagerUI*> list;
    return list;
}
QString withSlash(QString p) {
    if (!p.isEmpty() && !p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}
}  // namespace

QRect CDPI::Scale(const QRect& rc) const {
    // Scale edges, not sizes, so adjacent rectangles stay adjacent.
    const int l = Scale(rc.left()), t = Scale(rc.top());
    const int r = Scale(rc.right() + 1), b = Scale(rc.bottom() + 1);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

CPaintManagerUI::CPaintManagerUI() {
    managers().push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
    managers().removeAll(this);
    RemoveAllTimers();
    // Controls that outlive their manager must not call into it.
    QVector<CControlUI*> known = m_names.values();
    if (m_root) {
        known.push_back(m_root);
        known += m_root->findChildren<CControlUI*>();
    }
    for (CControlUI* c : known)
        c->ForgetManager();
    if (m_host)
        m_host->removeEventFilter(this);
}

void CPaintManagerUI::SetInstance(const QString& instancePath) {
    s_instancePath = withSlash(instancePath);
}
QString CPaintManagerUI::GetInstancePath() {
    return s_instancePath;
}
void CPaintManagerUI::SetResourcePath(const QString& path) {
    s_resourcePath = withSlash(platform::NormalizeRelativePath(path));
}
QString CPaintManagerUI::GetResourcePath() {
    return s_resourcePath;
}
const QVector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers() {
    return managers();
}

void CPaintManagerUI::Init(QWidget* host, const QString& name) {
    if (m_host)
        m_host->removeEventFilter(this);
    m_host = host;
    m_name = name;
    if (host)
        host->installEventFilter(this);
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (root == nullptr)
        return false;
    m_root = root;
    if (m_host && root->parentWidget() != m_host)
        root->setParent(m_host);
    root->SetManager(this, nullptr, true);
    root->show();
    NeedUpdate();
    return true;
}

void CPaintManagerUI::UpdateLayout() {
    m_updatePending = false;
    if (!m_root)
        return;
    const QRect rc = m_host ? QRect(QPoint(0, 0), m_host->size()) : m_root->GetPos();
    m_root->SetPos(rc, true);
    if (m_firstLayout && m_host && !rc.isEmpty()) {
        m_firstLayout = false;
        if (m_initHandler)
            m_initHandler();
    }
}

void CPaintManagerUI::NeedUpdate() {
    if (m_updatePending)
        return;
    m_updatePending = true;
    QPointer<CPaintManagerUI> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->m_updatePending)
            self->UpdateLayout();
    });
}

void CPaintManagerUI::Invalidate() {
    if (m_host)
        m_host->update();
    if (m_root)
        m_root->update();
}

QSize CPaintManagerUI::GetInitSize() const {
    return m_dpi.Scale(m_initSize);
}
TMargins CPaintManagerUI::GetCaptionRect() const {
    return m_dpi.Scale(m_caption);
}
bool CPaintManagerUI::IsCaptionPoint(const QPoint& pt) const {
    if (!m_host)
        return false;
    const TMargins c = GetCaptionRect();
    if (c.bottom <= c.top)
        return false;
    return pt.x() >= c.left && pt.x() < m_host->width() - c.right && pt.y() >= c.top &&
           pt.y() < c.bottom;
}
QSize CPaintManagerUI::GetMinInfo() const {
    return m_dpi.Scale(m_minInfo);
}
QSize CPaintManagerUI::GetMaxInfo() const {
    return m_dpi.Scale(m_maxInfo);
}
QSize CPaintManagerUI::GetRoundCorner() const {
    return m_dpi.Scale(m_roundCorner);
}
TMargins CPaintManagerUI::GetSizeBox() const {
    return m_dpi.Scale(m_sizeBox);
}

void CPaintManagerUI::SetWindowAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    QSize sz;
    TMargins m;
    DWORD c = 0;
    if (n == QLatin1String("size")) {
        if (ParseSize(value, &sz))
            SetInitSize(sz.width(), sz.height());
    } else if (n == QLatin1String("caption")) {
        if (ParseMargins(value, &m))
            m_caption = m;
    } else if (n == QLatin1String("mininfo")) {
        if (ParseSize(value, &sz))
            SetMinInfo(sz.width(), sz.height());
    } else if (n == QLatin1String("maxinfo")) {
        if (ParseSize(value, &sz))
            SetMaxInfo(sz.width(), sz.height());
    } else if (n == QLatin1String("roundcorner")) {
        if (ParseSize(value, &sz))
            SetRoundCorner(sz.width(), sz.height());
    } else if (n == QLatin1String("sizebox")) {
        if (ParseMargins(value, &m))
            m_sizeBox = m;
    } else if (n == QLatin1String("defaultfontcolor")) {
        if (ParseColor(value, &c))
            m_defaultTextColor = c;
    } else if (n == QLatin1String("disabledfontcolor")) {
        if (ParseColor(value, &c))
            m_defaultDisabledColor = c;
    } else if (n == QLatin1String("selectedcolor")) {
        if (ParseColor(value, &c))
            m_defaultSelectedBkColor = c;
    } else if (n == QLatin1String("dpi")) {
        SetDPI(value.toInt());
    }
}

void CPaintManagerUI::SetDPI(int dpi) {
    dpi = std::clamp(dpi, 48, 192);
    if (dpi == m_dpi.GetDPI())
        return;
    m_dpi.SetDPI(dpi);
    ResetDPIAssets();
}

void CPaintManagerUI::ResetDPIAssets() {
    // Pictures may have a higher-resolution variant for the new scale.
    m_images.clear();
    if (m_root) {
        NeedUpdate();
        UpdateLayout();
        Invalidate();
    }
}

// ---- names ----

namespace {
CControlUI* FindByName(CControlUI* c, void* data) {
    return c->GetName() == *static_cast<const QString*>(data) ? c : nullptr;
}
CControlUI* FindByPoint(CControlUI* c, void*) {
    return c;
}
struct ClassQuery {
    QString cls;
    int index;
    QVector<CControlUI*>* all;
};
CControlUI* FindByClass(CControlUI* c, void* data) {
    auto* q = static_cast<ClassQuery*>(data);
    if (c->GetClass().compare(q->cls, Qt::CaseInsensitive) != 0)
        return nullptr;
    if (q->all) {
        q->all->push_back(c);
        return nullptr;
    }
    return q->index-- == 0 ? c : nullptr;
}
}  // namespace

CControlUI* CPaintManagerUI::FindControl(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    return m_names.value(name, nullptr);
}

CControlUI* CPaintManagerUI::FindControl(const QPoint& pt) const {
    if (!m_root)
        return nullptr;
    QPoint p = pt;
    return m_root->FindControl(FindByPoint, &p, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const QString& name) const {
    if (!parent)
        parent = m_root;
    if (!parent || name.isEmpty())
        return nullptr;
    QString n = name;
    return parent->FindControl(FindByName, &n, UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, const QString& className,
                                                   int index) const {
    if (!parent)
        parent = m_root;
    if (!parent)
        return nullptr;
    ClassQuery q{className, index, nullptr};
    return parent->FindControl(FindByClass, &q, UIFIND_ALL);
}

QVector<CControlUI*> CPaintManagerUI::FindSubControlsByClass(CControlUI* parent,
                                                             const QString& className) const {
    QVector<CControlUI*> all;
    if (!parent)
        parent = m_root;
    if (!parent)
        return all;
    ClassQuery q{className, 0, &all};
    parent->FindControl(FindByClass, &q, UIFIND_ALL);
    return all;
}

void CPaintManagerUI::InitControls(CControlUI* control, CControlUI*) {
    if (!control)
        return;
    const QString name = control->GetName();
    if (!name.isEmpty() && !m_names.contains(name))
        m_names.insert(name, control);
    control->Init();
}

void CPaintManagerUI::ReapTree(CControlUI* control) {
    if (!control)
        return;
    for (CControlUI* c : control->findChildren<CControlUI*>())
        ReapObjects(c);
    ReapObjects(control);
}

void CPaintManagerUI::NameChanged(CControlUI* control, const QString& oldName) {
    if (!oldName.isEmpty() && m_names.value(oldName) == control) {
        m_names.remove(oldName);
        // Another control with the old name takes over.
        if (m_root && m_root != control)
            if (CControlUI* other = FindSubControlByName(m_root, oldName);
                other && other != control)
                m_names.insert(oldName, other);
    }
    const QString name = control->GetName();
    if (!name.isEmpty() && !m_names.contains(name))
        m_names.insert(name, control);
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (!control)
        return;
    KillTimer(control);
    const QString name = control->GetName();
    if (!name.isEmpty() && m_names.value(name) == control)
        m_names.remove(name);
    for (auto& group : m_optionGroups)
        group.removeAll(control);
    if (control == m_root)
        m_root = nullptr;
}

bool CPaintManagerUI::AddOptionGroup(const QString& group, CControlUI* control) {
    auto& list = m_optionGroups[group];
    if (list.contains(control))
        return false;
    list.push_back(control);
    return true;
}

QVector<CControlUI*> CPaintManagerUI::GetOptionGroup(const QString& group) const {
    return m_optionGroups.value(group);
}

void CPaintManagerUI::RemoveOptionGroup(const QString& group, CControlUI* control) {
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end())
        return;
    it->removeAll(control);
    if (it->isEmpty())
        m_optionGroups.erase(it);
}

void CPaintManagerUI::RemoveAllOptionGroups() {
    m_optionGroups.clear();
}

// ---- notifications ----

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (!notifier || m_notifiers.contains(notifier))
        return false;
    m_notifiers.push_back(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    return m_notifiers.removeAll(notifier) > 0;
}

void CPaintManagerUI::deliver(TNotifyUI& msg) {
    // A copy: a notifier may add or remove notifiers while we deliver.
    const QVector<INotifyUI*> list = m_notifiers;
    for (INotifyUI* n : list) {
        if (m_notifiers.contains(n))
            n->Notify(msg);
    }
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    if (msg.dwTimestamp == 0)
        msg.dwTimestamp = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    if (m_host)
        msg.ptMouse = m_host->mapFromGlobal(QCursor::pos());
    if (!async) {
        deliver(msg);
        return;
    }
    QPointer<QWidget> sender(msg.pSender);
    const bool hadSender = msg.pSender != nullptr;
    TNotifyUI copy = msg;
    QPointer<CPaintManagerUI> self(this);
    QTimer::singleShot(0, this, [self, sender, hadSender, copy]() mutable {
        if (!self || (hadSender && !sender))
            return;  // the sender is gone: drop it
        self->deliver(copy);
    });
}

void CPaintManagerUI::SendNotify(CControlUI* control, const QString& type, WPARAM wParam,
                                 LPARAM lParam, bool async) {
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
    if (!filter || m_filters.contains(filter))
        return false;
    m_filters.push_back(filter);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
    return m_filters.removeAll(filter) > 0;
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const QVector<IMessageFilterUI*> list = m_filters;
    for (IMessageFilterUI* f : list) {
        bool handled = false;
        const LRESULT r = f->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            result = r;
            return true;
        }
    }
    return false;
}

// ---- timers ----

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT timerId, UINT elapse) {
    if (!control)
        return false;
    const TimerKey key{control, timerId};
    QTimer* t = m_timers.value(key, nullptr);
    if (!t) {
        t = new QTimer(this);
        m_timers.insert(key, t);
        connect(t, &QTimer::timeout, this,
                [this, control, timerId] { fireTimer(control, timerId); });
    }
    t->start(static_cast<int>(std::max<UINT>(1, elapse)));
    return true;
}

void CPaintManagerUI::fireTimer(CControlUI* control, UINT id) {
    if (!m_timers.contains(TimerKey{control, id}))
        return;
    TEventUI ev;
    ev.Type = UIEVENT_TIMER;
    ev.pSender = control;
    ev.wParam = id;
    ev.lParam = 0;
    control->Event(ev);
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT timerId) {
    QTimer* t = m_timers.take(TimerKey{control, timerId});
    if (!t)
        return false;
    t->stop();
    t->deleteLater();
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control) {
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it.key().control == control) {
            it.value()->stop();
            it.value()->deleteLater();
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    for (QTimer* t : m_timers) {
        t->stop();
        t->deleteLater();
    }
    m_timers.clear();
}

bool CPaintManagerUI::HasTimer(CControlUI* control, UINT timerId) const {
    return m_timers.contains(TimerKey{control, timerId});
}

CControlUI* CPaintManagerUI::GetFocus() const {
    QWidget* w = m_host ? m_host->focusWidget() : nullptr;
    while (w && w != m_host) {
        if (auto* c = dynamic_cast<CControlUI*>(w))
            return c->IsFocused() || w->hasFocus() ? c : nullptr;
        w = w->parentWidget();
    }
    return nullptr;
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (!control)
        return;
    if (control->focusPolicy() == Qt::NoFocus)
        control->setFocusPolicy(Qt::ClickFocus);
    control->setFocus(Qt::OtherFocusReason);
}

// ---- pictures ----

QString CPaintManagerUI::ResolveFile(const QString& name) const {
    QString n = platform::NormalizeRelativePath(name);
    if (QFileInfo(n).isAbsolute())
        return n;
    const QString res = CResourceManager::GetInstance()->GetImagePath(name);
    if (!res.isEmpty())
        n = platform::NormalizeRelativePath(res);
    if (QFileInfo(n).isAbsolute())
        return n;
    return s_resourcePath + n;
}

TImagePtr CPaintManagerUI::GetImageEx(const QString& name, DWORD mask) {
    if (name.isEmpty())
        return nullptr;
    const QString key = mask ? name + QLatin1Char('#') + QString::number(mask, 16) : name;
    auto it = m_images.find(key);
    if (it != m_images.end())
        return it.value();
    const QString path = ResolveFile(name);
    auto info = std::make_shared<TImageInfo>();
    if (m_dpi.GetDPI() > 96) {
        const QFileInfo fi(path);
        const QString hi = fi.path() + QLatin1Char('/') + fi.completeBaseName() +
                           QStringLiteral("@2x.") + fi.suffix();
        if (QFileInfo::exists(hi)) {
            QImageReader r(hi);
            info->image = r.read();
            info->scale = 2;
        }
    }
    if (info->image.isNull()) {
        QImageReader r(path);
        info->image = r.read();
        info->scale = 1;
    }
    if (info->image.isNull()) {
        platform::DebugLine(QStringLiteral("UI: cannot load picture \"%1\"").arg(name));
        m_images.insert(key, nullptr);  // do not retry every paint
        return nullptr;
    }
    info->image = info->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (mask) {
        // Pixels of the mask colour become transparent.
        QImage img = info->image.convertToFormat(QImage::Format_ARGB32);
        const QRgb m = mask | 0xFF000000u;
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == m)
                    line[x] = 0;
        }
        info->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    m_images.insert(key, info);
    return info;
}

TImagePtr CPaintManagerUI::AddImage(const QString& name, const QImage& image, DWORD mask) {
    auto info = std::make_shared<TImageInfo>();
    info->image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QString key = mask ? name + QLatin1Char('#') + QString::number(mask, 16) : name;
    m_images.insert(key, info);
    return info;
}

void CPaintManagerUI::RemoveImage(const QString& name) {
    m_images.remove(name);
}
void CPaintManagerUI::RemoveAllImages() {
    m_images.clear();
}

const TDrawInfo& CPaintManagerUI::GetDrawInfo(const QString& imageString) {
    auto it = m_drawInfos.find(imageString);
    if (it == m_drawInfos.end())
        it = m_drawInfos.insert(imageString, ParseImageString(imageString));
    return it.value();
}

// ---- fonts ----

void CPaintManagerUI::AddFont(int id, const QString& face, int size, bool bold, bool underline,
                              bool italic) {
    m_fonts.insert(id, TFontInfo{face, size, bold, underline, italic});
}

void CPaintManagerUI::SetDefaultFont(const QString& face, int size, bool bold, bool underline,
                                     bool italic) {
    m_defaultFont = TFontInfo{face, size, bold, underline, italic};
}

void CPaintManagerUI::RemoveAllFonts() {
    m_fonts.clear();
}

TFontInfo CPaintManagerUI::GetFontInfo(int id) const {
    return m_fonts.value(id, m_defaultFont);
}

QFont CPaintManagerUI::GetFont(int id) const {
    const TFontInfo fi = m_fonts.value(id, m_defaultFont);
    QFont f;
    QString face = fi.sFontName;
    const QString langFace = CResourceManager::GetInstance()->GetLanguageFace();
    QStringList families;
    if (!face.isEmpty())
        families << face;
    if (!langFace.isEmpty())
        families << langFace;
    families << QStringLiteral("Noto Sans") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("DejaVu Sans");
    f.setFamilies(families);
    f.setPixelSize(std::max(1, m_dpi.Scale(fi.iSize)));
    f.setBold(fi.bBold);
    f.setUnderline(fi.bUnderline);
    f.setItalic(fi.bItalic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void CPaintManagerUI::AddDefaultAttributeList(const QString& controlName, const QString& attrList) {
    m_defaultAttrs.insert(controlName.toLower(), attrList);
}

QString CPaintManagerUI::GetDefaultAttributeList(const QString& controlName) const {
    return m_defaultAttrs.value(controlName.toLower());
}

void CPaintManagerUI::RemoveAllDefaultAttributeList() {
    m_defaultAttrs.clear();
}

void CPaintManagerUI::ReloadText() {
    if (m_root) {
        m_root->ReloadText();
        NeedUpdate();
        UpdateLayout();
    }
}

bool CPaintManagerUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_host && m_root) {
        if (event->type() == QEvent::Resize) {
            UpdateLayout();
        } else if (event->type() == QEvent::Show && m_updatePending) {
            UpdateLayout();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui
