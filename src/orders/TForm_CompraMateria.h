#pragma once

#include "orders/OrderRows.h"
#include "shell/ScreenForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class SelectedRow;
class StringGrid;
class TRe2Buttn;

// Purchase orders of raw materials (EncomMateria.DAT): enter, edit, archive and remove them; archived
// orders are not listed. An order names a raw material and a supplier whose pair must exist in
// MateriasPrimas.DAT: a missing pair is added there on the user's word, and the pair's reference
// and price go into the order.
class TForm_CompraMateria : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns: four shown, the others hidden.
    enum Column {
        ColMaterial = OrderRows::PurMaterial,
        ColSupplier = OrderRows::PurSupplier,
        ColQuantity = OrderRows::PurQuantity,
        ColDate = OrderRows::PurDate,
        ColSecondDate = OrderRows::PurSecondDate,
        ColRecord = OrderRows::PurRecord,
        ColReference = OrderRows::PurReference,
        ColDateKey = OrderRows::PurDateKey,
        ColState = OrderRows::PurState,
        ColReceived = OrderRows::PurReceived,
        ColMaterialReference = OrderRows::PurMaterialReference,
        ColUnitCost = OrderRows::PurUnitCost,
        ColumnCount = OrderRows::PurchaseColumnCount
    };

    explicit TForm_CompraMateria(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid19; }
    void ApplyFormLanguage() override;

    // Handlers.
    void StringGrid19Click(int row);
    void StringGrid19DblClick(int row);
    void Edit_CompraQuantExit();
    void Scroll_CompraDataChange();
    void Button_CompraAddClick();
    void Button_CompraDeleteClick();

    // The material-supplier pair of the order: found (its reference and price go into their
    // boxes), or added to MateriasPrimas.DAT on the user's word. False when the user refuses.
    bool MaterialSupplierPair(const QString& material, const QString& supplier);

    QLabel* Label130; // raw material
    QLabel* Label140; // material reference
    QLabel* Label132; // supplier
    QLabel* Label133; // quantity
    QLabel* Label136; // date
    QLabel* Label138; // purchase reference
    QLabel* Label106; // received
    QLabel* Label139; // unit cost
    QLabel* Label135; // selected row (hidden)
    QComboBox* ComboBox_CompraMateria;
    QLineEdit* Edit_CompraMateriaRef;
    QComboBox* ComboBox_CompraFornecedor;
    QLineEdit* Edit_CompraQuant;
    QLineEdit* Edit_CompraData;
    QScrollBar* Scroll_CompraData;
    QLineEdit* Edit_CompraRef;
    QLineEdit* Edit_CompraQuantExec;
    QLineEdit* Edit_MateriaCusto;
    QCheckBox* CheckBox_CompraDone;
    QCheckBox* CheckBox_CompraHold;
    TRe2Buttn* Button_CompraAdd;
    TRe2Buttn* Button_CompraDelete;
    TRe2Buttn* Button_CompraClose;
    StringGrid* StringGrid19;

protected:
    void LoadData() override;
    void FillLists() override;
    void FormCloseScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reload();
    void ResetInputs();
    void StoreOrder(qint64 index);

    SelectedRow* m_selected;
    bool m_checkingQuantity = false;
};
