#pragma once

#include "production/PieChartData.h"

#include <QColor>
#include <QWidget>
#include <array>

// A small pie chart: a list of texts, each a number, a space and a label, shown as slices sorted
// largest first in six cycling pastel colours, each label written inside its slice. The pie is the
// circle centred in the control, of the control's smaller side. A label that does not fit inside
// its slice in the control's font is tried a little smaller, and otherwise not written; negative
// values are no slices. The owner names both in its legend (UnlabelledTexts(), LeftOutTexts()).
// Drawn antialiased; render() or grab() give it as an image.
class TPieChart : public QWidget {
    Q_OBJECT
public:
    explicit TPieChart(QWidget* parent = nullptr);

    // Replaces the chart's data and repaints; objects[i] (when given) goes with texts[i].
    void LoadItems(const QStringList& texts, const QList<QVariant>& objects = {});
    const TStringListWithDouble& Items() const { return m_items; }
    // The sum of the values drawn.
    double Total() const { return m_total; }
    // The items left out because their value is negative.
    QStringList LeftOutTexts() const { return PieChart::LeftOutTexts(m_items); }
    // The labels of slices drawn without them (too narrow for their label).
    QStringList UnlabelledTexts() const;

    // Slice colours 1 to 6; setting one repaints.
    QColor Colour(int n) const { return m_colours[size_t(n - 1)]; }
    void setColour(int n, const QColor& colour);
    QColor Colour1() const { return Colour(1); }
    QColor Colour2() const { return Colour(2); }
    QColor Colour3() const { return Colour(3); }
    QColor Colour4() const { return Colour(4); }
    QColor Colour5() const { return Colour(5); }
    QColor Colour6() const { return Colour(6); }
    void setColour1(const QColor& c) { setColour(1, c); }
    void setColour2(const QColor& c) { setColour(2, c); }
    void setColour3(const QColor& c) { setColour(3, c); }
    void setColour4(const QColor& c) { setColour(4, c); }
    void setColour5(const QColor& c) { setColour(5, c); }
    void setColour6(const QColor& c) { setColour(6, c); }

    // Where things are drawn (widget coordinates), for the owner and for tests.
    QPoint Centre() const { return {width() / 2, height() / 2}; }
    int Radius() const { return std::min(width(), height()) / 2; }
    struct PlacedLabel {
        int item;
        QString text;
        QRect rect; // the label's box
        QFont font;
    };
    std::vector<PlacedLabel> Labels() const;

    QSize sizeHint() const override { return {65, 65}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TStringListWithDouble m_items;
    double m_total = 0;
    std::array<QColor, PieChart::ColourCount> m_colours;
};
