#pragma once

#include "shell/ScreenForm.h"

#include <QPointer>

class QLabel;
class StringGrid;
class TForm2;
class TRe2Buttn;

// The global view: the products whose stock does not cover their client orders (upper list) and
// the raw materials that production has reserved (lower list), as the order calculation and the
// raw-material stock calculation stored them; the detail of a row opens in the result lists window.
class TForm_GeralView : public ScreenForm {
    Q_OBJECT
public:
    explicit TForm_GeralView(QWidget* parent = nullptr);
    ~TForm_GeralView() override;

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid20; }
    void ApplyFormLanguage() override;

    // The result lists window of the details (exists while the screen is shown).
    TForm2* ListWindow() const;

    // Handlers.
    void StringGrid20Click(StringGrid* grid);
    void Button_GeralViewDetailClick();
    void StringGrid20DblClick();
    void StringGrid21DblClick();

    StringGrid* StringGrid20; // products in shortfall
    StringGrid* StringGrid21; // reserved raw materials
    TRe2Buttn* Button_GeralViewDetail;
    TRe2Buttn* Button_GeralViewClose;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* Label1;

protected:
    void LoadData() override;
    void AfterShow() override;
    void FormResize() override;
    void FormCloseScreen() override;

private:
    // Shows the detail rows in the list window's global-view panel, modally; the grid becomes the
    // current grid again when the window closes.
    void ShowDetail(const QStringList& titles, const std::vector<QStringList>& rows, const QList<int>& widths,
                    StringGrid* owner);
    void BuildHints();

    QPointer<TForm2> m_form2;
    QString m_problems;
};
