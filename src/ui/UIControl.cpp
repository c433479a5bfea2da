#include "ui/UIControl.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ui/UIContainer.h"
#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

namespace ui {

namespace {
std::uint64_t Now() {
    return static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
}

int ParseAlign(const QString& value, int style, bool vertical) {
    const QString v = value.trimmed().toLower();
    if (!vertical) {
        style &= ~(Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
        if (v == QLatin1String("left"))
            style |= Qt::AlignLeft;
        else if (v == QLatin1String("right"))
            style |= Qt::AlignRight;
        else
            style |= Qt::AlignHCenter;
    } else {
        style &= ~(Qt::AlignTop | Qt::AlignBottom | Qt::AlignVCenter);
        if (v == QLatin1String("top"))
            style |= Qt::AlignTop;
        else if (v == QLatin1String("bottom"))
            style |= Qt::AlignBottom;
        else
            style |= Qt::AlignVCenter;
    }
    return style;
}
}  // namespace

CControlUI::CControlUI() : m_uTextStyle(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

CControlUI::~CControlUI() {
    if (m_pManager)
        m_pManager->ReapObjects(this);
}

void CControlUI::SetName(const QString& name) {
    if (name == m_sName)
        return;
    const QString old = m_sName;
    m_sName = name;
    setObjectName(name);
    if (m_pManager)
        m_pManager->NameChanged(this, old);
}

QString CControlUI::GetClass() const {
    return QStringLiteral("ControlUI");
}

void* CControlUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Control"))
        return this;
    return nullptr;
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (m_pManager && m_pManager != manager)
        m_pManager->ReapObjects(this);
    m_pParent = parent;
    m_pManager = manager;
    if (parent && parentWidget() != parent)
        setParent(parent);
    if (manager && init)
        manager->InitControls(this, parent);
    ApplyQtVisibility();
}

CControlUI* CControlUI::FindControl(FindProc proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) &&
        (!m_bMouseEnabled || !m_rcItem.contains(*static_cast<QPoint*>(data))))
        return nullptr;
    return proc(this, data);
}

bool CControlUI::Activate() {
    return IsVisible() && IsEnabled();
}

void CControlUI::Init() {
    if (m_bInited)
        return;
    m_bInited = true;
    DoInit();
}

QString CControlUI::GetText() const {
    if (!m_bResourceText)
        return m_sText;
    return CResourceManager::GetInstance()->GetText(m_sText);
}

void CControlUI::SetText(const QString& text) {
    if (m_sText == text)
        return;
    m_sText = text;
    Invalidate();
}

void CControlUI::SetTextId(const QString& id) {
    m_bResourceText = true;
    m_sText = QString();  // force the update below
    SetText(id);
}

void CControlUI::SetResourceText(bool resource) {
    if (m_bResourceText == resource)
        return;
    m_bResourceText = resource;
    Invalidate();
}

void CControlUI::ReloadText() {
    if (m_bResourceToolTip)
        setToolTip(GetToolTip());
    Invalidate();
}

QString CControlUI::GetToolTip() const {
    return m_bResourceToolTip ? CResourceManager::GetInstance()->GetText(m_sToolTip) : m_sToolTip;
}

void CControlUI::SetToolTip(const QString& tip) {
    m_sToolTip = tip;
    setToolTip(GetToolTip());
}

void CControlUI::SetToolTipId(const QString& id) {
    m_bResourceToolTip = true;
    SetToolTip(id);
}

void CControlUI::ApplyQtVisibility() {
    // A control without a parent widget would become a top-level window.
    if (!parentWidget())
        return;
    const bool show = m_bVisible && m_bInternVisible;
    if (show != !isHidden())
        QWidget::setVisible(show);
}

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible)
        return;
    const bool was = IsVisible();
    m_bVisible = visible;
    if (m_bFocused && !visible)
        m_bFocused = false;
    ApplyQtVisibility();
    if (IsVisible() != was)
        NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    ApplyQtVisibility();
}

void CControlUI::SetEnabled(bool enable) {
    if (m_bEnabled == enable)
        return;
    m_bEnabled = enable;
    if (enable)
        m_uButtonState &= ~UISTATE_DISABLED;
    else
        m_uButtonState = (m_uButtonState & UISTATE_SELECTED) | UISTATE_DISABLED;
    Invalidate();
}

