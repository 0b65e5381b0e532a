// Every master-data screen as its menu command opens it: title, help context, caption, the named
// controls and their input limits, the grid and its hidden record column, the screen texts of the
// chosen language, and Close.
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "shell/ScreenForm.h"
#include "support/LayoutCheck.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace testsupport;

namespace {

struct ScreenCase {
    const char* menuItem;
    const char* screenClass;
    int title;
    int helpContext;
    const char* grid;
    int columns;
    int recordColumn; // hidden; -1 for none
    // Named controls; a limit of 0 means the control takes no typed text.
    QList<QPair<const char*, int>> controls;
};

QList<ScreenCase> screens()
{
    return {
        {"menu_EditMateriaPrima", "TForm_MateriaPrima", 0, 211, "StringGrid1", 7, 5,
         {{"ComboBox_MateriaPrima", 40}, {"Edit_MatPrimaRef", 15}, {"Edit_MateriaPreco", 10},
          {"ComboBox_MateriaUn", 5}, {"ComboBox_MateriaFornecedor", 30}, {"Label1", 0}, {"Label112", 0},
          {"Label2", 0}, {"Label3", 0}, {"Label5", 0}, {"Button_MateriaAdd", 0}, {"Button_MateriaDelete", 0},
          {"Button_MateriaClose", 0}}},
        {"menu_EditProduto", "TForm_Produto", 1, 212, "StringGrid3", 13, 8,
         {{"ComboBox_Produto", 20}, {"ComboBox_ProdutoCor", 20}, {"ComboBox_ProdutoMateria", 40},
          {"Edit_ProdutoQuant", 10}, {"ComboBox_ProdutoUn", 5}, {"ComboBox_ProdutoOperacao", 10},
          {"CheckBox_ProdutoComposto", 0}, {"ComboBox_ProdutoComposto", 0}, {"Edit_ProdutoMoldes", 2},
          {"Scroll_ProdutoMoldes", 0}, {"Edit_ProdutoCiclo", 5}, {"Edit_ProdutoQuantDia", 10}, {"Label16", 0},
          {"Label12", 0}, {"Label75", 0}, {"Label13", 0}, {"Label14", 0}, {"Label67", 0}, {"Label20", 0},
          {"Label21", 0}, {"Label149", 0}, {"Button_ProdutoAdd", 0}, {"Button_ProdutoCopy", 0},
          {"Button_ProdutoDelete", 0}, {"Button_ProdutoClose", 0}}},
        {"menu_EditFornecedor", "TForm_Fornecedor", 2, 213, "StringGrid2", 7, 6,
         {{"Edit_Fornecedor", 30}, {"Edit_FornecedorContacto", 15}, {"Edit_FornecedorTelefone", 15},
          {"Edit_FornecedorFax", 15}, {"Edit_FornecedorEmail", 35}, {"Edit_FornecedorMorada", 150}, {"Label6", 0},
          {"Label7", 0}, {"Label8", 0}, {"Label18", 0}, {"Label10", 0}, {"Button_ForneceAdd", 0},
          {"Button_ForneceDelete", 0}, {"Button_ForneceClose", 0}}},
        {"menu_EditCliente", "TForm_Cliente", 3, 214, "StringGrid8", 7, 6,
         {{"Edit_Cliente", 30}, {"Edit_ClienteContacto", 15}, {"Edit_ClienteTelefone", 15}, {"Edit_ClienteFax", 15},
          {"Edit_ClienteEmail", 35}, {"Edit_ClienteMorada", 150}, {"Label41", 0}, {"Label42", 0}, {"Label43", 0},
          {"Label47", 0}, {"Label45", 0}, {"Button_ClienteAdd", 0}, {"Button_ClienteDelete", 0},
          {"Button_ClienteClose", 0}}},
        {"menu_EditEquip", "TForm_Equipamento", 4, 215, "StringGrid12", 6, 5,
         {{"ComboBox_Equip", 10}, {"ComboBox_EquipTipo", 30}, {"Edit_EquipCusto", 5}, {"Edit_EquipQuant", 2},
          {"Scroll_EquipQuant", 0}, {"ComboBox_EquipOperacao", 10}, {"Label68", 0}, {"Label99", 0}, {"Label69", 0},
          {"Label149", 0}, {"Label72", 0}, {"Button_EquipAdd", 0}, {"Button_EquipDelete", 0},
          {"Button_EquipClose", 0}}},
        {"menu_ViewProdDefinicao", "TForm_ProdutoView", 13, 42, "StringGrid4", 11, -1,
         {{"ComboBox_ProdutoView", 0}, {"Edit_ProdutoViewMoldes", 0}, {"Edit_ProdutoViewCiclo", 0},
          {"Edit_ProdutoViewQuantDia", 0}, {"Image_ProdutoViewCompst", 0}, {"Bevel_ProdutoViewCompst", 0},
          {"Label22", 0}, {"Label100", 0}, {"Label23", 0}, {"Label24", 0}, {"Button_ProdutoViewFile", 0},
          {"Button_ProdutoViewClose", 0}}},
    };
}

int limitOf(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->maxLength();
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->isEditable())
        return list->lineEdit()->maxLength();
    return 0;
}

} // namespace

class TestMasterScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyScreenOpensFromItsMenu()
    {
        MasterScreens app;
        copySampleCompany(app.companyFolder());
        for (const ScreenCase& c : screens()) {
            ScreenForm* screen = app.open<ScreenForm>(c.menuItem);
            QVERIFY2(screen, c.menuItem);
            QCOMPARE(screen->objectName(), QString(c.screenClass));
            QCOMPARE(app.form->HelpContext(), c.helpContext);
            StringGrid* grid = control<StringGrid>(screen, c.grid);
            QCOMPARE(CurrentGrid.data(), grid);
            QCOMPARE(CurrentCloseButton.data(), screen->CloseButton());
            QCOMPARE(grid->ScreenTitle(), LangTitle[c.title]);
            QVERIFY(app.form->windowTitle().endsWith(" : " + LangTitle[c.title]));
            QCOMPARE(grid->ColCount(), c.columns);
            if (c.recordColumn >= 0) {
                QCOMPARE(grid->ColWidths(c.recordColumn), 0);
                QVERIFY(grid->Cells(c.recordColumn, 1).toInt() > 0); // record number + 1
            }
            QVERIFY2(grid->RowCount() > 2, c.grid); // the sample company's records
            for (const auto& [name, limit] : c.controls) {
                QWidget* w = control<QWidget>(screen, name);
                QVERIFY2(w, name);
                if (limit > 0)
                    QVERIFY2(limitOf(w) == limit, name);
            }
            // Close releases the screen and puts its title in the history list.
            click(screen->CloseButton());
            QVERIFY(!app.form->CurrentScreen());
            auto* history = control<QComboBox>(app.form.get(), "ComboBox_Historic");
            QVERIFY(history->findText(LangTitle[c.title]) >= 0);
        }
        QCOMPARE(app.messages.count(), 0);
    }

    // What a user sees, with the sample company, in both languages at both window sizes: every
    // control inside the screen, none over another, no caption cut.
    void everyScreenFitsTheWindow_data()
    {
        AddLanguageRows();
    }
    void everyScreenFitsTheWindow()
    {
        QFETCH(QByteArray, language);
        MasterScreens app("Language=" + language + "\r\n");
        copySampleCompany(app.companyFolder());
        for (const ScreenCase& c : screens())
            VERIFY_SCREEN_LAYOUT(*app.form, c.menuItem);
    }

    // The screen texts follow the language chosen in the settings, from the language file.
    void textsFollowTheLanguage()
    {
        MasterScreens app("Language=Portuguese\r\n");
        QCOMPARE(CurrentLanguage, QString("Portuguese"));
        app.open<ScreenForm>("menu_EditFornecedor");
        QCOMPARE(control<QLabel>(app.form.get(), "Label6")->text(), LangText("label_19", "?"));
        QCOMPARE(control<QLabel>(app.form.get(), "Label18")->text(), LangText("label_25", "?"));
        QCOMPARE(control<StringGrid>(app.form.get(), "StringGrid2")->Cells(5, 0), LangText("label_25", "?"));
        QVERIFY(LangText("label_25", "?") != QString("?"));
        app.open<ScreenForm>("menu_EditProduto");
        QCOMPARE(control<QLabel>(app.form.get(), "Label12")->text(), LangText("label_31", "?"));
    }
};

QTEST_MAIN(TestMasterScreens)
#include "tst_masterscreens.moc"
