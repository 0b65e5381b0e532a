#pragma once

#include "production/ProductionQuantities.h"
#include "shell/ScreenForm.h"

class QLabel;
class QLineEdit;
class QScrollBar;
class StringGrid;
class TRe2Buttn;

// The units produced of each product and type in each month of a date range, with a totals row and
// a totals column. The range starts as the span of all production entries and stays inside it.
class TForm_ViewProducQuant : public ScreenForm {
    Q_OBJECT
public:
    explicit TForm_ViewProducQuant(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid18; }
    void ApplyFormLanguage() override;

    // Handlers.
    void Button_ViewProducQuantDateClick();
    void Scroll_Edit6Change(int position);
    void Scroll_Edit7Change(int position);
    void StringGrid18TitleClick(int col);

    // The bounds of the range boxes: the earliest and latest entry when the view was shown.
    Production::DateSpan Span() const { return m_span; }

    QLabel* Label_ViewProducQuantFrom;
    QLineEdit* Edit6; // From
    QScrollBar* Scroll_Edit6;
    QLabel* Label_ViewProducQuantTo;
    QLineEdit* Edit7; // To
    QScrollBar* Scroll_Edit7;
    TRe2Buttn* Button_ViewProducQuantDate;
    TRe2Buttn* Button_ViewProducQuantClose;
    StringGrid* StringGrid18;

protected:
    void FormShow() override;
    void FormCloseScreen() override;
    void FormResize() override;

private:
    // Empties the table and builds it for the range from..to.
    void BuildTable(const QDate& from, const QDate& to);
    // The date in the box, or none (the box's text is named and the box gets the focus).
    std::optional<QDate> DateIn(QLineEdit* box);

    std::vector<Production::ProductionEntry> m_entries;
    Production::DateSpan m_span;
};