void CControlUI::SetMouseEnabled(bool enable) {
    m_bMouseEnabled = enable;
    setAttribute(Qt::WA_TransparentForMouseEvents, !enable);
}

void CControlUI::SetKeyboardEnabled(bool enable) {
    m_bKeyboardEnabled = enable;
    if (!enable)
        setFocusPolicy(Qt::NoFocus);
}

void CControlUI::SetFocus() {
    if (m_pManager)
        m_pManager->SetFocus(this);
    else
        setFocus(Qt::OtherFocusReason);
}

int CControlUI::Scale(int v) const {
    return m_pManager ? m_pManager->Scale(v) : v;
}

void CControlUI::SetPos(const QRect& rc, bool needInvalidate) {
    QRect r = rc.normalized();
    if (r.width() < 0)
        r.setWidth(0);
    m_rcItem = r;
    QPoint origin(0, 0);
    if (m_pParent && parentWidget() == m_pParent)
        origin = m_pParent->GetPos().topLeft();
    const QRect local = r.translated(-origin);
    if (geometry() != local)
        setGeometry(local);
    m_bUpdateNeeded = false;
    if (needInvalidate)
        update();
}

QSize CControlUI::EstimateSize(const QSize&) {
    return {GetFixedWidth(), GetFixedHeight()};
}

void CControlUI::SetFloat(bool isFloat) {
    if (m_bFloat == isFloat)
        return;
    m_bFloat = isFloat;
    NeedParentUpdate();
}

void CControlUI::SetFloatPos(const QRect& rc) {
    m_rcFloat = rc;
    NeedParentUpdate();
}

TMargins CControlUI::GetPadding() const {
    return m_pManager ? m_pManager->GetDPIObj()->Scale(m_rcPadding) : m_rcPadding;
}
void CControlUI::SetPadding(const TMargins& m) {
    m_rcPadding = m;
    NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const {
    return Scale(m_cxyFixed.width());
}
int CControlUI::GetFixedHeight() const {
    return Scale(m_cxyFixed.height());
}
void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0 || cx == m_cxyFixed.width())
        return;
    m_cxyFixed.setWidth(cx);
    NeedParentUpdate();
}
void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0 || cy == m_cxyFixed.height())
        return;
    m_cxyFixed.setHeight(cy);
    NeedParentUpdate();
}
int CControlUI::GetMinWidth() const {
    return Scale(m_cxyMin.width());
}
int CControlUI::GetMinHeight() const {
    return Scale(m_cxyMin.height());
}
int CControlUI::GetMaxWidth() const {
    return m_cxyMax.width() >= 9999 ? 99999 : Scale(m_cxyMax.width());
}
int CControlUI::GetMaxHeight() const {
    return m_cxyMax.height() >= 9999 ? 99999 : Scale(m_cxyMax.height());
}
void CControlUI::SetMinWidth(int cx) {
    if (cx >= 0) {
        m_cxyMin.setWidth(cx);
        NeedParentUpdate();
    }
}
void CControlUI::SetMinHeight(int cy) {
    if (cy >= 0) {
        m_cxyMin.setHeight(cy);
        NeedParentUpdate();
    }
}
void CControlUI::SetMaxWidth(int cx) {
    if (cx >= 0) {
        m_cxyMax.setWidth(cx);
        NeedParentUpdate();
    }
}
void CControlUI::SetMaxHeight(int cy) {
    if (cy >= 0) {
        m_cxyMax.setHeight(cy);
        NeedParentUpdate();
    }
}

