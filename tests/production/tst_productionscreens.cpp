// The production analysis screens as their menu commands open them: the quantities view with its
// range, the product costs with the product filter and the row click, the utilisation indices in
// both modes with the filter, the summary of a row, the table by month and the chart; bad records
// named once; pictures of every screen and window in both languages.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "production/ProductionTestSupport.h"
#include "i18n/Settings.h"
#include "masterdata/MasterTestSupport.h"
#include "production/TForm4.h"
#include "production/TForm_Custo.h"
#include "production/TForm_Utiliz.h"
#include "production/TForm_ViewProducQuant.h"
#include "production/TPieChart.h"
#include "report/TForm2.h"
#include "store/Clock.h"
#include "support/LayoutCheck.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace testsupport;

namespace {

using testsupport::productionEntry;


// Runs `inside` once the modal window `window` is on screen, then closes it with `close`.
void whileModal(QWidget* window, const std::function<void()>& inside, const std::function<void()>& close)
{
    QTimer::singleShot(0, window, [=] {
        QVERIFY(window->isVisible());
        inside();
        close();
    });
}

// A picture for a person to look at when QUORVALE_SHOTS names a folder.
void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVALE_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + '/' + name + ".png");
}

QStringList rowTexts(const StringGrid* grid, int row, int from = 0, int count = -1)
{
    return grid->RowTexts(row).mid(from, count);
}

} // namespace

class TestProductionScreens : public QObject {
    Q_OBJECT
    std::unique_ptr<MasterScreens> m_app;

