#include "ui/UIEdit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTextEdit>

#include "ui/UIManager.h"
#include "ui/UIResourceManager.h"

namespace ui {

namespace {
QString cssColor(DWORD c) {
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg((c >> 16) & 0xFF)
        .arg((c >> 8) & 0xFF)
        .arg(c & 0xFF)
        .arg(((c >> 24) & 0xFF) / 255.0, 0, 'f', 3);
}
}  // namespace

CEditUI::CEditUI() : m_edit(new QLineEdit(this)) {
    m_uTextStyle = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    m_edit->setFrame(false);
    m_edit->setMaxLength(m_iMaxChar);
    m_edit->installEventFilter(this);
    m_edit->setContextMenuPolicy(Qt::DefaultContextMenu);
    setFocusProxy(m_edit);
    QObject::connect(m_edit, &QLineEdit::textEdited, m_edit, [this](const QString&) {
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_TEXTCHANGED));
    });
    QObject::connect(m_edit, &QLineEdit::returnPressed, m_edit, [this] {
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_RETURN));
    });
    ApplyStyle();
}

QString CEditUI::GetClass() const {
    return QStringLiteral("EditUI");
}
void* CEditUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Edit"))
        return this;
    return CLabelUI::GetInterface(name);
}

QString CEditUI::GetText() const {
    return m_edit->text();
}

void CEditUI::SetText(const QString& text) {
    // A text id is resolved once; the edit holds plain text afterwards.
    const QString shown = m_bResourceText ? CResourceManager::GetInstance()->GetText(text) : text;
    m_sText = text;
    if (m_edit->text() != shown)
        m_edit->setText(shown.left(m_iMaxChar));
    Invalidate();
}

void CEditUI::ReloadText() {
    CLabelUI::ReloadText();
    if (m_bResourceText)
        m_edit->setText(CResourceManager::GetInstance()->GetText(m_sText));
    if (m_bPromptId)
        m_edit->setPlaceholderText(CResourceManager::GetInstance()->GetText(m_sPrompt));
}

void CEditUI::SetMaxChar(int max) {
    m_iMaxChar = std::clamp(max, 0, 32767);
    m_edit->setMaxLength(std::max(1, m_iMaxChar));
}

void CEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    m_edit->setReadOnly(readOnly);
}

void CEditUI::SetPasswordMode(bool on) {
    m_edit->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
}

void CEditUI::SetNumberOnly(bool on) {
    m_bNumberOnly = on;
    if (on)
        m_edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
    else
        m_edit->setValidator(nullptr);
}

void CEditUI::SetMinNumber(int v) {
    m_bHasMin = true;
    m_nMin = v;
}

void CEditUI::SetMaxNumber(int v) {
    m_bHasMax = true;
    m_nMax = v;
}

void CEditUI::SetPromptText(const QString& text) {
    m_sPrompt = text;
    m_edit->setPlaceholderText(m_bPromptId ? CResourceManager::GetInstance()->GetText(text) : text);
}

void CEditUI::SetSel(int start, int end) {
    if (end < 0)
        end = m_edit->text().size();
    m_edit->setSelection(start, std::max(0, end - start));
}

void CEditUI::SetSelAll() {
    m_edit->selectAll();
}

void CEditUI::SetEnabled(bool enable) {
    CLabelUI::SetEnabled(enable);
    m_edit->setEnabled(enable);
    ApplyStyle();
}

