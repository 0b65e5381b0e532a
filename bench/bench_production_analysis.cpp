// Timings of the production analysis on a large company: opening the quantities view, the product
// costs and the utilisation indices (from creation until the first paint), their filter changes,
// and the table of production hours by month over two years.
//
//     bench_production_analysis [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set.

#include "BenchCompany.h"
#include "BenchTiming.h"
#include "production/TForm_Custo.h"
#include "production/TForm_Utiliz.h"
#include "production/TForm_ViewProducQuant.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/DateText.h"
#include "store/RegionalSettings.h"

#include "accessories/TRe2Buttn.h"

#include <QApplication>
#include <QRadioButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

bool allMet = true;

void check(const char* name, const Timing& t, double limitMs) { allMet = report(name, t, limitMs) && allMet; }

void choose(QComboBox* list, int index) { list->setCurrentIndex(index); }

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    MessageBox::setTestMode(true); // a message would wait for a click
    BenchCompany company;
    company.setUp("bench_production_analysis");
    DatabaseFolder = company.folder;
    const int runs = company.runs;

    QWidget host;
    host.resize(1024, 700);
    host.show();
    QCoreApplication::processEvents();

    std::printf("\nProduction analysis on %s, %d runs each (the first reads the files cold from the system's cache)\n\n",
                qPrintable(company.folder), runs);

    Timing quantOpen, quantChange;
    for (int i = 0; i < runs; ++i)
        withScreen<TForm_ViewProducQuant>(host, quantOpen, [&](TForm_ViewProducQuant* s) {
            // One year less at the start: the table is built again.
            const QDate from = DateText::parse(s->Edit6->text())->addYears(1);
            s->Edit6->setText(DateText::DateToStr(from));
            quantChange.add(timed([&] { s->Button_ViewProducQuantDateClick(); }));
            quantChange.rows = s->StringGrid18->RowCount() - 2;
        });
    check("TForm_ViewProducQuant opens", quantOpen, 1000);
    check("  range changed ('change')", quantChange, 500);

    Timing costOpen, costFilter, costAll;
    for (int i = 0; i < runs; ++i)
        withScreen<TForm_Custo>(host, costOpen, [&](TForm_Custo* s) {
            costFilter.add(timed([&] { choose(s->ComboBox_CustoProduto, s->ComboBox_CustoProduto->count() / 2); }));
            costFilter.rows = s->StringGrid17->RowCount() - 1;
            costAll.add(timed([&] { choose(s->ComboBox_CustoProduto, 0); }));
            costAll.rows = s->StringGrid17->RowCount() - 1;
        });
    check("TForm_Custo opens", costOpen, 1000);
    check("  one product chosen", costFilter, 500);
    check("  back to ( show all )", costAll, 500);

    Timing utilOpen, utilEquip, utilProductMode, utilProduct, utilAll, byMonth;
    for (int i = 0; i < runs; ++i)
        withScreen<TForm_Utiliz>(host, utilOpen, [&](TForm_Utiliz* s) {
            utilEquip.add(timed([&] { choose(s->ComboBox_PanelUtilizEquip, 1); }));
            utilEquip.rows = s->StringGrid16->RowCount() - 1;
            utilProductMode.add(timed([&] { s->RadioButton_UtilizProduto->click(); }));
            utilProductMode.rows = s->StringGrid16->RowCount() - 1;
            utilProduct.add(timed([&] { choose(s->ComboBox_PanelUtilizProd, s->ComboBox_PanelUtilizProd->count() / 2); }));
            utilProduct.rows = s->StringGrid16->RowCount() - 1;
            utilAll.add(timed([&] { choose(s->ComboBox_PanelUtilizProd, 0); }));
            utilAll.rows = s->StringGrid16->RowCount() - 1;
            // Two years by month in product mode, until the list window is on screen.
            s->Button_UtilizCalcClick();
            const QDate to = DateText::parse(s->Edit_UtilizDateTo->text()).value();
            s->Edit_UtilizDateFrom->setText(DateText::DateToStr(QDate(to.year() - 1, 1, 1)));
            s->Edit_UtilizDateTo->setText(DateText::DateToStr(QDate(to.year(), 12, 31)));
            QElapsedTimer clock;
            clock.start();
            QTimer::singleShot(0, s, [&] {
                byMonth.add(elapsedMs(clock));
                byMonth.rows = s->ListWindow()->StringGrid16->RowCount() - 2;
                s->ListWindow()->Button_UtilizClose->click();
            });
            s->Button_UtilizDateOkClick();
        });
    check("TForm_Utiliz opens (by equipment)", utilOpen, 1000);
    check("  one equipment chosen", utilEquip, 500);
    check("  by product", utilProductMode, 500);
    check("  one product chosen", utilProduct, 500);
    check("  back to ( show all )", utilAll, 500);
    check("  by month, 24 months by product, shown", byMonth, 1000);
    std::printf("\n");
    return allMet ? 0 : 2;
}
