// CChartViewUI: a chart of named values over the control's own painting,
// either a pie with a legend ("pie", the default) or a histogram of bar
// pictures over a shadow picture with the names below ("histpgram").
// Without values it paints as a plain control.
#pragma once

#include <QVector>

#include "ui/UIControl.h"

namespace controls {

class CChartViewUI : public ui::CControlUI {
public:
    enum class View { Pie, Histogram };
    struct Item {
        QString name;
        double value = 0;
    };

    CChartViewUI() = default;

    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;
    void DoPaint(QPainter& p, const QRect& rcPaint) override;

    bool Add(const QString& name, double value);  // negative or NaN values refused
    bool RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    const Item& GetItemAt(int index) const { return m_items.at(index); }
    View GetView() const { return m_view; }

private:
    void PaintPie(QPainter& p);
    void PaintHistogram(QPainter& p);
    void PaintLegendText(QPainter& p, const QRect& rc, const QString& text, int flags);

    QVector<Item> m_items;
    View m_view = View::Pie;
    QString m_shadowImage;
    int m_shadowImageHeight = 0;
    QString m_pillarImage;
    int m_pillarImageWidth = 0;
    bool m_showHtml = false;
    bool m_showText = true;
    int m_legendFont = -1;
};

}  // namespace controls
