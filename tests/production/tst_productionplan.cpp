// The production plan: working days, the day titles with their week numbers, the chart's rows from
// the order calculation's working table (days per product, products without a rate named), the
// schedule per equipment and the production plan list (as units); and the screen as its menu
// command opens it: the chart's bars on working days, choosing a row's equipment, "Calculate" with
// the list in the result lists window, and its fit in both languages.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "masterdata/MasterTestSupport.h"
#include "orders/OrderRecords.h"
#include "production/ProductionPlan.h"
#include "production/TForm_ProducaoPlan.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "store/Clock.h"
#include "support/LayoutCheck.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace testsupport;
using namespace ProductionPlan;
using OrderCalculation::RateProblem;

namespace {

const QDate Thursday(2026, 9, 10);

OrderCalculation::WorkRow workRow(const QString& product, const QString& type, double stock, double open)
{
    OrderCalculation::WorkRow w;
    w.product = product;
    w.type = type;
    w.stockValue = stock;
    w.openValue = open;
    w.productBytes = product.toLatin1();
    w.typeBytes = type.toLatin1();
    return w;
}

Settings settingsOf(int hoursPerDay, int daysPerWeek)
{
    Settings s;
    s.hoursPerDay = hoursPerDay;
    s.daysPerWeek = daysPerWeek;
    s.today = Thursday;
    s.regional = RegionalSettings::pointLocale();
    return s;
}

EquipamentoRecord machine(const QString& name)
{
    auto r = EmptyRecord<EquipamentoRecord>();
    r.Equipamento = name;
    return r;
}

// A picture for a person to look at when QUORVALE_SHOTS names a folder.
void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVALE_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + '/' + name + ".png");
}

QStringList texts(const std::vector<std::vector<QString>>& rows)
{
    QStringList out;
    for (const auto& r : rows)
        out << QStringList(r.begin(), r.end()).join('|');
    return out;
}

} // namespace

class TestProductionPlan : public QObject {
    Q_OBJECT
    std::unique_ptr<MasterScreens> m_app;