void CControlUI::SetBkColor(DWORD color) {
    if (m_dwBackColor != color) {
        m_dwBackColor = color;
        Invalidate();
    }
}
void CControlUI::SetBkColor2(DWORD color) {
    m_dwBackColor2 = color;
    Invalidate();
}
void CControlUI::SetBkImage(const QString& image) {
    if (m_sBkImage != image) {
        m_sBkImage = image;
        Invalidate();
    }
}
void CControlUI::SetForeImage(const QString& image) {
    if (m_sForeImage != image) {
        m_sForeImage = image;
        Invalidate();
    }
}
void CControlUI::SetBorderColor(DWORD color) {
    m_dwBorderColor = color;
    Invalidate();
}
void CControlUI::SetFocusBorderColor(DWORD color) {
    m_dwFocusBorderColor = color;
    Invalidate();
}
void CControlUI::SetBorderSize(int size) {
    m_nBorderSize = std::max(0, size);
    Invalidate();
}
void CControlUI::SetBorderRound(const QSize& round) {
    m_cxyBorderRound = round;
    Invalidate();
}
void CControlUI::SetFont(int id) {
    if (m_iFont != id) {
        m_iFont = id;
        NeedParentUpdate();
        Invalidate();
    }
}
void CControlUI::SetTextColor(DWORD color) {
    m_dwTextColor = color;
    Invalidate();
}
void CControlUI::SetDisabledTextColor(DWORD color) {
    m_dwDisabledTextColor = color;
    Invalidate();
}
void CControlUI::SetHotTextColor(DWORD color) {
    m_dwHotTextColor = color;
    Invalidate();
}
void CControlUI::SetTextStyle(int style) {
    m_uTextStyle = style;
    Invalidate();
}
TMargins CControlUI::GetTextPadding() const {
    return m_pManager ? m_pManager->GetDPIObj()->Scale(m_rcTextPadding) : m_rcTextPadding;
}
void CControlUI::SetTextPadding(const TMargins& m) {
    m_rcTextPadding = m;
    NeedParentUpdate();
    Invalidate();
}
void CControlUI::SetEndEllipsis(bool on) {
    m_bEndEllipsis = on;
    Invalidate();
}

void CControlUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    QRect rc;
    TMargins m;
    QSize sz;
    DWORD c = 0;
    if (n == QLatin1String("name")) {
        SetName(value);
    } else if (n == QLatin1String("text")) {
        SetText(value);
    } else if (n == QLatin1String("textid")) {
        SetTextId(value);
    } else if (n == QLatin1String("resourcetext")) {
        SetResourceText(ParseBool(value));
    } else if (n == QLatin1String("tooltip")) {
        SetToolTip(value);
    } else if (n == QLatin1String("tooltipid")) {
        SetToolTipId(value);
    } else if (n == QLatin1String("userdata")) {
        SetUserData(value);
    } else if (n == QLatin1String("tag")) {
        SetTag(value.toULongLong());
    } else if (n == QLatin1String("visible")) {
        SetVisible(ParseBool(value));
    } else if (n == QLatin1String("enabled")) {
        SetEnabled(ParseBool(value));
    } else if (n == QLatin1String("mouse")) {
        SetMouseEnabled(ParseBool(value));
    } else if (n == QLatin1String("keyboard")) {
        SetKeyboardEnabled(ParseBool(value));
    } else if (n == QLatin1String("menu")) {
        SetContextMenuUsed(ParseBool(value));
    } else if (n == QLatin1String("float")) {
        SetFloat(ParseBool(value));
    } else if (n == QLatin1String("pos")) {
        if (ParseRect(value, &rc)) {
            // l,t,r,b: the size comes from it; the place matters for floats.
            m_rcFloat = QRect(QPoint(rc.left(), rc.top()),
                              QSize(rc.right() + 1 - rc.left(), rc.bottom() + 1 - rc.top()));
            SetFixedWidth(std::max(0, m_rcFloat.width()));
            SetFixedHeight(std::max(0, m_rcFloat.height()));
            NeedParentUpdate();
        }
    } else if (n == QLatin1String("padding")) {
        if (ParseMargins(value, &m))
            SetPadding(m);
    } else if (n == QLatin1String("width")) {
        SetFixedWidth(value.toInt());
    } else if (n == QLatin1String("height")) {
        SetFixedHeight(value.toInt());
    } else if (n == QLatin1String("minwidth")) {
        SetMinWidth(value.toInt());
    } else if (n == QLatin1String("minheight")) {
        SetMinHeight(value.toInt());
    } else if (n == QLatin1String("maxwidth")) {
        SetMaxWidth(value.toInt());
    } else if (n == QLatin1String("maxheight")) {
        SetMaxHeight(value.toInt());
    } else if (n == QLatin1String("bkcolor") || n == QLatin1String("bkcolor1")) {
        if (ParseColor(value, &c))
            SetBkColor(c);
    } else if (n == QLatin1String("bkcolor2")) {
        if (ParseColor(value, &c))
            SetBkColor2(c);
    } else if (n == QLatin1String("forecolor")) {
        if (ParseColor(value, &c)) {
            m_dwForeColor = c;
            Invalidate();
        }
    } else if (n == QLatin1String("bkimage")) {
        SetBkImage(value);
    } else if (n == QLatin1String("foreimage")) {
        SetForeImage(value);
    } else if (n == QLatin1String("bordercolor")) {
        if (ParseColor(value, &c))
            SetBorderColor(c);
    } else if (n == QLatin1String("focusbordercolor")) {
        if (ParseColor(value, &c))
            SetFocusBorderColor(c);
    } else if (n == QLatin1String("hotbordercolor")) {
        if (ParseColor(value, &c))
            SetHotBorderColor(c);
    } else if (n == QLatin1String("bordersize")) {
        SetBorderSize(value.split(QLatin1Char(',')).first().toInt());
    } else if (n == QLatin1String("borderround")) {
        if (ParseSize(value, &sz))
            SetBorderRound(sz);
    } else if (n == QLatin1String("normalimage")) {
        SetNormalImage(value);
    } else if (n == QLatin1String("hotimage")) {
        SetHotImage(value);
    } else if (n == QLatin1String("pushedimage")) {
        SetPushedImage(value);
    } else if (n == QLatin1String("focusedimage")) {
        SetFocusedImage(value);
    } else if (n == QLatin1String("disabledimage")) {
        SetDisabledImage(value);
    } else if (n == QLatin1String("hotbkcolor")) {
        if (ParseColor(value, &c))
            SetHotBkColor(c);
    } else if (n == QLatin1String("pushedbkcolor")) {
        if (ParseColor(value, &c))
            SetPushedBkColor(c);
    } else if (n == QLatin1String("disabledbkcolor")) {
        if (ParseColor(value, &c))
            SetDisabledBkColor(c);
    } else if (n == QLatin1String("font")) {
        SetFont(value.toInt());
    } else if (n == QLatin1String("textcolor")) {
        if (ParseColor(value, &c))
            SetTextColor(c);
    } else if (n == QLatin1String("disabledtextcolor")) {
        if (ParseColor(value, &c))
            SetDisabledTextColor(c);
    } else if (n == QLatin1String("hottextcolor")) {
        if (ParseColor(value, &c))
            SetHotTextColor(c);
    } else if (n == QLatin1String("pushedtextcolor")) {
        if (ParseColor(value, &c)) {
            m_dwPushedTextColor = c;
            Invalidate();
        }
    } else if (n == QLatin1String("align")) {
        if (value.contains(QLatin1String("top")) || value.contains(QLatin1String("bottom")) ||
            value.contains(QLatin1String("vcenter"))) {
            // Combined forms like "left,top" are accepted too.
            for (const QString& part : value.split(QLatin1Char(','))) {
                const QString p = part.trimmed();
                const bool vertical = p == QLatin1String("top") || p == QLatin1String("bottom") ||
                                      p == QLatin1String("vcenter");
                m_uTextStyle =
                    ParseAlign(p == QLatin1String("vcenter") ? QStringLiteral("center") : p,
                               m_uTextStyle, vertical);
            }
        } else {
            m_uTextStyle = ParseAlign(value, m_uTextStyle, false);
        }
        Invalidate();
    } else if (n == QLatin1String("valign")) {
        SetTextStyle(ParseAlign(value, m_uTextStyle, true));
    } else if (n == QLatin1String("wordbreak") || n == QLatin1String("multiline")) {
        int s = m_uTextStyle & ~(Qt::TextSingleLine | Qt::TextWordWrap);
        SetTextStyle(ParseBool(value) ? (s | Qt::TextWordWrap) : (s | Qt::TextSingleLine));
    } else if (n == QLatin1String("endellipsis")) {
        SetEndEllipsis(ParseBool(value));
    } else if (n == QLatin1String("textpadding")) {
        if (ParseMargins(value, &m))
            SetTextPadding(m);
    } else if (n == QLatin1String("cursor")) {
        const QString v = value.toLower();
        if (v == QLatin1String("hand"))
            setCursor(Qt::PointingHandCursor);
        else if (v == QLatin1String("arrow"))
            setCursor(Qt::ArrowCursor);
        else if (v == QLatin1String("ibeam"))
            setCursor(Qt::IBeamCursor);
    } else if (n == QLatin1String("state")) {
        // A fixed look for previews and reference skins: "hot", "pushed", "focused".
        for (const QString& part : value.split(QLatin1Char(','))) {
            const QString v = part.trimmed().toLower();
            if (v == QLatin1String("hot"))
                m_uButtonState |= UISTATE_HOT;
            else if (v == QLatin1String("pushed"))
                m_uButtonState |= UISTATE_PUSHED | UISTATE_HOT;
            else if (v == QLatin1String("focused")) {
                m_uButtonState |= UISTATE_FOCUSED;
                m_bFocused = true;
            }
        }
        Invalidate();
    } else if (n == QLatin1String("style")) {
        if (m_pManager)
            ApplyAttributeList(m_pManager->GetStyle(value));
    }
    // Anything else is not ours: ignored.
}

