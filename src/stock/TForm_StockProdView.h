#pragma once

#include "shell/PopupPanel.h"
#include "shell/ScreenForm.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class StringGrid;
class TRe2Buttn;

// The product stock list, read only: every record of StockProduto.DAT or those of one product and
// type chosen in the list, with the date of the clicked row. The products listed can be mailed to a
// client chosen in a small pop-up panel: the mail link goes to the desktop's mail program.
class TForm_StockProdView : public ScreenForm {
    Q_OBJECT
public:
    explicit TForm_StockProdView(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid13; }
    void ApplyFormLanguage() override;

    // Where the client chooser stands while it is shown.
    static constexpr int ChooserLeft = 128;
    static constexpr int ChooserTop = 48;
    bool ChooserShown() const;

    // Handlers.
    void ComboBox_StockProdViewChange();
    void StringGrid13Click(int row);
    void Button_StockProdViewEmailClick();
    void StringGrid_StockProdView_ClientsDblClick();
    void Button_StockProdView_ClientsCancelClick();

    QLabel* Label79; // product
    QLabel* Label80; // last movement
    QComboBox* ComboBox_StockProdView;
    QLineEdit* Edit_StockProdViewDate;
    TRe2Buttn* Button_StockProdViewEmail;
    TRe2Buttn* Button_StockProdViewClose;
    StringGrid* StringGrid13;

    // The client chooser.
    QFrame* Panel_StockProdView_Clients;
    QFrame* Panel_StockProdView_ClientsCaption;
    QLabel* Label116;
    QToolButton* SpeedButton_StockProdView_ClientsClose;
    StringGrid* StringGrid_StockProdView_Clients;
    TRe2Buttn* Button_StockProdView_ClientsCancel;
    TRe2Buttn* Button_StockProdView_ClientsOk;

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;

private:
    void ListRecords(const QString& item);
    void ParkChooser();

    PopupPanel m_chooser;
    QStringList m_items;
    QStringList m_mailLines; // the product lines of the mail being sent
};
