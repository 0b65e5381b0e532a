#pragma once

#include "i18n/RenameItem.h"

#include <QFrame>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QRadioButton;
class TRe2Buttn;

// The rename panel of the multi-purpose dialog (objectName "Panel_Rename"): the user picks a
// product (name and type) or a raw material, types the new name (and type), and every data file of
// the company that names the item is rewritten (RenameItem). Its captions are set by the dialog's
// ApplyFormLanguage; the dialog closes with accept() after a rename and reject() on cancel.
class RenameItemPanel : public QFrame {
    Q_OBJECT
public:
    explicit RenameItemPanel(QDialog* dialog);

    // What the boxes ask for.
    RenameRequest Request() const;
    bool ProductsChosen() const;

    QRadioButton* RadioButton3; // products
    QRadioButton* RadioButton4; // raw materials
    QLabel* Label5;             // the caption of the chosen radio button
    QLabel* Label7;             // "From"
    QComboBox* ComboBox1;       // existing names
    QLabel* Label8;             // "To"
    QLineEdit* Edit4;           // new name
    QLabel* Label6;             // "Type"
    QLabel* Label9;             // "From"
    QComboBox* ComboBox2;       // existing types
    QLabel* Label10;            // "To"
    QLineEdit* Edit6;           // new type
    TRe2Buttn* Button_rename;
    TRe2Buttn* Button_cancel2;

public slots:
    void RadioButton3Click();
    void RadioButton4Click();
    void ComboBox1Change();
    void ComboBox2Change();
    void Button_renameClick();
    void Button_cancel2Click();

private:
    void Prepare(bool products);

    QDialog* m_dialog;
};