void CEditUI::SetFocus() {
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CEditUI::SetPos(const QRect& rc, bool needInvalidate) {
    CLabelUI::SetPos(rc, needInvalidate);
    const TMargins t = GetTextPadding();
    const int b = m_nBorderSize > 0 ? Scale(m_nBorderSize) : 0;
    m_edit->setGeometry(QRect(QPoint(0, 0), rc.size())
                            .adjusted(t.left + b, t.top + b, -t.right - b, -t.bottom - b));
    ApplyStyle();
}

void CEditUI::ApplyStyle() {
    const DWORD text = m_dwTextColor
                           ? m_dwTextColor
                           : (m_pManager ? m_pManager->GetDefaultFontColor() : 0xFFE8EAF0);
    const DWORD disabled = m_dwDisabledTextColor ? m_dwDisabledTextColor : 0xFF5A606C;
    m_edit->setStyleSheet(
        QStringLiteral("QLineEdit{background:%1;color:%2;border:none;padding:0;"
                       "selection-background-color:#19C6E6;selection-color:#15171C;}"
                       "QLineEdit:disabled{color:%3;}")
            .arg(cssColor(m_dwNativeBkColor), cssColor(text), cssColor(disabled)));
    if (m_pManager)
        m_edit->setFont(m_pManager->GetFont(m_iFont));
    m_edit->setAlignment(
        Qt::Alignment(m_uTextStyle & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)));
}

void CEditUI::ClampNumber() {
    if (!m_bHasMin && !m_bHasMax)
        return;
    const QString t = m_edit->text().trimmed();
    if (t.isEmpty())
        return;
    bool ok = false;
    long long v = t.toLongLong(&ok);
    if (!ok)
        return;
    if (m_bHasMin && v < m_nMin)
        v = m_nMin;
    if (m_bHasMax && v > m_nMax)
        v = m_nMax;
    if (QString::number(v) != t)
        m_edit->setText(QString::number(v));
}

void CEditUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    DWORD c = 0;
    if (n == QLatin1String("readonly")) {
        SetReadOnly(ParseBool(value));
    } else if (n == QLatin1String("numberonly")) {
        SetNumberOnly(ParseBool(value));
    } else if (n == QLatin1String("password")) {
        SetPasswordMode(ParseBool(value));
    } else if (n == QLatin1String("maxchar")) {
        SetMaxChar(value.toInt());
    } else if (n == QLatin1String("minnumber") || n == QLatin1String("minimum")) {
        SetMinNumber(value.toInt());
    } else if (n == QLatin1String("maxnumber") || n == QLatin1String("maximum")) {
        SetMaxNumber(value.toInt());
    } else if (n == QLatin1String("prompttext")) {
        m_bPromptId = false;
        SetPromptText(value);
    } else if (n == QLatin1String("prompttextid")) {
        m_bPromptId = true;
        SetPromptText(value);
    } else if (n == QLatin1String("nativebkcolor")) {
        if (ParseColor(value, &c))
            m_dwNativeBkColor = c;
        ApplyStyle();
    } else {
        CLabelUI::SetAttribute(name, value);
        ApplyStyle();
    }
}

bool CEditUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            TEventUI ev;
            ev.Type = event->type() == QEvent::FocusIn ? UIEVENT_SETFOCUS : UIEVENT_KILLFOCUS;
            ev.qtEvent = event;
            Event(ev);
        } else if (event->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(event);
            TEventUI ev;
            ev.Type = UIEVENT_KEYDOWN;
            ev.key = ke->key();
            ev.wKeyState = int(ke->modifiers());
            ev.qtEvent = event;
            Event(ev);
            return ev.qtEvent ==
                   nullptr;  // a derived control may swallow the key by clearing qtEvent
        }
    }
    return CLabelUI::eventFilter(watched, event);
}

void CEditUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SETFOCUS) {
        CLabelUI::DoEvent(event);
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_SETFOCUS));
        return;
    }
    if (event.Type == UIEVENT_KILLFOCUS) {
        ClampNumber();
        CLabelUI::DoEvent(event);
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_KILLFOCUS));
        return;
    }
    if (event.Type == UIEVENT_KEYDOWN)
        return;  // the line edit handles keys
    CLabelUI::DoEvent(event);
}

void CEditUI::PaintText(QPainter&) {
    // The line edit draws the text.
}

// ---- Rich edit ----

