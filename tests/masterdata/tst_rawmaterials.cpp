// Raw materials: the empty file, the new-supplier question and the supplier it creates, the price
// keys, Edit and Delete on the record of the selected row, checked in the grid and in the files.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "masterdata/TForm_MateriaPrima.h"
#include "shell/InputChecks.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace testsupport;

namespace {

MateriaPrimaRecord material(const QString& name, const QString& ref, const QString& price, const QString& supplier,
                            const QString& unit)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Referencia = ref;
    r.Preco = price;
    r.Fornecedor = supplier;
    r.Un = unit;
    return r;
}

FornecedorRecord supplier(const QString& name)
{
    auto r = EmptyRecord<FornecedorRecord>();
    r.Nome = name;
    r.Contacto = "Ana";
    return r;
}

} // namespace

class TestRawMaterials : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;
    QString m_file, m_suppliers;

    TForm_MateriaPrima* openScreen() { return m_app->open<TForm_MateriaPrima>("menu_EditMateriaPrima"); }
    void fillSample()
    {
        WriteAllRecords(m_file, std::vector<MateriaPrimaRecord>{
                                    material("Polipropileno", "LONGREF-12345", "1.42", "Plastiquimica", "kg"),
                                    material("Masterbatch Azul", "", "6.4", "Cores Lda", "  "),
                                    material("Polipropileno", "RN-PPH", "1.38", "Resinas", "kg")});
        WriteAllRecords(m_suppliers, std::vector<FornecedorRecord>{supplier("Plastiquimica"), supplier("Cores Lda"),
                                                                   supplier("Resinas")});
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        m_file = m_app->path(DataFile::MateriasPrimas);
        m_suppliers = m_app->path(DataFile::Fornecedores);
    }
    void cleanup() { m_app.reset(); }

    void emptyFileShowsAnEmptyRow()
    {
        auto* s = openScreen();
        QVERIFY(QFileInfo::exists(m_file));
        QCOMPARE(s->StringGrid1->RowCount(), 2);
        QCOMPARE(s->Label5->text(), QString("0"));
        doubleClickCell(s->StringGrid1, 0, 1);
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Add"));
        QVERIFY(s->ComboBox_MateriaPrima->isEnabled());
    }

    void loadsWithBlanksAndLists()
    {
        fillSample();
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid1;
        QCOMPARE(columnTexts(grid, 0), QStringList({"Masterbatch Azul", "Polipropileno", "Polipropileno"}));
        QCOMPARE(grid->Cells(1, 1), QString(" "));
        QCOMPARE(grid->Cells(3, 1), QString(" ")); // a unit of blanks only
        QCOMPARE(grid->Cells(3, 0), QString("un."));
        QCOMPARE(grid->Cells(2, 0), LangText("label_30", QString::fromUtf8("Preço")));
        QCOMPARE(s->ComboBox_MateriaPrima->count(), 2);
        QCOMPARE(s->ComboBox_MateriaFornecedor->count(), 3);
        QCOMPARE(s->ComboBox_MateriaFornecedor->currentText(), QString());
        QCOMPARE(s->Label5->text(), QString("3"));
    }

    // A supplier that is not known is asked for; on OK the line is stored and the supplier becomes
    // a supplier of its own with its name only.
    void newSupplierIsAskedForAndCreated()
    {
        fillSample();
        auto* s = openScreen();
        const QByteArray materials = readFile(m_file);
        const QByteArray suppliers = readFile(m_suppliers);
        typeInto(s->ComboBox_MateriaPrima, "Poliestireno");
        typeInto(s->Edit_MatPrimaRef, "PS-1");
        typeInto(s->Edit_MateriaPreco, "2.1");
        typeInto(s->ComboBox_MateriaUn, "kg");
        typeInto(s->ComboBox_MateriaFornecedor, "Novo Polimeros");
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_MateriaAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[33]}));
        QCOMPARE(readFile(m_file), materials);
        QCOMPARE(readFile(m_suppliers), suppliers);

        click(s->Button_MateriaAdd);
        const auto lines = recordsOf<MateriaPrimaRecord>(m_file);
        QCOMPARE(lines.size(), size_t(4));
        QCOMPARE(lines[3].MateriaPrima.text(), QString("Poliestireno"));
        QCOMPARE(lines[3].Referencia.text(), QString("PS-1"));
        QCOMPARE(lines[3].Preco.text(), QString("2.1"));
        QCOMPARE(lines[3].Fornecedor.text(), QString("Novo Polimeros"));
        const auto all = recordsOf<FornecedorRecord>(m_suppliers);
        QCOMPARE(all.size(), size_t(4));
        QCOMPARE(all[3].Nome.text(), QString("Novo Polimeros"));
        for (int len : {all[3].Contacto.length(), all[3].Telefone.length(), all[3].Fax.length(),
                        all[3].Morada.length(), all[3].Email.length()})
            QCOMPARE(len, 0);
        QVERIFY(FindExactItem(s->ComboBox_MateriaFornecedor, "Novo Polimeros"));
        QVERIFY(rowWith(s->StringGrid1, 1, "PS-1") > 0);
    }

    void knownSupplierStoresAndResets()
    {
        fillSample();
        auto* s = openScreen();
        typeInto(s->ComboBox_MateriaPrima, "Masterbatch Azul");
        typeInto(s->ComboBox_MateriaUn, "kg");
        typeInto(s->ComboBox_MateriaFornecedor, "Resinas");
        click(s->Button_MateriaAdd);
        QCOMPARE(m_app->messages.count(), 0);
        const auto lines = recordsOf<MateriaPrimaRecord>(m_file);
        QCOMPARE(lines.size(), size_t(4));
        QCOMPARE(lines[3].Referencia.length(), 0);
        QCOMPARE(lines[3].Preco.length(), 0);
        QCOMPARE(s->ComboBox_MateriaPrima->currentText(), QString());
        QCOMPARE(s->ComboBox_MateriaFornecedor->currentText(), QString());
        QVERIFY(s->ComboBox_MateriaPrima->hasFocus());
    }

    void missingInputsAndIllegalCharacters()
    {
        fillSample();
        auto* s = openScreen();
        const QByteArray before = readFile(m_file);
        typeInto(s->ComboBox_MateriaPrima, "Poliestireno");
        click(s->Button_MateriaAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[1] + " :\r\r" + LangText("label_23", QString::fromUtf8("Matéria Prima")) + "\run.\r" + LangText("label_19", "Fornecedor")}));
        QVERIFY(s->StringGrid1->hasFocus());
        m_app->messages.clear();
        typeInto(s->ComboBox_MateriaUn, "kg");
        typeInto(s->ComboBox_MateriaFornecedor, "Resinas;Lda");
        click(s->Button_MateriaAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[50]}));
        QCOMPARE(readFile(m_file), before);
    }

    void priceKeysFollowTheLocalSeparator()
    {
        auto* s = openScreen();
        typeInto(s->Edit_MateriaPreco, "1a,5.2");
        QCOMPARE(s->Edit_MateriaPreco->text(), QString("15.2"));
        {
            ScopedRegionalSettings comma(RegionalSettings::commaLocale());
            replaceText(s->Edit_MateriaPreco, "1,5x");
            QCOMPARE(s->Edit_MateriaPreco->text(), QString("1,5"));
        }
    }

    // In a Portuguese session (the C library's locale set as the application sets it) a price is
    // stored with the local separator of the regional settings and read back, comma or point.
    void pricesUnderAPortugueseSession()
    {
        SessionLocale session("pt_PT.UTF-8");
        QVERIFY2(session.ok(), "the build generates pt_PT.UTF-8 into " QUORVALE_TEST_LOCALE_DIR);
        fillSample();
        for (const auto& [settings, price] : {std::pair{RegionalSettings::commaLocale(), "3,5"},
                                              std::pair{RegionalSettings::pointLocale(), "0.5"}}) {
            ScopedRegionalSettings rs(settings);
            auto* s = openScreen();
            typeInto(s->ComboBox_MateriaPrima, "Masterbatch Azul");
            typeInto(s->Edit_MateriaPreco, price);
            typeInto(s->ComboBox_MateriaUn, "kg");
            typeInto(s->ComboBox_MateriaFornecedor, "Resinas");
            click(s->Button_MateriaAdd);
            QCOMPARE(m_app->messages.texts(), QStringList());
            QCOMPARE(recordsOf<MateriaPrimaRecord>(m_file).back().Preco.text(), QString(price));
            s = openScreen();
            const int row = rowWith(s->StringGrid1, 2, price);
            QVERIFY(row > 0);
            doubleClickCell(s->StringGrid1, 0, row);
            QCOMPARE(s->Edit_MateriaPreco->text(), QString(price));
            QVERIFY(CheckNumberEdit(s->Edit_MateriaPreco));
        }
    }

    // Edit replaces the record in place: the bytes after a shorter new text are those of the old one.
    void editReplacesInPlace()
    {
        fillSample();
        auto* s = openScreen();
        const int row = rowWith(s->StringGrid1, 1, "LONGREF-12345");
        doubleClickCell(s->StringGrid1, 0, row);
        QVERIFY(!s->ComboBox_MateriaPrima->isEnabled());
        QCOMPARE(s->ComboBox_MateriaFornecedor->currentText(), QString("Plastiquimica"));
        replaceText(s->Edit_MatPrimaRef, "AB");
        click(s->Button_MateriaAdd);
        const QByteArray bytes = readFile(m_file);
        QCOMPARE(bytes.size(), qsizetype(3 * sizeof(MateriaPrimaRecord)));
        QCOMPARE(bytes.mid(41, 16), QByteArray("\x02" "ABNGREF-12345\0\0", 16));
        QCOMPARE(recordsOf<MateriaPrimaRecord>(m_file)[0].Preco.text(), QString("1.42"));
        QVERIFY(s->ComboBox_MateriaPrima->isEnabled());
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Add"));
    }

    // The row taken for editing is drawn pale while the button reads Edit, follows its record when
    // the rows are sorted, and loses the mark when the edit is stored or the record deleted.
    void editedRowIsMarked()
    {
        fillSample();
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid1;
        auto paleAt = [&](int row) {
            const QImage image = grid->grab().toImage();
            const QRect cell = grid->CellRect(TForm_MateriaPrima::ColReferencia, row);
            return image.pixelColor(cell.right() - 3, cell.bottom() - 2) == MarkedRowColour;
        };
        QCOMPARE(grid->MarkedRow(), 0);
        clickCell(grid, 0, 1); // a click only selects
        QCOMPARE(grid->MarkedRow(), 0);
        int row = rowWith(grid, 1, "RN-PPH");
        doubleClickCell(grid, 0, row);
        QCOMPARE(grid->MarkedRow(), row);
        QVERIFY(paleAt(row));
        QVERIFY(!paleAt(row == 1 ? 2 : 1));
        pressTitle(grid, TForm_MateriaPrima::ColReferencia); // sorted: the mark moves with its record
        row = rowWith(grid, 1, "RN-PPH");
        QCOMPARE(grid->MarkedRow(), row);
        QVERIFY(paleAt(row));
        click(s->Button_MateriaAdd); // the edit is stored
        QCOMPARE(grid->MarkedRow(), 0);
        QVERIFY(!paleAt(rowWith(grid, 1, "RN-PPH")));

        row = rowWith(grid, 1, "LONGREF-12345");
        doubleClickCell(grid, 0, row);
        QCOMPARE(grid->MarkedRow(), row);
        click(s->Button_MateriaDelete);
        QCOMPARE(grid->MarkedRow(), 0);
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Add"));
    }

    // A row is selected by a click, another by a double click; Delete removes the double-clicked
    // row only while it is the current row.
    void deleteFollowsTheSelectedRow()
    {
        fillSample();
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid1;
        const int rsRow = rowWith(grid, 1, "RN-PPH");
        clickCell(grid, 0, 1);
        QCOMPARE(s->Label5->text(), QString("1"));
        doubleClickCell(grid, 0, rsRow);
        QCOMPARE(s->Label5->text(), QString::number(rsRow));
        clickCell(grid, 0, 1); // in Edit mode a click does not move the label
        QCOMPARE(s->Label5->text(), QString::number(rsRow));
        click(s->Button_MateriaDelete);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[22]}));
        QCOMPARE(recordsOf<MateriaPrimaRecord>(m_file).size(), size_t(3));

        clickCell(grid, 0, rsRow);
        click(s->Button_MateriaDelete);
        const auto lines = recordsOf<MateriaPrimaRecord>(m_file);
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0].Referencia.text(), QString("LONGREF-12345"));
        QCOMPARE(lines[1].MateriaPrima.text(), QString("Masterbatch Azul"));
        QCOMPARE(rowWith(grid, 1, "RN-PPH"), 0);
        QCOMPARE(grid->RowCount(), 3);
    }

private:
    static bool FindExactItem(const QComboBox* list, const QString& text)
    {
        return list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    }
};

QTEST_MAIN(TestRawMaterials)
#include "tst_rawmaterials.moc"
