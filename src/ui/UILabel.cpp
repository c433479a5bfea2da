#include "ui/UILabel.h"

#include "ui/UIManager.h"

namespace ui {

CLabelUI::CLabelUI() = default;

QString CLabelUI::GetClass() const {
    return QStringLiteral("LabelUI");
}
void* CLabelUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Label"))
        return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetAutoCalcWidth(bool on) {
    m_bAutoCalcWidth = on;
    NeedParentUpdate();
}

void CLabelUI::SetText(const QString& text) {
    CControlUI::SetText(text);
    if (m_bAutoCalcWidth || (m_uTextStyle & Qt::TextWordWrap))
        NeedParentUpdate();
}

void CLabelUI::ReloadText() {
    CControlUI::ReloadText();
    if (m_bAutoCalcWidth)
        NeedParentUpdate();
}

QSize CLabelUI::EstimateSize(const QSize& available) {
    QSize sz = CControlUI::EstimateSize(available);
    if (m_bAutoCalcWidth && m_pManager) {
        const TMargins t = GetTextPadding();
        const QSize text = CRenderEngine::MeasureText(GetText(), m_pManager->GetFont(m_iFont),
                                                      m_uTextStyle, available.width());
        sz.setWidth(text.width() + t.left + t.right + 1);
        if (sz.height() == 0 && (m_uTextStyle & Qt::TextWordWrap))
            sz.setHeight(text.height() + t.top + t.bottom);
    }
    return sz;
}

void CLabelUI::SetAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("autocalcwidth"), Qt::CaseInsensitive) == 0)
        SetAutoCalcWidth(ParseBool(value));
    else
        CControlUI::SetAttribute(name, value);
}

CTextUI::CTextUI() {
    m_uTextStyle = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}
QString CTextUI::GetClass() const {
    return QStringLiteral("TextUI");
}
void* CTextUI::GetInterface(const QString& name) {
    if (name == QLatin1String("Text"))
        return this;
    return CLabelUI::GetInterface(name);
}

}  // namespace ui
