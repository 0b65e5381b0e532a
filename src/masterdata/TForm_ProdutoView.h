#pragma once

#include "shell/ScreenForm.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class StringGrid;
class TRe2Buttn;

// The composition of the products, read only: every line of Produtos.DAT or the lines of one
// product chosen in the list, with the production data of the clicked line and a picture that marks
// composite lines.
class TForm_ProdutoView : public ScreenForm {
    Q_OBJECT
public:
    // Grid columns.
    enum Column {
        ColProduto,
        ColTipo,
        ColMateriaPrima,
        ColQuant,
        ColUn,
        ColCiclo,
        ColQuantDia,
        ColPosition, // the line's place in the listing, 1, 2, ...
        ColMoldes,
        ColComposto, // "True" on a composite line
        ColumnCount = 11
    };

    // The list entry that shows every product.
    static QString ShowAll() { return QStringLiteral("( show all )\t"); }

    explicit TForm_ProdutoView(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return StringGrid4; }
    void ApplyFormLanguage() override;

    // Handlers.
    void ComboBox_ProdutoViewChange();
    void StringGrid4Click(int row);
    void Button_ProdutoViewFileClick();

    QLabel* Label22;  // product
    QLabel* Label100; // moulds
    QLabel* Label23;  // cycles per hour
    QLabel* Label24;  // raw material per day
    QComboBox* ComboBox_ProdutoView;
    QLineEdit* Edit_ProdutoViewMoldes;
    QLineEdit* Edit_ProdutoViewCiclo;
    QLineEdit* Edit_ProdutoViewQuantDia;
    QFrame* Bevel_ProdutoViewCompst;
    QLabel* Image_ProdutoViewCompst;
    TRe2Buttn* Button_ProdutoViewFile;
    TRe2Buttn* Button_ProdutoViewClose;
    StringGrid* StringGrid4;

protected:
    void LoadData() override;
    void FillLists() override;

private:
    // Lists the lines of the product of the list entry (every line for ShowAll()); returns how many.
    qint64 ListLines(const QString& entry, bool fillList);
};