void CControlUI::ApplyAttributeList(const QString& list) {
    const int n = list.size();
    int i = 0;
    while (i < n) {
        while (i < n && list[i].isSpace())
            ++i;
        const int ks = i;
        while (i < n && list[i] != QLatin1Char('=') && !list[i].isSpace())
            ++i;
        const QString key = list.mid(ks, i - ks);
        while (i < n && list[i].isSpace())
            ++i;
        if (key.isEmpty() || i >= n || list[i] != QLatin1Char('='))
            return;
        ++i;
        while (i < n && list[i].isSpace())
            ++i;
        if (i >= n || (list[i] != QLatin1Char('"') && list[i] != QLatin1Char('\'')))
            return;
        const QChar q = list[i++];
        const int vs = i;
        while (i < n && list[i] != q)
            ++i;
        if (i >= n)
            return;
        SetAttribute(key, list.mid(vs, i - vs));
        ++i;
    }
}

void CControlUI::DoPaint(QPainter& p, const QRect&) {
    PaintBkColor(p);
    PaintBkImage(p);
    PaintStatusImage(p);
    PaintForeColor(p);
    PaintForeImage(p);
    PaintText(p);
    PaintBorder(p);
}

void CControlUI::PaintBkColor(QPainter& p) {
    DWORD c = m_dwBackColor;
    if ((m_uButtonState & UISTATE_DISABLED) && m_dwDisabledBkColor)
        c = m_dwDisabledBkColor;
    else if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedBkColor)
        c = m_dwPushedBkColor;
    else if ((m_uButtonState & UISTATE_HOT) && m_dwHotBkColor)
        c = m_dwHotBkColor;
    if (c == 0)
        return;
    const QSize round =
        m_pManager ? m_pManager->GetDPIObj()->Scale(m_cxyBorderRound) : m_cxyBorderRound;
    if (m_dwBackColor2 != 0 && c == m_dwBackColor) {
        QLinearGradient g(m_rcItem.topLeft(), m_rcItem.bottomLeft());
        g.setColorAt(0, ToQColor(m_dwBackColor));
        g.setColorAt(1, ToQColor(m_dwBackColor2));
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(m_rcItem), round.width() / 2.0, round.height() / 2.0);
        p.restore();
        return;
    }
    CRenderEngine::DrawColor(p, m_rcItem, c, round);
}

void CControlUI::PaintBkImage(QPainter& p) {
    if (!m_sBkImage.isEmpty())
        DrawImage(p, m_sBkImage);
}