    TForm_ProducaoPlan* open() { return m_app->open<TForm_ProducaoPlan>("menu_PlanProducao"); }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(Thursday, QTime(10, 0)));
        m_app = std::make_unique<MasterScreens>();
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector<ProdutoRecord>{product("Mesa", "Pinho", "50", "2"), product("Vaso", "Verde", "20", "0"),
                                                   product("Garfo", "Azul", "100", "1")});
        WriteAllRecords(m_app->path(DataFile::Equipamentos), std::vector<EquipamentoRecord>{machine("Engel"), machine("Krauss")});
        WriteAllRecords(m_app->path(DataFile::EncomProduto),
                        std::vector<EncomProdutoRecord>{order("Mesa", "Pinho", "Ana", "1020"), order("Vaso", "Verde", "Rui", "10"),
                                                        order("Garfo", "Azul", "Rui", "8000"),
                                                        order("Prato", "Azul", "Rui", "5", "0", OrderArchived)});
        WriteAllRecords(m_app->path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stock("Mesa", "Pinho", "20", "0", "20", "01/09/2026")});
        HoursPerDay = 8;
        DaysPerWeek = 7;
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
        HoursPerDay = 24;
        DaysPerWeek = 7;
    }

    // Working days by DaysPerWeek, and the first working day after n of them.
    void workingDays()
    {
        const QDate sunday(2026, 9, 13);
        QVERIFY(IsWorkingDay(sunday.addDays(-1), 6) && !IsWorkingDay(sunday, 6) && !IsWorkingDay(sunday.addDays(-1), 5));
        QCOMPARE(FirstWorkingDay(sunday, 5), QDate(2026, 9, 14));
        QVERIFY(!FirstWorkingDay(sunday, 0).isValid());
        QCOMPARE(AddWorkingDays(Thursday, 3, 7), QDate(2026, 9, 13));
        QCOMPARE(AddWorkingDays(Thursday, 3, 6), QDate(2026, 9, 14)); // Thu, Fri, Sat
        QCOMPARE(AddWorkingDays(Thursday, 3, 5), QDate(2026, 9, 15)); // Thu, Fri, Mon
        QCOMPARE(AddWorkingDays(Thursday, 12, 5), QDate(2026, 9, 28));
        QCOMPARE(AddWorkingDays(sunday, 0, 5), QDate(2026, 9, 14));
        QCOMPARE(WorkingDayNumbers(Thursday, 6, 5), std::vector<int>({0, 1, -1, -1, 2, 3}));
    }

    // Titles "dd-mm w<week>", a new week from every Saturday on.
    void dayTitles()
    {
        QCOMPARE(WeekNumber(QDate(2026, 1, 7)), 1);
        QCOMPARE(WeekNumber(QDate(2026, 1, 8)), 2);
        QCOMPARE(DayTitles(Thursday, 4), QStringList({"10-09 w37", "11-09 w37", "12-09 w38", "13-09 w38"}));
    }

    // The short products in the order of the working table: 1000 units at 50 cycles, 2 moulds and
    // 8 hours are 1.25 days, shown "1"; a product without moulds, with a bad Ciclo or without a
    // composition line gets no days and is named, the others are computed; the longest bar (10
    // days) sets the day columns up to the tenth day after today, more when weekends are not worked.
    void chartRows()
    {
        const std::vector<ProdutoRecord> products{product("Mesa", "Pinho", "50", "2"), product("Vaso", "Verde", "20", "0"),
                                                  product("Copo", "Azul", "5x", "1"), product("Garfo", "Azul", "100", "1")};
        const std::vector<OrderCalculation::WorkRow> rows{
            workRow("Mesa", "Pinho", 20, 1020), workRow("Vaso", "Verde", 0, 10), workRow("Prato", "Azul", 10, 5),
            workRow("Copo", "Azul", 0, 3),      workRow("Taca", "Azul", 0, 1),   workRow("Garfo", "Azul", 0, 8000)};
        PlanChart chart = ComputePlanChart(rows, products, settingsOf(8, 7));
        QCOMPARE(chart.rows.size(), size_t(5));
        QCOMPARE(chart.rows[0].ProductText(), QString("Mesa Pinho"));
        QCOMPARE(chart.rows[0].quantity, QString("1000"));
        QCOMPARE(chart.rows[0].exactDays, 1.25);
        QCOMPARE(chart.rows[0].DaysText(), QString("1"));
        QCOMPARE(chart.rows[1].DaysText(), QString());
        QCOMPARE(chart.rows[4].DaysText(), QString("10"));
        QCOMPARE(chart.problems.size(), size_t(3));
        QCOMPARE(chart.problems[0].reason, RateProblem::NoMoulds);
        QCOMPARE(chart.problems[1].reason, RateProblem::BadCycles);
        QCOMPARE(chart.problems[2].reason, RateProblem::UnknownProduct);
        const QString message = ProblemsText(chart.problems);
        QVERIFY(message.contains("Vaso Verde") && message.contains("'5x'") && message.contains("Taca Azul"));
        QCOMPARE(chart.dayColumns, 11);
        QCOMPARE(ComputePlanChart(rows, products, settingsOf(8, 5)).dayColumns, 15);
        chart = ComputePlanChart(rows, products, settingsOf(0, 7));
        QCOMPARE(chart.problems.size(), size_t(5));
        QCOMPARE(chart.dayColumns, 2);
    }

    // Two products of 3 and 2 days on one equipment, back to back in working days; a product
    // without an equipment is not scheduled, one without days takes no time. The list puts each
    // equipment on a header row, an empty row between, and appends below what it holds.
    void scheduleAndList()
    {
        const std::vector<ChartRow> chart{{"A x", "30", "3", "Engel"}, {"B x", "20", "2", "Engel"},
                                          {"C x", "40", "4", ""},      {"D x", "10", "", "Krauss"},
                                          {"E x", "10", "1", "Krauss"}};
        auto plan = ScheduleByEquipment({"Engel", "Krauss", "Sopro"}, chart, Thursday, 7);
        QCOMPARE(plan.size(), size_t(3));
        QCOMPARE(plan[0].rows.size(), size_t(2));
        QCOMPARE(plan[0].rows[0].end, QDate(2026, 9, 13));
        QCOMPARE(plan[0].rows[1].start, QDate(2026, 9, 13));
        QCOMPARE(plan[0].rows[1].end, QDate(2026, 9, 15));
        QVERIFY(!plan[1].rows[0].start.isValid());
        QCOMPARE(plan[1].rows[1].start, Thursday);
        plan = ScheduleByEquipment({"Engel", "Krauss", "Sopro"}, chart, Thursday, 5);
        QCOMPARE(plan[0].rows[0].end, QDate(2026, 9, 15));
        QCOMPARE(plan[0].rows[1].end, QDate(2026, 9, 17));

        std::vector<std::vector<QString>> rows{{"", "Product ", "Qty.", "Days", "Start date", "End date"}, {}};
        AppendPlanList(rows, {plan[0], plan[2]}, RegionalSettings::pointLocale());
        const QStringList first{"|Product |Qty.|Days|Start date|End date",
                                "Engel|||||",
                                "|A x|30|3|10/09/2026|15/09/2026",
                                "|B x|20|2|15/09/2026|17/09/2026",
                                "|||||",
                                "Sopro|||||"};
        QCOMPARE(texts(rows), first);
        AppendPlanList(rows, {plan[2]}, RegionalSettings::pointLocale());
        QCOMPARE(texts(rows), first + QStringList({"|||||", "Sopro|||||"}));
    }

    // The chart of the short products, sorted, with green days from today for as many working
    // days as each needs, days not worked grey; the product without moulds is named.
    void chartOnScreen()
    {
        DaysPerWeek = 5;
        auto* s = open();
        QVERIFY(s);
        StringGrid* grid = s->StringGrid11;
        QCOMPARE(columnTexts(grid, 0), QStringList({"Garfo Azul", "Mesa Pinho", "Vaso Verde"}));
        QCOMPARE(grid->RowTexts(2).mid(0, 5), QStringList({"Mesa Pinho", "1000", "1", "", ""}));
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(MessageBox::lastText().contains("Vaso Verde"));
        QCOMPARE(grid->ColCount(), TForm_ProducaoPlan::ColFirstDay + 15);
        QCOMPARE(grid->Cells(TForm_ProducaoPlan::ColFirstDay + 2, 0), QString("12-09 w38"));
        QCOMPARE(grid->Cells(0, 0), LangText("label_31", "") + "=" + LangText("label_quantity", "") + " / "
                                        + LangText("label_99", ""));
        int green = 0;
        for (int c = TForm_ProducaoPlan::ColFirstDay; c < grid->ColCount(); ++c)
            green += s->IsBarCell(c, 1) ? 1 : 0;
        QCOMPARE(green, 10);
        const int saturday = TForm_ProducaoPlan::ColFirstDay + 2;
        QVERIFY(!s->IsBarCell(saturday, 1) && s->IsBarCell(saturday + 2, 1));
        QCOMPARE(grid->StyleOf(saturday, 1).background, QColor(208, 208, 208));
        QCOMPARE(grid->StyleOf(TForm_ProducaoPlan::ColFirstDay, 2).background, QColor(0, 255, 0));
        QVERIFY(grid->StyleOf(TForm_ProducaoPlan::ColFirstDay + 1, 2).background != QColor(0, 255, 0));
        QVERIFY(!s->IsBarCell(TForm_ProducaoPlan::ColFirstDay, 3)); // no days
        QCOMPARE(m_app->form->HelpContext(), 33);
        QVERIFY(!s->Button_ProducaoPlanDetail->isVisibleTo(s));
        // The boxes that take no part in the plan are there with their texts, disabled.
        QCOMPARE(QStringList({s->Label74->text(), s->Label64->text(), s->Label63->text()}),
                 QStringList({LangText("label_21", ""), LangText("label_4", ""), LangText("label_47", "")}));
        QVERIFY(!s->ComboBox_AltEquip->isEnabled() && !s->Edit_ProducaoPlanCliente->isEnabled()
                && !s->Edit_ProducaoPlanDataFinal->isEnabled());
        saveShot(m_app->form.get(), "plan-chart-5-days");
    }

    // A click on a row's equipment drops the list down at its empty entry; the choice goes into the
    // row. "Calculate" lays each equipment's products end to end into the production plan list,
    // shows it with the week label and a beep, and alternates with "Detail ...".
    void calculateShowsThePlan()
    {
        ScopedRecordingDesktop desktop;
        auto* s = open();
        StringGrid* grid = s->StringGrid11;
        for (int row : {1, 2}) {
            s->ComboBox_MainEquip->setCurrentIndex(2);
            s->StringGrid11MouseDown(Qt::LeftButton, TForm_ProducaoPlan::ColPicture, row);
            QCOMPARE(s->ComboBox_MainEquip->currentIndex(), 0);
            s->ComboBox_MainEquip->hidePopup();
            Q_EMIT s->ComboBox_MainEquip->activated(1);
            QCOMPARE(grid->Cells(TForm_ProducaoPlan::ColEquipment, row), QString("Engel"));
        }
        QCOMPARE(s->Edit_ProducaoPlanProduto->text(), QString("Mesa Pinho"));
        TForm2* form2 = s->ResultWindow();
        QStringList rows;
        QString week, caption;
        bool shown = false, alternated = false;
        QTimer::singleShot(0, form2, [&] {
            shown = form2->isVisible() && form2->ShownPanel() == TForm2::PanelProducaoPlan;
            alternated = !s->Button_ProducaoPlanCalculate->isEnabled() && s->Button_ProducaoPlanDetail->isEnabled();
            saveShot(form2, "plan-list");
            week = form2->Label5->text();
            caption = form2->Label_caption->text();
            for (int r = 0; r < form2->StringGrid11->RowCount(); ++r)
                rows << form2->StringGrid11->RowTexts(r).mid(0, 6).join('|');
            form2->Button_ProducaoPlanClose->click();
        });
        click(s->Button_ProducaoPlanCalculate);
        QVERIFY(shown && alternated);
        QCOMPARE(week, LangText("label_100", "") + " #37");
        QCOMPARE(caption, LangTitle[12]);
        QCOMPARE(rows, QStringList({"|" + LangText("label_31", "") + " |" + LangText("label_quantity", "") + "|"
                                        + LangText("label_99", "") + "|" + LangText("label_startdate", "") + "|"
                                        + LangText("label_enddate", ""),
                                    "Engel|||||", "|Garfo Azul|8000|10|10/09/2026|20/09/2026",
                                    "|Mesa Pinho|1000|1|20/09/2026|21/09/2026", "|||||", "Krauss|||||"}));
        QVERIFY(desktop->calls.contains("beep"));
        QVERIFY(s->Button_ProducaoPlanCalculate->isEnabled() && !s->Button_ProducaoPlanDetail->isEnabled());
        QCOMPARE(CurrentGrid.data(), grid);
        // The order calculation brought the stock file up to date on the way.
        QCOMPARE(recordsOf<StockProdutoRecord>(m_app->path(DataFile::StockProduto))[0].ordered.text(), QString("1020"));
    }

    // No order file: a message and no screen; an order file without active orders: one message and
    // an empty chart.
    void nothingToPlan()
    {
        QFile::remove(m_app->path(DataFile::EncomProduto));
        QVERIFY(!open());
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[23]}));
        m_app->messages.clear();
        WriteAllRecords(m_app->path(DataFile::EncomProduto),
                        std::vector<EncomProdutoRecord>{order("Prato", "Azul", "Rui", "5", "0", OrderArchived)});
        auto* s = open();
        QVERIFY(s);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[23]}));
        QVERIFY(s->StringGrid11->Cells(0, 1).isEmpty());
        QCOMPARE(s->StringGrid11->ColCount(), TForm_ProducaoPlan::ColFirstDay + 2);
    }

    // With the sample company, in both languages at both window sizes: the screen and the plan list
    // fit, no control over another, no caption cut.
    void fitsTheWindow_data()
    {
        AddLanguageRows();
    }
    void fitsTheWindow()
    {
        QFETCH(QByteArray, language);
        m_app.reset();
        MasterScreens app("Language=" + language + "\r\n");
        copySampleCompany(app.companyFolder());
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_PlanProducao");
        auto* s = app.open<TForm_ProducaoPlan>("menu_PlanProducao");
        QVERIFY(s);
        QStringList problems{"not shown"};
        QTimer::singleShot(0, s->ResultWindow(), [&] {
            problems = LayoutProblems(s->ResultWindow());
            s->ResultWindow()->Button_ProducaoPlanClose->click();
        });
        click(s->Button_ProducaoPlanCalculate);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_MAIN(TestProductionPlan)
#include "tst_productionplan.moc"
