// The composition view: opened only when there are products, its product filter, the clicked line's
// data and composite picture, red components, and the export of its list.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "masterdata/TForm_ProdutoView.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QTest>

using namespace testsupport;

namespace {

ProdutoRecord line(const QString& name, const QString& type, const QString& material, const QString& moulds,
                   const QString& cycles, bool composite = false)
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = type;
    r.MateriaPrima = material;
    r.Quant = "1";
    r.Un = "un";
    r.Ciclo = cycles;
    r.QuantDia = "99";
    r.Moldes = moulds;
    r.Composto = composite ? 1 : 0;
    r.Operacao = "Montagem";
    return r;
}

} // namespace

class TestProductView : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;

    TForm_ProdutoView* openScreen() { return m_app->open<TForm_ProdutoView>("menu_ViewProdDefinicao"); }
    void choose(TForm_ProdutoView* s, const QString& entry)
    {
        const int i = s->ComboBox_ProdutoView->findText(entry);
        QVERIFY2(i >= 0, qPrintable(entry));
        s->ComboBox_ProdutoView->setCurrentIndex(i);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector<ProdutoRecord>{line("Tampa", "Azul", "Polipropileno", "8", "240"),
                                                   line("Kit", "Festa", "Tampa Azul", "1", "30", true),
                                                   line("Tampa", "Azul", "Masterbatch", "8", "240"),
                                                   line("Copo", "Azul", "Poliestireno", "4", "120"),
                                                   line("Kit", "Festa", "Copo Azul", "1", "30", true)});
    }
    void cleanup() { m_app.reset(); }

    void opensOnlyWhenThereAreProducts()
    {
        QFile::remove(m_app->path(DataFile::Produtos));
        QVERIFY(!openScreen());
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[16]}));
        QVERIFY(!QFileInfo::exists(m_app->path(DataFile::Produtos)));
    }

    void showsEveryLineAndTheProductList()
    {
        auto* s = openScreen();
        QVERIFY(s);
        QCOMPARE(columnTexts(s->StringGrid4, 0), QStringList({"Copo", "Kit", "Kit", "Tampa", "Tampa"}));
        QCOMPARE(s->StringGrid4->Cells(2, 0), LangText("label_23", QString::fromUtf8("Matéria Prima")));
        QCOMPARE(s->ComboBox_ProdutoView->count(), 4);
        QCOMPARE(s->ComboBox_ProdutoView->currentText(), TForm_ProdutoView::ShowAll());
        QCOMPARE(s->ComboBox_ProdutoView->itemText(1), QString("Copo\tAzul"));
        QCOMPARE(s->ComboBox_ProdutoView->itemText(3), QString("Tampa\tAzul"));
        // Components of composite lines are red.
        const int kit = rowWith(s->StringGrid4, 2, "Tampa Azul");
        QCOMPARE(s->StringGrid4->StyleOf(2, kit).foreground, QColor(255, 0, 0));
        QVERIFY(s->StringGrid4->StyleOf(2, rowWith(s->StringGrid4, 2, "Masterbatch")).foreground != QColor(255, 0, 0));
    }

    // A name that sorts before "( show all )" does not take its place: the screen opens on every line.
    void opensOnShowAllWhateverTheNames()
    {
        AppendOne(m_app->path(DataFile::Produtos), line("-Promo", "Azul", "Poliestireno", "1", "60"));
        auto* s = openScreen();
        QCOMPARE(s->ComboBox_ProdutoView->currentText(), TForm_ProdutoView::ShowAll());
        QCOMPARE(s->StringGrid4->RowCount(), 7);
    }

    void choosingAProductFiltersItsLines()
    {
        auto* s = openScreen();
        clickCell(s->StringGrid4, 0, 1);
        QVERIFY(!s->Edit_ProdutoViewMoldes->text().isEmpty());
        choose(s, "Tampa\tAzul");
        QCOMPARE(s->StringGrid4->RowCount(), 3);
        QCOMPARE(columnTexts(s->StringGrid4, 2), QStringList({"Masterbatch", "Polipropileno"}));
        QCOMPARE(columnTexts(s->StringGrid4, 7), QStringList({"2", "1"})); // places in the listing
        QCOMPARE(s->Edit_ProdutoViewMoldes->text(), QString()); // emptied by the change
        choose(s, "Kit\tFesta");
        QCOMPARE(columnTexts(s->StringGrid4, 2), QStringList({"Copo Azul", "Tampa Azul"}));
        choose(s, TForm_ProdutoView::ShowAll());
        QCOMPARE(s->StringGrid4->RowCount(), 6);
    }

    void clickedLineShowsItsDataAndTheCompositeMark()
    {
        auto* s = openScreen();
        const int composite = rowWith(s->StringGrid4, 2, "Copo Azul");
        clickCell(s->StringGrid4, 1, composite);
        QCOMPARE(s->Edit_ProdutoViewMoldes->text(), QString("1"));
        QCOMPARE(s->Edit_ProdutoViewCiclo->text(), QString("30"));
        QCOMPARE(s->Edit_ProdutoViewQuantDia->text(), QString("99"));
        QVERIFY(s->Image_ProdutoViewCompst->isVisible());
        QVERIFY(!s->Edit_ProdutoViewMoldes->isEnabled());
        clickCell(s->StringGrid4, 1, rowWith(s->StringGrid4, 2, "Poliestireno"));
        QCOMPARE(s->Edit_ProdutoViewMoldes->text(), QString("4"));
        QVERIFY(!s->Image_ProdutoViewCompst->isVisible());
    }

    // The list drawn in two columns keeps its keys: Tab moves on to the next control.
    void tabLeavesTheProductList()
    {
        auto* s = openScreen();
        s->ComboBox_ProdutoView->setFocus();
        QVERIFY(s->ComboBox_ProdutoView->hasFocus());
        QTest::keyClick(s->ComboBox_ProdutoView, Qt::Key_Tab);
        QVERIFY(!s->ComboBox_ProdutoView->hasFocus());
    }

    void toFileExportsTheListShown()
    {
        ScopedRecordingDesktop desktop;
        auto* s = openScreen();
        choose(s, "Copo\tAzul");
        click(s->Button_ProdutoViewFile);
        QCOMPARE(desktop->calls, QStringList({"openTextEditor " + TForm2::ExportFilePath()}));
        const QString text = QString::fromUtf8(readFile(TForm2::ExportFilePath()));
        QVERIFY(text.contains("Poliestireno"));
        QVERIFY(!text.contains("Polipropileno"));
        QVERIFY(text.contains(LangText("label_6", "Tipo")));
    }
};

QTEST_MAIN(TestProductView)
#include "tst_productview.moc"