void CControlUI::PaintStatusImage(QPainter& p) {
    if ((m_uButtonState & UISTATE_DISABLED) && !m_sDisabledImage.isEmpty()) {
        if (DrawImage(p, m_sDisabledImage))
            return;
    } else if ((m_uButtonState & UISTATE_PUSHED) && !m_sPushedImage.isEmpty()) {
        if (DrawImage(p, m_sPushedImage))
            return;
    } else if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.isEmpty()) {
        if (DrawImage(p, m_sHotImage))
            return;
    } else if ((m_uButtonState & UISTATE_FOCUSED) && !m_sFocusedImage.isEmpty()) {
        if (DrawImage(p, m_sFocusedImage))
            return;
    }
    if (!m_sNormalImage.isEmpty())
        DrawImage(p, m_sNormalImage);
}

void CControlUI::PaintForeColor(QPainter& p) {
    if (m_dwForeColor)
        CRenderEngine::DrawColor(p, m_rcItem, m_dwForeColor);
}

void CControlUI::PaintForeImage(QPainter& p) {
    if (!m_sForeImage.isEmpty())
        DrawImage(p, m_sForeImage);
}

DWORD CControlUI::CurrentTextColor() const {
    if (!IsEnabled())
        return m_dwDisabledTextColor
                   ? m_dwDisabledTextColor
                   : (m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFF5A606C);
    if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor)
        return m_dwPushedTextColor;
    if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor)
        return m_dwHotTextColor;
    if (m_dwTextColor)
        return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFFE8EAF0;
}

QRect CControlUI::TextRect() const {
    const TMargins t = GetTextPadding();
    return m_rcItem.adjusted(t.left, t.top, -t.right, -t.bottom);
}

void CControlUI::PaintText(QPainter& p) {
    const QString text = GetText();
    if (text.isEmpty() || !m_pManager)
        return;
    CRenderEngine::DrawText(p, TextRect(), text, CurrentTextColor(), m_pManager->GetFont(m_iFont),
                            m_uTextStyle, m_bEndEllipsis);
}

void CControlUI::PaintBorder(QPainter& p) {
    DWORD c = m_dwBorderColor;
    if (m_bFocused && m_dwFocusBorderColor)
        c = m_dwFocusBorderColor;
    else if ((m_uButtonState & UISTATE_HOT) && m_dwHotBorderColor)
        c = m_dwHotBorderColor;
    if (c == 0 || m_nBorderSize <= 0)
        return;
    const QSize round =
        m_pManager ? m_pManager->GetDPIObj()->Scale(m_cxyBorderRound) : m_cxyBorderRound;
    CRenderEngine::DrawBorder(p, m_rcItem, std::max(1, Scale(m_nBorderSize)), c, round);
}

bool CControlUI::DrawImage(QPainter& p, const QString& imageString, const TImageTint* tint) {
    return CRenderEngine::DrawImageString(p, m_pManager, m_rcItem, imageString, tint);
}

void CControlUI::Event(TEventUI& event) {
    if (event.pSender == nullptr)
        event.pSender = this;
    if (event.dwTimestamp == 0)
        event.dwTimestamp = Now();
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            m_uButtonState |= UISTATE_FOCUSED;
            Invalidate();
            return;
        case UIEVENT_KILLFOCUS:
            m_bFocused = false;
            m_uButtonState &= ~UISTATE_FOCUSED;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (m_pManager)
                m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_TIMER), event.wParam,
                                       event.lParam);
            return;
        case UIEVENT_CONTEXTMENU:
            if (m_bMenuUsed && m_pManager) {
                m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_MENU), event.wParam,
                                       event.lParam);
                return;
            }
            break;
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                if (m_dwHotBkColor || !m_sHotImage.isEmpty() || m_dwHotTextColor ||
                    m_dwHotBorderColor)
                    Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_uButtonState & UISTATE_HOT) {
                m_uButtonState &= ~UISTATE_HOT;
                Invalidate();
            }
            return;
        default:
            break;
    }
    // Pointer events this control does not use go to its parent, so a label
    // inside a list row or a button still makes the row react.
    const bool pointer = event.Type == UIEVENT_SCROLLWHEEL || event.Type == UIEVENT_CONTEXTMENU ||
                         event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_BUTTONUP ||
                         event.Type == UIEVENT_DBLCLICK || event.Type == UIEVENT_RBUTTONDOWN ||
                         event.Type == UIEVENT_RBUTTONUP || event.Type == UIEVENT_MOUSEMOVE;
    if (pointer && m_pParent)
        m_pParent->DoEvent(event);
}

