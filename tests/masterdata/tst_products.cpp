// Products and composition: the raw material per day, composite lines and self-composition, the
// questions for a new operation and a new raw material, Add/Edit/Delete on the record of the
// selected row, Duplicate, bad numbers, and the operations shared with the equipment screen.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "masterdata/MasterTestSupport.h"
#include "masterdata/TForm_Equipamento.h"
#include "masterdata/TForm_Produto.h"
#include "shell/DesktopServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace testsupport;

namespace {

ProdutoRecord line(const QString& name, const QString& type, const QString& material, const QString& qty,
                   bool composite = false)
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = type;
    r.MateriaPrima = material;
    r.Quant = qty;
    r.Un = composite ? "un" : "kg";
    r.Ciclo = "60";
    r.QuantDia = "0";
    r.Moldes = "2";
    r.Composto = composite ? 1 : 0;
    r.Operacao = composite ? "Montagem" : "Injeccao";
    return r;
}

MateriaPrimaRecord material(const QString& name)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Un = "kg";
    return r;
}

} // namespace

class TestProducts : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;
    QString m_file, m_materials;

    TForm_Produto* openScreen() { return m_app->open<TForm_Produto>("menu_EditProduto"); }
    ScriptedMessages& messages() { return m_app->messages; }
    // A plain line typed in full, with a known operation and raw material unless told otherwise.
    void typeLine(TForm_Produto* s, const QString& name, const QString& type, const QString& material,
                  const QString& qty, const QString& cycles, const QString& operation = "Injeccao")
    {
        typeInto(s->ComboBox_Produto, name);
        typeInto(s->ComboBox_ProdutoCor, type);
        typeInto(s->ComboBox_ProdutoMateria, material);
        replaceText(s->Edit_ProdutoQuant, qty);
        typeInto(s->ComboBox_ProdutoUn, "kg");
        replaceText(s->Edit_ProdutoCiclo, cycles);
        typeInto(s->ComboBox_ProdutoOperacao, operation);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        m_file = m_app->path(DataFile::Produtos);
        m_materials = m_app->path(DataFile::MateriasPrimas);
        WriteAllRecords(m_file, std::vector<ProdutoRecord>{line("Copo", "Azul", "Polipropileno", "0.01"),
                                                           line("Box", "Red", "Polietileno", "0.2"),
                                                           line("Copo", "Azul", "Masterbatch Azul", "0.001"),
                                                           line("Kit", "Festa", "Box Red", "2", true)});
        WriteAllRecords(m_materials, std::vector<MateriaPrimaRecord>{material("Polipropileno"), material("Polietileno"),
                                                                     material("Masterbatch Azul")});
        HoursPerDay = 24;
    }
    void cleanup() { m_app.reset(); }

    void loadsOrderedByProductAndType()
    {
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid3;
        QCOMPARE(columnTexts(grid, 10), QStringList({QString::fromUtf8("Box ¸ Red"), QString::fromUtf8("Copo ¸ Azul"),
                                                     QString::fromUtf8("Copo ¸ Azul"), QString::fromUtf8("Kit ¸ Festa")}));
        QCOMPARE(columnTexts(grid, 11), QStringList({"False", "False", "False", "True"}));
        QCOMPARE(grid->Cells(0, 0), LangText("label_31", "Produto"));
        QCOMPARE(s->Label16->text(), QString("4"));
        // The component list: every product once in file order, and an empty entry last.
        QCOMPARE(s->ComboBox_ProdutoComposto->count(), 4);
        QCOMPARE(s->ComboBox_ProdutoComposto->itemText(1), QString::fromUtf8("Box ¸ Red"));
        QCOMPARE(s->ComboBox_ProdutoComposto->itemText(3), QString());
        QVERIFY(!s->ComboBox_ProdutoComposto->isEnabled());
        QCOMPARE(s->ComboBox_ProdutoMateria->count(), 3);
        QCOMPARE(s->ComboBox_ProdutoOperacao->count(), 2);
        QCOMPARE(s->ComboBox_ProdutoOperacao->currentText(), QString());
        // The component of a composite line is red, a raw material is not.
        QCOMPARE(grid->StyleOf(2, 4).foreground, QColor(255, 0, 0));
        QVERIFY(grid->StyleOf(2, 1).foreground != QColor(255, 0, 0));
        QVERIFY(grid->StyleOf(1, 4).foreground != QColor(255, 0, 0));
    }

    // 0.5 x 2 moulds x 60 cycles x 24 hours = 1440, in the box and in the stored line.
    void rawMaterialPerDayIsStored()
    {
        auto* s = openScreen();
        typeLine(s, "Balde", "Verde", "Polipropileno", "0.5", "60");
        s->Scroll_ProdutoMoldes->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s->Edit_ProdutoMoldes->text(), QString("2"));
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("1440"));
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().count(), 0);
        const auto records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(5));
        const ProdutoRecord& r = records[4];
        QCOMPARE(r.Produto.text(), QString("Balde"));
        QCOMPARE(r.Tipo.text(), QString("Verde"));
        QCOMPARE(r.MateriaPrima.text(), QString("Polipropileno"));
        QCOMPARE(r.Quant.text(), QString("0.5"));
        QCOMPARE(r.Un.text(), QString("kg"));
        QCOMPARE(r.Ciclo.text(), QString("60"));
        QCOMPARE(r.QuantDia.text(), QString("1440"));
        QCOMPARE(r.Moldes.text(), QString("2"));
        QCOMPARE(int(r.Composto), 0);
        QCOMPARE(r.Operacao.text(), QString("Injeccao"));
        QVERIFY(rowWith(s->StringGrid3, 10, QString::fromUtf8("Balde ¸ Verde")) > 0);
        // Ready for the next line.
        QCOMPARE(s->Button_ProdutoAdd->text(), QString("Add"));
        QCOMPARE(s->Edit_ProdutoMoldes->text(), QString("1"));
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("0"));
        QCOMPARE(s->ComboBox_Produto->currentText(), QString());
        QVERIFY(s->ComboBox_Produto->findText("Balde") >= 0);
        // A figure longer than the box gets the digits it holds, not a text cut in its exponent.
        replaceText(s->Edit_ProdutoQuant, "9999999999");
        replaceText(s->Edit_ProdutoCiclo, "99999");
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("2.39998E16")); // of 2.39997599976E16
    }

    void mouldsStayBetweenOneAndNinetyNine()
    {
        auto* s = openScreen();
        for (int i = 0; i < 120; ++i)
            s->Scroll_ProdutoMoldes->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s->Edit_ProdutoMoldes->text(), QString("99"));
        for (int i = 0; i < 120; ++i)
            s->Scroll_ProdutoMoldes->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->Edit_ProdutoMoldes->text(), QString("1"));
    }

    // Bad numbers: a message, nothing stored, and the screen goes on working.
    void badNumbersStoreNothing()
    {
        auto* s = openScreen();
        const QByteArray before = readFile(m_file);
        typeLine(s, "Balde", "Verde", "Polipropileno", "0.5", "6");
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("72"));
        typeInto(s->Edit_ProdutoCiclo, ".5"); // "6.5" cycles
        QVERIFY2(messages().texts().contains("'6.' is not a valid integer value"), qPrintable(messages().texts().join('|')));
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("72")); // the last figure stays
        messages().clear();
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().texts(), QStringList({"'6.5' is not a valid integer value"}));
        QCOMPARE(readFile(m_file), before);

        messages().clear();
        replaceText(s->Edit_ProdutoCiclo, "60");
        replaceText(s->Edit_ProdutoQuant, "0.5.1");
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().texts().last(), "'0.5.1'" + LangMsg[4]);
        QCOMPARE(readFile(m_file), before);

        // Corrected, the line goes in.
        messages().clear();
        replaceText(s->Edit_ProdutoQuant, "0.5");
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().count(), 0);
        QCOMPARE(recordsOf<ProdutoRecord>(m_file).size(), size_t(5));
        QCOMPARE(recordsOf<ProdutoRecord>(m_file)[4].QuantDia.text(), QString("720"));
    }

    void missingInputsNameTheCaptions()
    {
        auto* s = openScreen();
        typeLine(s, "Balde", "Verde", "Polipropileno", "0.5", "0");
        click(s->Button_ProdutoAdd);
        const QString captions = LangText("label_31", "Produto") + "\r" + LangText("label_6", "Tipo") + "\r" +
                                 LangText("label_23", QString::fromUtf8("Matéria Prima")) + "\r" +
                                 LangText("label_33", "Qnt/un.") + "\run.\r" + LangText("label_3", QString::fromUtf8("Peças/h")) +
                                 "\r" + LangText("label_87", QString::fromUtf8("Operação"));
        QCOMPARE(messages().texts(), QStringList({LangMsg[1] + " :\r\r" + captions}));
        QCOMPARE(recordsOf<ProdutoRecord>(m_file).size(), size_t(4));
    }

    // Ticking the box swaps the raw material for the component list; a product cannot be made of
    // itself; a composite line stores the component as "name type".
    void compositeLines()
    {
        auto* s = openScreen();
        click(s->CheckBox_ProdutoComposto);
        QVERIFY(s->ComboBox_ProdutoComposto->isEnabled());
        QVERIFY(!s->ComboBox_ProdutoMateria->isEnabled());
        typeInto(s->ComboBox_Produto, "Kit");
        typeInto(s->ComboBox_ProdutoCor, "Festa");
        replaceText(s->Edit_ProdutoQuant, "1");
        typeInto(s->ComboBox_ProdutoUn, "un");
        replaceText(s->Edit_ProdutoCiclo, "30");
        typeInto(s->ComboBox_ProdutoOperacao, "Montagem");
        click(s->Button_ProdutoAdd); // no component chosen
        QCOMPARE(messages().count(), 1);
        QVERIFY(messages().texts()[0].contains(s->CheckBox_ProdutoComposto->text()));
        QVERIFY(!messages().texts()[0].contains(LangText("label_23", QString::fromUtf8("Matéria Prima"))));

        messages().clear();
        s->ComboBox_ProdutoComposto->setCurrentIndex(
            s->ComboBox_ProdutoComposto->findText(QString::fromUtf8("Kit ¸ Festa")));
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().texts(), QStringList({LangMsg[2]}));
        QCOMPARE(recordsOf<ProdutoRecord>(m_file).size(), size_t(4));

        messages().clear();
        s->ComboBox_ProdutoComposto->setCurrentIndex(s->ComboBox_ProdutoComposto->findText(QString::fromUtf8("Copo ¸ Azul")));
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().count(), 0);
        const auto records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(5));
        QCOMPARE(records[4].MateriaPrima.text(), QString("Copo Azul"));
        QCOMPARE(int(records[4].Composto), 1);
        QVERIFY(!s->CheckBox_ProdutoComposto->isChecked());
        QVERIFY(s->ComboBox_ProdutoMateria->isEnabled());

        // Double-clicking the composite line brings the component back into the list.
        const int row = rowWith(s->StringGrid3, 2, "Copo Azul");
        QCOMPARE(s->StringGrid3->StyleOf(2, row).foreground, QColor(255, 0, 0));
        doubleClickCell(s->StringGrid3, 0, row);
        QVERIFY(s->CheckBox_ProdutoComposto->isChecked());
        QCOMPARE(s->ComboBox_ProdutoComposto->currentText(), QString::fromUtf8("Copo ¸ Azul"));
        QCOMPARE(s->ComboBox_ProdutoMateria->currentText(), QString());
        QCOMPARE(s->Button_ProdutoAdd->text(), QString("Edit"));
    }

    // A new operation is asked first; then a new raw material; each becomes known when stored.
    void newOperationIsAskedFirst()
    {
        auto* s = openScreen();
        const QByteArray before = readFile(m_file);
        typeLine(s, "Balde", "Verde", "Polietileno Reciclado", "0.5", "60", "Sopro");
        messages().answer(MessageBox::Cancel);
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().texts(), QStringList({LangMsg[57]}));
        QCOMPARE(readFile(m_file), before);

        messages().clear();
        messages().answer(MessageBox::Ok).answer(MessageBox::Cancel);
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().texts(), QStringList({LangMsg[57], LangMsg[34]}));
        QCOMPARE(readFile(m_file), before);

        messages().clear();
        click(s->Button_ProdutoAdd); // both accepted
        QCOMPARE(messages().texts(), QStringList({LangMsg[57], LangMsg[34]}));
        const auto records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(5));
        QCOMPARE(records[4].Operacao.text(), QString("Sopro"));
        const auto materials = recordsOf<MateriaPrimaRecord>(m_materials);
        QCOMPARE(materials.size(), size_t(4));
        QCOMPARE(materials[3].MateriaPrima.text(), QString("Polietileno Reciclado"));
        QCOMPARE(materials[3].Un.text(), QString("kg"));
        QCOMPARE(materials[3].Preco.text(), QString("0"));
        QCOMPARE(materials[3].Fornecedor.length(), 0);
        QCOMPARE(materials[3].Referencia.length(), 0);
        QVERIFY(s->ComboBox_ProdutoOperacao->findText("Sopro") >= 0);
        QVERIFY(s->ComboBox_ProdutoMateria->findText("Polietileno Reciclado") >= 0);

        // Known now: the same line is stored without a question.
        messages().clear();
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().count(), 0);
        QCOMPARE(recordsOf<ProdutoRecord>(m_file).size(), size_t(6));
    }

    // An operation is compared ignoring letter case: "INJECCAO" is not new.
    void knownOperationInOtherCaseIsNotAsked()
    {
        auto* s = openScreen();
        typeLine(s, "Balde", "Verde", "Polipropileno", "0.5", "60", "INJECCAO");
        click(s->Button_ProdutoAdd);
        QCOMPARE(messages().count(), 0);
        QCOMPARE(recordsOf<ProdutoRecord>(m_file)[4].Operacao.text(), QString("INJECCAO"));
    }

    void editAndDeleteActOnTheSelectedRecord()
    {
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid3;
        const int row = rowWith(grid, 2, "Masterbatch Azul");
        doubleClickCell(grid, 1, row);
        QCOMPARE(s->Label16->text(), QString::number(row));
        QCOMPARE(s->Edit_ProdutoMoldes->text(), QString("2"));
        QCOMPARE(s->Scroll_ProdutoMoldes->value(), -2);
        QCOMPARE(s->ComboBox_ProdutoMateria->currentText(), QString("Masterbatch Azul"));
        QCOMPARE(s->Edit_ProdutoQuantDia->text(), QString("2.88")); // 2 x 0.001 x 60 x 24
        replaceText(s->Edit_ProdutoQuant, "0.002");
        click(s->Button_ProdutoAdd);
        auto records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(4));
        QCOMPARE(records[2].Quant.text(), QString("0.002"));
        QCOMPARE(records[2].QuantDia.text(), QString("5.76"));
        QCOMPARE(records[0].Quant.text(), QString("0.01"));

        // Delete needs the selected row to be the current one; in Edit mode a click does not move
        // the label.
        const int boxRow = rowWith(grid, 10, QString::fromUtf8("Box ¸ Red"));
        doubleClickCell(grid, 0, boxRow);
        clickCell(grid, 0, rowWith(grid, 10, QString::fromUtf8("Kit ¸ Festa")));
        QCOMPARE(s->Label16->text(), QString::number(boxRow));
        click(s->Button_ProdutoDelete);
        QCOMPARE(messages().texts(), QStringList({LangMsg[22]}));
        clickCell(grid, 0, boxRow);
        click(s->Button_ProdutoDelete);
        QCOMPARE(s->Button_ProdutoAdd->text(), QString("Add"));
        records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(QFileInfo(m_file).size(), qint64(3 * sizeof(ProdutoRecord)));
        QCOMPARE(records[1].MateriaPrima.text(), QString("Masterbatch Azul"));
        QCOMPARE(rowWith(grid, 10, QString::fromUtf8("Box ¸ Red")), 0);
        QStringList numbers = columnTexts(grid, 8);
        numbers.sort();
        QCOMPARE(numbers, QStringList({"1", "2", "3"})); // renumbered after the removal
        // A product named by a composite line may be deleted; the composite line stays as it was.
        QCOMPARE(records[2].MateriaPrima.text(), QString("Box Red"));
    }

    // Duplicate copies every line of the selected row's product under the typed name and type.
    void duplicateCopiesEveryLine()
    {
        auto* s = openScreen();
        StringGrid* grid = s->StringGrid3;
        click(s->Button_ProdutoCopy);
        QCOMPARE(messages().texts(), QStringList({LangMsg[22]})); // the label holds the count only

        messages().clear();
        doubleClickCell(grid, 0, rowWith(grid, 2, "Polipropileno"));
        const QByteArray before = readFile(m_file);
        click(s->Button_ProdutoCopy); // "Copo Azul" exists
        QCOMPARE(messages().texts(), QStringList({"'Copo Azul' already exists."}));
        QCOMPARE(readFile(m_file), before);

        messages().clear();
        replaceText(s->ComboBox_ProdutoCor, "Verde");
        click(s->Button_ProdutoCopy);
        QCOMPARE(messages().count(), 0);
        const auto records = recordsOf<ProdutoRecord>(m_file);
        QCOMPARE(records.size(), size_t(6));
        for (int i : {4, 5}) {
            QCOMPARE(records[size_t(i)].Produto.text(), QString("Copo"));
            QCOMPARE(records[size_t(i)].Tipo.text(), QString("Verde"));
        }
        QCOMPARE(records[4].MateriaPrima.text(), QString("Polipropileno"));
        QCOMPARE(records[5].MateriaPrima.text(), QString("Masterbatch Azul"));
        QCOMPARE(records[5].Quant.text(), QString("0.001"));
        QCOMPARE(columnTexts(grid, 10).count(QString::fromUtf8("Copo ¸ Verde")), 2);
        QCOMPARE(s->Button_ProdutoAdd->text(), QString("Add"));
    }

    void quantityBoxKeysAndCalculator()
    {
        ScopedRecordingDesktop desktop;
        auto* s = openScreen();
        replaceText(s->Edit_ProdutoQuant, "1x2,5");
        QCOMPARE(s->Edit_ProdutoQuant->text(), QString("125"));
        QTest::mouseDClick(s->Edit_ProdutoQuant, Qt::LeftButton);
        QCOMPARE(desktop->calls, QStringList({"startTool Calculator"}));
    }

    // An operation stored with an equipment is offered on the product screen.
    void equipmentOperationsReachTheProductScreen()
    {
        auto* e = m_app->open<TForm_Equipamento>("menu_EditEquip");
        typeInto(e->ComboBox_Equip, "Pintora");
        typeInto(e->ComboBox_EquipTipo, "Cabine");
        typeInto(e->ComboBox_EquipOperacao, "Pintura");
        click(e->Button_EquipAdd);
        auto* s = openScreen();
        QVERIFY(s->ComboBox_ProdutoOperacao->findText("Pintura") >= 0);
        QCOMPARE(s->ComboBox_ProdutoOperacao->count(), 3);
    }
};

QTEST_MAIN(TestProducts)
#include "tst_products.moc"