CRichEditUI::CRichEditUI() : m_edit(new QTextEdit(this)) {
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setAcceptRichText(false);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    QObject::connect(m_edit, &QTextEdit::textChanged, m_edit, [this] {
        if (m_bSettingText)
            return;
        if (m_iLimit > 0 && m_edit->toPlainText().size() > m_iLimit) {
            m_bSettingText = true;
            m_edit->setPlainText(m_edit->toPlainText().left(m_iLimit));
            m_edit->moveCursor(QTextCursor::End);
            m_bSettingText = false;
        }
        if (m_pManager)
            m_pManager->SendNotify(this, QString::fromLatin1(DUI_MSGTYPE_TEXTCHANGED));
    });
    ApplyStyle();
}

QString CRichEditUI::GetClass() const {
    return QStringLiteral("RichEditUI");
}
void* CRichEditUI::GetInterface(const QString& name) {
    if (name == QLatin1String("RichEdit"))
        return this;
    return CLabelUI::GetInterface(name);
}

QString CRichEditUI::GetText() const {
    return m_edit->toPlainText();
}

void CRichEditUI::SetText(const QString& text) {
    m_sText = text;
    const QString shown = m_bResourceText ? CResourceManager::GetInstance()->GetText(text) : text;
    m_bSettingText = true;
    m_edit->setPlainText(m_iLimit > 0 ? shown.left(m_iLimit) : shown);
    m_bSettingText = false;
}

void CRichEditUI::AppendText(const QString& text) {
    m_bSettingText = true;
    m_edit->moveCursor(QTextCursor::End);
    m_edit->insertPlainText(text);
    m_bSettingText = false;
}

void CRichEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    m_edit->setReadOnly(readOnly);
}

void CRichEditUI::SetEnabled(bool enable) {
    CLabelUI::SetEnabled(enable);
    m_edit->setEnabled(enable);
}

void CRichEditUI::SetFocus() {
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CRichEditUI::SetPos(const QRect& rc, bool needInvalidate) {
    CLabelUI::SetPos(rc, needInvalidate);
    const TMargins t = GetTextPadding();
    const int b = m_nBorderSize > 0 ? Scale(m_nBorderSize) : 0;
    m_edit->setGeometry(QRect(QPoint(0, 0), rc.size())
                            .adjusted(t.left + b, t.top + b, -t.right - b, -t.bottom - b));
    ApplyStyle();
}

void CRichEditUI::ApplyStyle() {
    const DWORD text = m_dwTextColor
                           ? m_dwTextColor
                           : (m_pManager ? m_pManager->GetDefaultFontColor() : 0xFFE8EAF0);
    m_edit->setStyleSheet(
        QStringLiteral("QTextEdit{background:transparent;color:%1;border:none;"
                       "selection-background-color:#19C6E6;selection-color:#15171C;}")
            .arg(cssColor(text)));
    if (m_pManager)
        m_edit->setFont(m_pManager->GetFont(m_iFont));
}

void CRichEditUI::SetAttribute(const QString& name, const QString& value) {
    const QString n = name.toLower();
    if (n == QLatin1String("readonly")) {
        SetReadOnly(ParseBool(value));
    } else if (n == QLatin1String("limittext") || n == QLatin1String("maxchar")) {
        SetLimitText(value.toInt());
    } else if (n == QLatin1String("text") || n == QLatin1String("textid")) {
        CLabelUI::SetAttribute(name, value);
        SetText(m_sText);
    } else {
        CLabelUI::SetAttribute(name, value);
        ApplyStyle();
    }
}

bool CRichEditUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        TEventUI ev;
        ev.Type = event->type() == QEvent::FocusIn ? UIEVENT_SETFOCUS : UIEVENT_KILLFOCUS;
        ev.qtEvent = event;
        Event(ev);
    }
    return CLabelUI::eventFilter(watched, event);
}

void CRichEditUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS) {
        CLabelUI::DoEvent(event);
        if (m_pManager)
            m_pManager->SendNotify(
                this, QString::fromLatin1(event.Type == UIEVENT_SETFOCUS ? DUI_MSGTYPE_SETFOCUS
                                                                         : DUI_MSGTYPE_KILLFOCUS));
        return;
    }
    CLabelUI::DoEvent(event);
}

}  // namespace ui