void CControlUI::Invalidate() {
    update();
}

void CControlUI::NeedUpdate() {
    m_bUpdateNeeded = true;
    if (m_pManager)
        m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent)
        m_pParent->NeedUpdate();
    else
        NeedUpdate();
}

QPoint CControlUI::ToRoot(const QPointF& local) const {
    return m_rcItem.topLeft() + local.toPoint();
}

void CControlUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.translate(-m_rcItem.topLeft());
    DoPaint(p, m_rcItem);
}

static int mouseState(const QMouseEvent* e) {
    return int(e->modifiers()) | int(e->buttons());
}

namespace {
// A press already given to DoEvent (and forwarded up the control chain)
// that Qt then offers to the parent widgets too.
const QEvent* s_deliveredPress = nullptr;
}  // namespace

void CControlUI::mousePressEvent(QMouseEvent* e) {
    if (e == s_deliveredPress) {
        e->ignore();
        return;
    }
    TEventUI ev;
    ev.Type = e->button() == Qt::RightButton ? UIEVENT_RBUTTONDOWN : UIEVENT_BUTTONDOWN;
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) {
        e->ignore();
        return;
    }
    ev.ptMouse = ToRoot(e->position());
    ev.wKeyState = mouseState(e);
    ev.qtEvent = e;
    Event(ev);
    // A press on the caption area that this control does not use itself
    // goes on to the window, which starts a window drag.
    if (e->button() == Qt::LeftButton && m_pManager && !(GetControlFlags() & UIFLAG_INTERACTIVE) &&
        m_pManager->IsCaptionPoint(ev.ptMouse)) {
        s_deliveredPress = e;
        e->ignore();
    }
}

void CControlUI::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) {
        e->ignore();
        return;
    }
    TEventUI ev;
    ev.Type = e->button() == Qt::RightButton ? UIEVENT_RBUTTONUP : UIEVENT_BUTTONUP;
    ev.ptMouse = ToRoot(e->position());
    ev.wKeyState = mouseState(e);
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    TEventUI ev;
    ev.Type = UIEVENT_DBLCLICK;
    ev.ptMouse = ToRoot(e->position());
    ev.wKeyState = mouseState(e);
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::mouseMoveEvent(QMouseEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_MOUSEMOVE;
    ev.ptMouse = ToRoot(e->position());
    ev.wKeyState = mouseState(e);
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::enterEvent(QEnterEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_MOUSEENTER;
    ev.ptMouse = ToRoot(e->position());
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::leaveEvent(QEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_MOUSELEAVE;
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::wheelEvent(QWheelEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_SCROLLWHEEL;
    ev.ptMouse = ToRoot(e->position());
    const int delta = e->angleDelta().y() != 0 ? e->angleDelta().y() : e->angleDelta().x();
    ev.wParam = delta > 0 ? 0 : 1;  // 0 up, 1 down
    ev.lParam = delta;
    ev.wKeyState = int(e->modifiers());
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::keyPressEvent(QKeyEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_KEYDOWN;
    ev.key = e->key();
    ev.wKeyState = int(e->modifiers());
    ev.qtEvent = e;
    Event(ev);
    if (!e->text().isEmpty() && e->text().at(0).isPrint()) {
        TEventUI ch = ev;
        ch.Type = UIEVENT_CHAR;
        ch.chKey = e->text().at(0);
        Event(ch);
    }
}

void CControlUI::keyReleaseEvent(QKeyEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_KEYUP;
    ev.key = e->key();
    ev.wKeyState = int(e->modifiers());
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::focusInEvent(QFocusEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_SETFOCUS;
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::focusOutEvent(QFocusEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_KILLFOCUS;
    ev.qtEvent = e;
    Event(ev);
}

void CControlUI::contextMenuEvent(QContextMenuEvent* e) {
    TEventUI ev;
    ev.Type = UIEVENT_CONTEXTMENU;
    ev.ptMouse = ToRoot(e->pos());
    ev.wParam = static_cast<WPARAM>(e->globalPos().x());
    ev.lParam = e->globalPos().y();
    ev.qtEvent = e;
    Event(ev);
}

}  // namespace ui