    void writeEntries(const std::vector<HorasProducaoRecord>& records)
    {
        WriteAllRecords(m_app->path(DataFile::HorasProducao), records);
    }

private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(12, 0))); }
    void cleanupTestCase() { Clock::clearFixed(); }
    void init() { HourStoped = true; }
    void cleanup() { m_app.reset(); }

    void screensOpenFromTheirMenus()
    {
        m_app = std::make_unique<MasterScreens>();
        copySampleCompany(m_app->companyFolder());
        struct Case {
            const char* item;
            const char* name;
            int title, help;
        };
        for (const Case& c : {Case{"menu_ViewProducQuantidades", "TForm_ViewProducQuant", 17, 442},
                              Case{"menu_ToolsCustosProduto", "TForm_Custo", 18, 53},
                              Case{"menu_ViewProducIndicesUtil", "TForm_Utiliz", 16, 441}}) {
            ScreenForm* s = m_app->open<ScreenForm>(c.item);
            QVERIFY2(s, c.item);
            QCOMPARE(s->objectName(), QString(c.name));
            QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[c.title]);
            QCOMPARE(m_app->form->HelpContext(), c.help);
            QVERIFY(CurrentGrid->RowCount() > 3);
        }
        QCOMPARE(m_app->messages.count(), 0);
        // Without production entries none opens, and the hosted screen stays.
        m_app->open<ScreenForm>("menu_EditEquip");
        QFile::remove(m_app->path(DataFile::HorasProducao));
        for (const auto& [item, message] : {std::pair{"menu_ViewProducQuantidades", LangMsg[27]},
                                            std::pair{"menu_ViewProducIndicesUtil", LangMsg[26]},
                                            std::pair{"menu_ToolsCustosProduto", LangMsg[46] + "\r" + LangMsg[47]}}) {
            m_app->open<ScreenForm>(item);
            QCOMPARE(m_app->messages.texts().last(), message);
            QCOMPARE(m_app->form->CurrentScreen()->objectName(), QString("TForm_Equipamento"));
        }
    }

    // With the sample company, in both languages at both window sizes: every control inside the
    // screen, none over another, no caption cut; pictures for a person to look at.
    void screensFitTheWindow_data()
    {
        AddLanguageRows();
    }
    void screensFitTheWindow()
    {
        QFETCH(QByteArray, language);
        m_app = std::make_unique<MasterScreens>("Language=" + language + "\r\n");
        copySampleCompany(m_app->companyFolder());
        for (const char* item : {"menu_ViewProducQuantidades", "menu_ToolsCustosProduto", "menu_ViewProducIndicesUtil"}) {
            VERIFY_SCREEN_LAYOUT(*m_app->form, item);
            saveShot(m_app->form.get(), QString(language) + "_" + item);
        }
        // The utilisation screen's date chooser, the table by month and the chart.
        auto* s = qobject_cast<TForm_Utiliz*>(m_app->form->CurrentScreen());
        QVERIFY(s);
        whileModal(s->ChartWindow(), [&] { saveShot(s->ChartWindow(), QString(language) + "_utiliz_chart_equipment"); },
                   [&] { s->ChartWindow()->Button_close->click(); });
        s->Button_UtilizChartClick();
        s->RadioButton_UtilizProduto->click();
        s->Button_UtilizCalcClick();
        // The chooser lies over the grid, inside the screen, and its own controls fit it.
        VERIFY_LAYOUT(s->Panel_UtilizDate);
        QVERIFY(s->rect().contains(s->Panel_UtilizDate->geometry()));
        saveShot(m_app->form.get(), QString(language) + "_utiliz_dates");
        whileModal(s->ListWindow(), [&] { saveShot(s->ListWindow(), QString(language) + "_utiliz_bymonth"); },
                   [&] { s->ListWindow()->Button_UtilizClose->click(); });
        s->Button_UtilizDateOkClick();
        whileModal(s->ChartWindow(), [&] { saveShot(s->ChartWindow(), QString(language) + "_utiliz_chart"); },
                   [&] { s->ChartWindow()->Button_close->click(); });
        s->Button_UtilizChartClick();
        QCOMPARE(m_app->messages.count(), 0);
    }

    void quantitiesByMonth()
    {
        m_app = std::make_unique<MasterScreens>();
        writeEntries({productionEntry("Tampa Azul", "E1", "20/11/2001", "100"), productionEntry("Tampa Azul", "E1", "21/11/2001", "50"),
                      productionEntry("Copo Azul", "E1", "05/03/2002", "40"),
                      productionEntry("Tampa Azul", "E2", "10/12/2001", "70", "8 0 0 0 0 0", true),
                      productionEntry("Tampa Azul", "E2", "01/11/2001", "5")});
        auto* s = m_app->open<TForm_ViewProducQuant>("menu_ViewProducQuantidades");
        QVERIFY(s);
        StringGrid* g = s->StringGrid18;
        QCOMPARE(s->Edit6->text(), QString("01/11/2001"));
        QCOMPARE(s->Edit7->text(), QString("05/03/2002"));
        QCOMPARE(rowTexts(g, 0), QStringList({LangText("label_31", "Produto"), "Nov-01", "Dec-01", "Jan-02", "Feb-02", "Mar-02",
                                              "Totals"}));
        QCOMPARE(rowTexts(g, 1), QStringList({"Tampa Azul", "155", "0", " ", " ", " ", "155"}));
        QCOMPARE(rowTexts(g, 2), QStringList({"Copo Azul", " ", " ", " ", " ", "40", "40"}));
        QCOMPARE(rowTexts(g, 3), QStringList({"Totals  -", "155", "0", "0", "0", "40", "195"}));
        QVERIFY(g->StyleOf(6, 1).bold && g->StyleOf(1, 3).bold);
        QCOMPARE(g->StyleOf(2, 3).foreground, QColor(0, 128, 0));

        // 15 November to 10 February: four months.
        s->Edit6->setText("15/11/2001");
        s->Edit7->setText("10/02/2002");
        click(s->Button_ViewProducQuantDate);
        QCOMPARE(rowTexts(g, 0).mid(1), QStringList({"Nov-01", "Dec-01", "Jan-02", "Feb-02", "Totals"}));
        QCOMPARE(rowTexts(g, 1), QStringList({"Tampa Azul", "150", "0", " ", " ", "150"}));
        QCOMPARE(g->RowCount(), 3);
        // To before From is refused and the table stays.
        s->Edit7->setText("01/11/2001");
        click(s->Button_ViewProducQuantDate);
        QCOMPARE(m_app->messages.texts().last(), QString("Dates with wrong order - please correct..."));
        QCOMPARE(g->Cells(1, 1), QString("150"));
        // The range stays within the entries: the arrows and the button keep to the bounds.
        s->Edit6->setText("02/11/2001");
        s->Scroll_Edit6->setValue(1); // down: a day earlier
        QCOMPARE(s->Edit6->text(), QString("01/11/2001"));
        s->Scroll_Edit6->setValue(1);
        QCOMPARE(s->Edit6->text(), QString("01/11/2001"));
        QCOMPARE(s->Scroll_Edit6->value(), 0);
        s->Edit7->setText("01/01/2010");
        click(s->Button_ViewProducQuantDate);
        QCOMPARE(s->Edit7->text(), QString("05/03/2002"));
        // Only the product column sorts, and the totals stay last.
        pressTitle(g, 2);
        QCOMPARE(g->Cells(0, 1), QString("Tampa Azul"));
        pressTitle(g, 0);
        QCOMPARE(columnTexts(g, 0), QStringList({"Copo Azul", "Tampa Azul", "Totals  -"}));
    }

    // A text that is no number or date is named once; the other records are listed.
    void badRecordsAreNamedOnce()
    {
        m_app = std::make_unique<MasterScreens>();
        writeEntries({productionEntry("Tampa Azul", "E1", "20/11/2001", "100"), productionEntry("Tampa Azul", "E1", "21/11/2001", "1x0"),
                      productionEntry("Copo Azul", "E1", "22/11/2001", "40", "abc 0 0 0 0 0")});
        auto* q = m_app->open<TForm_ViewProducQuant>("menu_ViewProducQuantidades");
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(m_app->messages.texts()[0].contains("HorasProducao.DAT, record 2, entered: '1x0'"));
        QCOMPARE(q->StringGrid18->Cells(1, 1), QString("100"));
        QCOMPARE(q->StringGrid18->Cells(1, 2), QString("40")); // its hours are not read here
        m_app->messages.clear();
        auto* u = m_app->open<TForm_Utiliz>("menu_ViewProducIndicesUtil");
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(m_app->messages.texts()[0].contains("record 3, production hours: 'abc'"));
        QCOMPARE(u->StringGrid16->Cells(TForm_Utiliz::ColQuant, 1), QString("100"));
    }

    void productCosts()
    {
        m_app = std::make_unique<MasterScreens>();
        writeEntries({productionEntry("Tampa Azul", "Engel", "01/12/2026", "800"), productionEntry("Tampa Azul", "Krauss", "01/12/2026", "4000"),
                      productionEntry("Copo Verde", "Engel", "02/12/2026", "0"), productionEntry("Tampa Azul", "Engel", "02/12/2026", "480"),
                      productionEntry("Balde Azul", "Engel", "03/12/2026", "8")});
        auto machine = [](const char* name, const char* cost) {
            auto r = EmptyRecord<EquipamentoRecord>();
            r.Equipamento = name;
            r.Custo = cost;
            return r;
        };
        auto line = [](const char* product, const char* type, const char* material, const char* quantity) {
            auto r = EmptyRecord<ProdutoRecord>();
            r.Produto = product;
            r.Tipo = type;
            r.MateriaPrima = material;
            r.Quant = quantity;
            return r;
        };
        auto material = [](const char* name, const char* price) {
            auto r = EmptyRecord<MateriaPrimaRecord>();
            r.MateriaPrima = name;
            r.Preco = price;
            return r;
        };
        WriteAllRecords(m_app->path(DataFile::Equipamentos), std::vector{machine("Engel", "20"), machine("Krauss", "30")});
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector{line("Tampa", "Azul", "PP", "0.5"), line("Balde", "Azul", "PP", "500")});
        WriteAllRecords(m_app->path(DataFile::MateriasPrimas), std::vector{material("PP", "2.5")});
        auto* s = m_app->open<TForm_Custo>("menu_ToolsCustosProduto");
        QVERIFY(s);
        StringGrid* g = s->StringGrid17;
        // Rates 100 and 60 an hour average to 80; the product without units cannot be costed and
        // comes last.
        QCOMPARE(rowTexts(g, 1, 0, 6), QStringList({"Tampa Azul", "Engel", "80", "0.25", "1.25", "1.50"}));
        QCOMPARE(rowTexts(g, 2, 0, 6), QStringList({"Tampa Azul", "Krauss", "500", "0.06", "1.25", "1.31"}));
        QCOMPARE(rowTexts(g, 3, 0, 6), QStringList({"Balde Azul", "Engel", "1", "20.00", "1,250.00", "1,270.00"}));
        QCOMPARE(rowTexts(g, 4, 0, 3), QStringList({"Copo Verde", "Engel", "0"}));
        QCOMPARE(g->Cells(3, 4), QString::fromUtf8("—"));
        QCOMPARE(g->ColWidths(TForm_Custo::ColIndex), 0);
        // The row click shows the total from the number, with its thousands separator.
        clickCell(g, 1, 3);
        QCOMPARE(s->Edit_CustoProduto->text(), QString("1,270.00"));
        // However the list is sorted, the row that cannot be costed stays last.
        pressTitle(g, TForm_Custo::ColMachine);
        QCOMPARE(columnTexts(g, 3), QStringList({"0.06", "0.25", "20.00", QString::fromUtf8("—")}));
        pressTitle(g, TForm_Custo::ColProduto);
        QCOMPARE(g->Cells(0, 4), QString("Copo Verde"));
        // The product list filters the rows.
        QCOMPARE(s->ComboBox_CustoProduto->itemText(0), QString("( show all )"));
        QCOMPARE(s->ComboBox_CustoProduto->count(), 4);
        s->ComboBox_CustoProduto->setCurrentIndex(s->ComboBox_CustoProduto->findText("Tampa Azul"));
        QCOMPARE(columnTexts(g, 1), QStringList({"Engel", "Krauss"}));
        s->ComboBox_CustoProduto->setCurrentIndex(0);
        QCOMPARE(g->RowCount(), 5);
        QCOMPARE(m_app->messages.count(), 0);

        // No entries: the message, and an empty list.
        writeEntries({});
        s = m_app->open<TForm_Custo>("menu_ToolsCustosProduto");
        QCOMPARE(m_app->messages.texts().last(), "HorasProducao = 0\r" + LangMsg[48]);
        QCOMPARE(s->StringGrid17->RowCount(), 2);
    }

    void utilisationModesFilterAndSummary()
    {
        m_app = std::make_unique<MasterScreens>();
        writeEntries({productionEntry("Tampa Azul", "Engel", "08/12/2026", "50", "4 1 2 1 0 0"),
                      productionEntry("Copo Azul", "Engel", "09/12/2026", "30", "2 1 2 2 1 4", true),
                      productionEntry("Copo Azul", "Krauss", "09/12/2026", "0", "0 0 0 0 0 0")});
        auto* s = m_app->open<TForm_Utiliz>("menu_ViewProducIndicesUtil");
        QVERIFY(s);
        StringGrid* g = s->StringGrid16;
        QVERIFY(s->RadioButton_UtilizEquip->isChecked());
        QVERIFY(s->ComboBox_PanelUtilizEquip->isEnabled() && !s->ComboBox_PanelUtilizProd->isEnabled());
        QCOMPARE(s->ComboBox_PanelUtilizEquip->count(), 3);
        QVERIFY(s->Edit9->isVisibleTo(s) && s->Edit10->isVisibleTo(s));
        QCOMPARE(g->Cells(0, 0), LangText("label_18", "Equipamento"));
        // Engel: 80 units, 8 production, 4 breakdown and 8 other hours, and 24 - 20 hours of no work
        // since its first entry yesterday; Krauss, first entered today, has a day without work and
        // no cycle, and comes last.
        QCOMPARE(rowTexts(g, 1, 0, 4), QStringList({"Engel", "80", "10", "8"}));
        QCOMPARE(g->Cells(TForm_Utiliz::ColNoWork, 1), QString("4"));
        QCOMPARE(rowTexts(g, 1, 4, 1), QStringList({"33.3"})); // 8 of 24 hours
        QCOMPARE(rowTexts(g, 2, 0, 5), QStringList({"Krauss", "0", QString::fromUtf8("—"), "0", "0.0"}));
        QCOMPARE(g->Cells(TForm_Utiliz::ColNoWork, 2), QString("24"));
        QCOMPARE(s->Edit_UtilizQuant->text(), QString("50"));
        QCOMPARE(g->StyleOf(2, 1).foreground, QColor(0, 128, 0));
        QVERIFY(g->StyleOf(4, 1).italic);
        clickCell(g, 0, 1);
        QCOMPARE(s->Edit5->text(), QString("8"));
        QCOMPARE(s->Edit4->text(), QString("2"));
        QCOMPARE(s->Edit3->text(), QString("4"));
        QCOMPARE(s->Edit2->text(), QString("1"));
        QCOMPARE(s->Edit1->text(), QString("4"));
        QCOMPARE(s->Edit9->text(), QString("4"));
        QCOMPARE(s->Edit10->text(), QString("08/12/2026"));
        // The chart gets the split of the list.
        QCOMPARE(s->ChartWindow()->PieChart1->Items().size(), size_t(4));

        // By product: hours only add no units, and no-work boxes go.
        s->RadioButton_UtilizProduto->click();
        QVERIFY(!s->ComboBox_PanelUtilizEquip->isEnabled() && s->ComboBox_PanelUtilizEquip->count() == 0);
        QVERIFY(!s->Edit9->isVisibleTo(s));
        QCOMPARE(g->Cells(0, 0), LangText("label_31", "Produto"));
        QCOMPARE(columnTexts(g, 0), QStringList({"Copo Azul", "Tampa Azul"}));
        QCOMPARE(g->Cells(1, 1), QString("0"));
        QCOMPARE(s->ChartWindow()->PieChart1->Items().size(), size_t(3));
        // One product: every unit entered counts.
        s->ComboBox_PanelUtilizProd->setCurrentIndex(s->ComboBox_PanelUtilizProd->findText("Copo Azul"));
        QCOMPARE(g->RowCount(), 2);
        QCOMPARE(rowTexts(g, 1, 0, 3), QStringList({"Copo Azul", "30", "10"}));
        s->ComboBox_PanelUtilizProd->setCurrentIndex(0);
        QCOMPARE(g->RowCount(), 3);
        s->RadioButton_UtilizEquip->click();
        s->ComboBox_PanelUtilizEquip->setCurrentIndex(s->ComboBox_PanelUtilizEquip->findText("Krauss"));
        QCOMPARE(rowTexts(g, 1, 0, 2), QStringList({"Krauss", "0"}));
        QCOMPARE(m_app->messages.count(), 0);
    }

    void tableByMonthAndChart()
    {
        m_app = std::make_unique<MasterScreens>();
        writeEntries({productionEntry("Tampa Azul", "Engel", "20/11/2001", "1", "6 1.5 0 0 0 0"),
                      productionEntry("Tampa Azul", "Krauss", "09/02/2002", "1", "2.25 0 0 0 0 0"),
                      productionEntry("Copo Azul", "Engel", "01/06/2001", "1")});
        HourStoped = false;
        auto* s = m_app->open<TForm_Utiliz>("menu_ViewProducIndicesUtil");
        s->RadioButton_UtilizProduto->click();
        click(s->Button_UtilizCalc);
        QVERIFY(s->Panel_UtilizDate->isVisible());
        QVERIFY(!s->Button_UtilizCalc->isEnabled() && !s->Button_UtilizClose->isEnabled());
        QCOMPARE(s->Edit_UtilizDateFrom->text(), QString("01/06/2001"));
        s->Edit_UtilizDateFrom->setText("15/11/2001");
        s->Edit_UtilizDateTo->setText("10/02/2002");
        QStringList first, second;
        for (QStringList* table : {&first, &second}) {
            click(s->Button_UtilizCalc);
            whileModal(s->ListWindow(), [&] {
                TForm2* w = s->ListWindow();
                QCOMPARE(w->ShownPanel(), int(TForm2::PanelUtiliz));
                QCOMPARE(w->Label8->text(), QString("15/11/2001"));
                QCOMPARE(w->Label10->text(), QString("10/02/2002"));
                QCOMPARE(w->Label_caption->text(), LangTitle[22]);
                QCOMPARE(w->property("HelpContext").toInt(), 441);
                for (int r = 0; r < w->StringGrid16->RowCount(); ++r)
                    *table << w->StringGrid16->RowTexts(r).join('|');
                // A title click sorts above the totals.
                pressTitle(w->StringGrid16, 0);
                QCOMPARE(w->StringGrid16->Cells(0, w->StringGrid16->RowCount() - 1), QString("Totals  -"));
            }, [&] { s->ListWindow()->Button_UtilizClose->click(); });
            click(s->Button_UtilizDateOk);
            QVERIFY(!s->Panel_UtilizDate->isVisible() && s->Button_UtilizCalc->isEnabled());
        }
        QCOMPARE(first, QStringList({LangText("label_31", "Produto") + "|Nov-01|Dec-01|Jan-02|Feb-02|Totals",
                                     "Tampa Azul|7.50| | |2.25|9.75", "Copo Azul| | | | |0",
                                     "Totals  -|7.50|0|0|2.25|9.75"}));
        QCOMPARE(second, first);
        // To before From is refused; cancel parks the chooser.
        click(s->Button_UtilizCalc);
        s->Edit_UtilizDateTo->setText("01/11/2001");
        click(s->Button_UtilizDateOk);
        QCOMPARE(m_app->messages.texts().last(), LangMsg[10]);
        QVERIFY(s->Panel_UtilizDate->isVisible());
        click(s->Button_UtilizDateCancel);
        QVERIFY(!s->Panel_UtilizDate->isVisible() && s->Button_UtilizClose->isEnabled());

        // The chart of the whole list, next to the main window.
        whileModal(s->ChartWindow(), [&] {
            const TForm4* chart = s->ChartWindow();
            QCOMPARE(chart->PieChart1->Total(), 17.75);
            QCOMPARE(chart->PieChart1->Items()[0].text, "17.75 " + LangText("label_chartProduction", "?") + " (100%)");
            QCOMPARE(chart->pos(), m_app->form->pos() + QPoint(313, 126));
        }, [&] { s->ChartWindow()->Button_close->click(); });
        click(s->Button_UtilizChart);
        click(s->Button_UtilizClose);
        QVERIFY(!m_app->form->CurrentScreen());
    }
};

QTEST_MAIN(TestProductionScreens)
#include "tst_productionscreens.moc"
