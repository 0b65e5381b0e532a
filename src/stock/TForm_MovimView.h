#pragma once

#include "shell/PopupPanel.h"
#include "shell/ScreenForm.h"

#include <QDate>

class QComboBox;
class QFrame;
class QToolButton;
class QLabel;
class QLineEdit;
class QScrollBar;
class StringGrid;
class TRe2Buttn;

// The movement history of raw materials (MovimMateria.DAT) or of products (MovimProduto.DAT), read
// only: filters by item, by movement type and by a range of movement dates, the sums of entries,
// exits and their balance, and the details of the clicked row.
class TForm_MovimView : public ScreenForm {
    Q_OBJECT
public:
    enum Variant { RawMaterials, Products };

    explicit TForm_MovimView(QWidget* parent = nullptr, Variant variant = RawMaterials);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid10; }
    void ApplyFormLanguage() override;

    Variant WhichVariant() const { return m_variant; }
    QString FilePath() const;
    // The range the date chooser starts from: the movement dates of the list.
    QDate From() const { return m_from; }
    QDate To() const { return m_to; }

    // Where the date chooser stands while it is shown.
    static constexpr int ChooserLeft = 307;
    static constexpr int ChooserTop = 40;
    bool ChooserShown() const { return m_chooser.IsShown(); }

    // Handlers.
    void ComboBox_MovimViewChange();
    void Button_MovimDateClick();
    void Button_MovimDateOkClick();
    void Button_MovimDateCancelClick();
    void ScrollBar_MovimDateFromChange(int position);
    void ScrollBar_MovimDateToChange(int position);
    void StringGrid10Click(int row);
    void StringGrid10MouseDown(int col);
    void Button_MovimDeleteClick();

    QLabel* Label59; // item
    QComboBox* ComboBox_MovimView;
    QComboBox* ComboBox_MovimType;
    TRe2Buttn* Button_MovimDate;
    QLabel* Label145; // entries
    QLineEdit* Edit_MovimViewEntradas;
    QLabel* Label146; // exits
    QLineEdit* Edit_MovimViewSaidas;
    QLabel* Label98; // balance
    QLineEdit* Edit_MovimViewTotal;
    QLabel* Label_MovimViewType;
    QLineEdit* Edit_MovimViewType;
    QLabel* Label60; // last movement
    QLineEdit* Edit_MovimViewDate;
    QLabel* Label_MovimViewRec;
    QLineEdit* Edit_MovimViewRec;
    TRe2Buttn* Button_MovimDelete;
    TRe2Buttn* Button_MovimViewClose;
    StringGrid* StringGrid10;

    // The date-range chooser.
    QFrame* Panel_MovimDate;
    QFrame* Panel2;   // its caption bar
    QLabel* Label128; // its title
    QToolButton* SpeedButton_MovimDateClose;
    QLabel* Label_MovimDateFrom;
    QLineEdit* Edit_MovimDateFrom;
    QScrollBar* ScrollBar_MovimDateFrom;
    QLabel* Label_MovimDateTo;
    QLineEdit* Edit_MovimDateTo;
    QScrollBar* ScrollBar_MovimDateTo;
    TRe2Buttn* Button_MovimDateOk;
    TRe2Buttn* Button_MovimDateCancel;

protected:
    void LoadData() override;
    void FillLists() override;
    void AfterShow() override;

private:
    // Lists the movements through the filters of the two lists (and the date range when it limits
    // the list); fillItems also gives the item list its items.
    void ListMovements(bool atShow);
    void StepDate(QLineEdit* box, QScrollBar* bar, int position);
    void SetChooserControls(bool enabled);

    Variant m_variant;
    PopupPanel m_chooser;
    QDate m_from, m_to;
    bool m_dateLimit = false; // from the chooser's "ok" to the end of the reload it starts
    QStringList m_items;
    QString m_damaged; // the message naming the records that could not be read, shown once
};
