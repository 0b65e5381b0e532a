// Suppliers and clients: loading, Add and Edit on the right record, the duplicate-supplier question,
// refused names, Delete of the selected row, and what reaches the file.
#include "i18n/Language.h"
#include "masterdata/TForm_Cliente.h"
#include "masterdata/TForm_Fornecedor.h"
#include "masterdata/MasterTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace testsupport;

namespace {

FornecedorRecord company(const QString& name, const QString& contact, const QString& fax)
{
    auto r = EmptyRecord<FornecedorRecord>();
    r.Nome = name;
    r.Contacto = contact;
    r.Telefone = "22 000 00 00";
    r.Fax = fax;
    r.Morada = "Rua " + name;
    r.Email = name.left(4).toLower() + "@mail.pt";
    return r;
}

} // namespace

class TestAddressBooks : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;
    QString m_suppliers, m_clients;

    QLineEdit* edit(QWidget* screen, const char* name) { return control<QLineEdit>(screen, name); }
    TForm_Fornecedor* openSuppliers() { return m_app->open<TForm_Fornecedor>("menu_EditFornecedor"); }
    TForm_Cliente* openClients() { return m_app->open<TForm_Cliente>("menu_EditCliente"); }
    ScriptedMessages& messages() { return m_app->messages; }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        m_suppliers = m_app->path(DataFile::Fornecedores);
        m_clients = m_app->path(DataFile::Clientes);
        WriteAllRecords(m_suppliers, std::vector<FornecedorRecord>{company("Resinas do Norte", "Ana", ""),
                                                                   company("Abreu Plasticos", "Rui", "22 111"),
                                                                   company("Moldes Lda", "Rita", "")});
    }
    void cleanup() { m_app.reset(); }

    void loadsSortedWithBlanksForEmptyFields()
    {
        auto* screen = openSuppliers();
        auto* grid = control<StringGrid>(screen, "StringGrid2");
        QCOMPARE(columnTexts(grid, 0), QStringList({"Abreu Plasticos", "Moldes Lda", "Resinas do Norte"}));
        QCOMPARE(columnTexts(grid, 6), QStringList({"2", "3", "1"}));
        QCOMPARE(grid->Cells(3, 3), QString(" "));
        QCOMPARE(control<QLabel>(screen, "Label10")->text(), QString("3"));
        QCOMPARE(grid->Cells(0, 0), LangText("label_19", "Fornecedor"));
        QCOMPARE(grid->Cells(3, 0), QString("Fax"));
        QCOMPARE(grid->ColWidths(6), 0);
        QVERIFY(edit(screen, "Edit_Fornecedor")->hasFocus());
    }

    // A blank fax is shown as a blank cell, comes back empty to the input and is stored empty; the
    // edit lands on the record of the double-clicked row.
    void editReplacesTheDoubleClickedRecord()
    {
        auto* screen = openSuppliers();
        auto* grid = control<StringGrid>(screen, "StringGrid2");
        const int row = rowWith(grid, 0, "Moldes Lda");
        doubleClickCell(grid, 1, row);
        QCOMPARE(control<QAbstractButton>(screen, "Button_ForneceAdd")->text(), QString("Edit"));
        QVERIFY(!edit(screen, "Edit_Fornecedor")->isEnabled());
        QCOMPARE(edit(screen, "Edit_FornecedorFax")->text(), QString());
        QCOMPARE(edit(screen, "Edit_FornecedorContacto")->text(), QString("Rita"));
        QCOMPARE(control<QLabel>(screen, "Label10")->text(), QString::number(row));
        replaceText(edit(screen, "Edit_FornecedorContacto"), "Eng. Sousa");
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));

        QCOMPARE(messages().count(), 0);
        const auto records = recordsOf<FornecedorRecord>(m_suppliers);
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(records[2].Contacto.text(), QString("Eng. Sousa"));
        QCOMPARE(records[2].Fax.length(), 0);
        QCOMPARE(records[2].Nome.text(), QString("Moldes Lda"));
        QCOMPARE(records[0].Contacto.text(), QString("Ana"));
        // Reloaded, back in Add mode with empty inputs.
        QCOMPARE(grid->Cells(1, rowWith(grid, 0, "Moldes Lda")), QString("Eng. Sousa"));
        QCOMPARE(control<QAbstractButton>(screen, "Button_ForneceAdd")->text(), QString("Add"));
        QVERIFY(edit(screen, "Edit_Fornecedor")->isEnabled());
        QCOMPARE(edit(screen, "Edit_FornecedorContacto")->text(), QString());
    }

    // Sorting by another column between the double click and Edit still edits the record shown.
    void editAfterSortingStillHitsTheRecordShown()
    {
        auto* screen = openSuppliers();
        auto* grid = control<StringGrid>(screen, "StringGrid2");
        doubleClickCell(grid, 0, rowWith(grid, 0, "Abreu Plasticos"));
        pressTitle(grid, 1); // by contact: Ana, Rita, Rui
        QCOMPARE(columnTexts(grid, 1), QStringList({"Ana", "Rita", "Rui"}));
        QCOMPARE(control<QLabel>(screen, "Label10")->text(), QString("3"));
        replaceText(edit(screen, "Edit_FornecedorTelefone"), "999");
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));
        const auto records = recordsOf<FornecedorRecord>(m_suppliers);
        QCOMPARE(records[1].Telefone.text(), QString("999"));
        QCOMPARE(records[0].Telefone.text(), QString("22 000 00 00"));
        QCOMPARE(records[2].Telefone.text(), QString("22 000 00 00"));
    }

    void duplicateSupplierAsksBeforeReplacing()
    {
        auto* screen = openSuppliers();
        const QByteArray before = readFile(m_suppliers);
        typeInto(edit(screen, "Edit_Fornecedor"), "Moldes Lda");
        typeInto(edit(screen, "Edit_FornecedorContacto"), "Jorge");
        messages().answer(MessageBox::No);
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));
        QCOMPARE(messages().texts(), QStringList({"'Moldes Lda' " + LangMsg[51]}));
        QCOMPARE(MessageBox::shown().last().buttons, MessageBox::OkNo);
        QCOMPARE(readFile(m_suppliers), before);

        messages().answer(MessageBox::Ok);
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));
        const auto records = recordsOf<FornecedorRecord>(m_suppliers);
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(records[2].Contacto.text(), QString("Jorge"));
        QCOMPARE(records[2].Email.length(), 0); // the inputs replace every field
        QCOMPARE(control<StringGrid>(screen, "StringGrid2")->Cells(1, 2), QString("Jorge"));
    }

    void duplicateClientIsAddedWithoutAQuestion()
    {
        WriteAllRecords(m_clients, std::vector<FornecedorRecord>{company("Drogaria Central", "Joao", "")});
        auto* screen = openClients();
        typeInto(edit(screen, "Edit_Cliente"), "Drogaria Central");
        typeInto(edit(screen, "Edit_ClienteMorada"), "Largo do Toural");
        click(control<QAbstractButton>(screen, "Button_ClienteAdd"));
        QCOMPARE(messages().count(), 0);
        const auto records = recordsOf<FornecedorRecord>(m_clients);
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[1].Morada.text(), QString("Largo do Toural"));
        QCOMPARE(records[1].Contacto.length(), 0);
        QCOMPARE(control<StringGrid>(screen, "StringGrid8")->RowCount(), 3);
    }

    void badNamesStoreNothing()
    {
        auto* screen = openSuppliers();
        const QByteArray before = readFile(m_suppliers);
        typeInto(edit(screen, "Edit_FornecedorContacto"), "Ana");
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));
        QCOMPARE(messages().texts(), QStringList({LangMsg[1] + " :\r\r" + LangText("label_19", "Fornecedor")}));
        QVERIFY(edit(screen, "Edit_Fornecedor")->hasFocus());

        messages().clear();
        typeInto(edit(screen, "Edit_Fornecedor"), "A/B: Lda");
        click(control<QAbstractButton>(screen, "Button_ForneceAdd"));
        QCOMPARE(messages().texts(), QStringList({LangMsg[50], LangMsg[50]}));
        QCOMPARE(readFile(m_suppliers), before);
    }

    // Delete removes the record of the row in the label, and only while that row is current.
    void deleteRemovesTheSelectedRowOnly()
    {
        auto* screen = openSuppliers();
        auto* grid = control<StringGrid>(screen, "StringGrid2");
        auto* del = control<QAbstractButton>(screen, "Button_ForneceDelete");
        const int row = rowWith(grid, 0, "Resinas do Norte");
        doubleClickCell(grid, 0, row);
        clickCell(grid, 0, 1); // another row becomes current
        click(del);
        QCOMPARE(messages().texts(), QStringList({LangMsg[22]}));
        QCOMPARE(recordsOf<FornecedorRecord>(m_suppliers).size(), size_t(3));

        clickCell(grid, 0, row);
        click(del);
        const auto records = recordsOf<FornecedorRecord>(m_suppliers);
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(QFileInfo(m_suppliers).size(), qint64(2 * sizeof(FornecedorRecord)));
        QCOMPARE(records[0].Nome.text(), QString("Abreu Plasticos"));
        QCOMPARE(records[1].Nome.text(), QString("Moldes Lda"));
        QCOMPARE(columnTexts(grid, 0), QStringList({"Abreu Plasticos", "Moldes Lda"}));
        QCOMPARE(columnTexts(grid, 6), QStringList({"1", "2"}));
        // The record on show is gone: back to Add.
        QCOMPARE(control<QAbstractButton>(screen, "Button_ForneceAdd")->text(), QString("Add"));
        QCOMPARE(edit(screen, "Edit_Fornecedor")->text(), QString());
    }
};

QTEST_MAIN(TestAddressBooks)
#include "tst_addressbooks.moc"
