// The product orders on a large company: the order-entry screen opened until it is painted, the
// planning screen's "Calculate" until the delivery-dates list is on screen (StockProduto.DAT
// rewritten in full each run), and the order calculation alone (both halves, from the records in
// memory, and with the reading of the files).
//
//     bench_order_calculation [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set. Message boxes are scripted (their texts are counted, not shown).

#include "BenchCompany.h"
#include "BenchShell.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/Settings.h"
#include "orders/OrderCalculation.h"
#include "orders/TForm_EncomProduto.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/RecordFile.h"
#include "store/RegionalSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Timing {
    double bestMs = 1e300;
    double worstMs = 0;
    void add(double ms)
    {
        bestMs = std::min(bestMs, ms);
        worstMs = std::max(worstMs, ms);
    }
};

double msSince(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

void report(const char* name, const Timing& t, double limitMs, const QString& what)
{
    std::printf("%-34s best %8.1f ms  worst %8.1f ms  (target < %.0f ms: %s)  %s\n", name, t.bestMs, t.worstMs, limitMs,
                t.worstMs < limitMs ? "met" : "NOT MET", qPrintable(what));
}

TForm_EncomProduto* openScreen(QWidget* host, TForm_EncomProduto::Mode mode)
{
    auto* screen = new TForm_EncomProduto(host, mode);
    screen->setGeometry(0, 1, host->width(), host->height() - 1);
    screen->show();
    QCoreApplication::processEvents(); // the first paint, as the user sees it
    return screen;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    MessageBox::setTestMode(true);
    BenchCompany company;
    company.setUp("bench_order_calculation");
    DatabaseFolder = company.folder;
    HoursPerDay = 16;
    DaysPerWeek = 5;
    StockAuto = true;
    const int runs = company.runs;
    const QString stockPath = DatabaseFolder + DataFile::StockProduto;
    const QByteArray stockOriginal = ReadFileContents(stockPath);
    // Every run starts from a file whose ordered quantities are out of date (all "0"), so that each
    // stock record of an ordered product is rewritten.
    QByteArray stockBefore = stockOriginal;
    for (qsizetype at = 0; at + qsizetype(sizeof(StockProdutoRecord)) <= stockBefore.size(); at += sizeof(StockProdutoRecord)) {
        auto* r = reinterpret_cast<StockProdutoRecord*>(stockBefore.data() + at);
        r->ordered.setText(QStringLiteral("0"));
    }

    BenchShell shell;
    SetShell(&shell);
    shell.window.resize(1280, 800);
    shell.window.show();
    QCoreApplication::processEvents();

    std::printf("\nProduct orders on %s, %d runs each (the first run reads the files cold from the system's cache)\n\n",
                qPrintable(company.folder), runs);

    // Order entry: open and painted.
    Timing entry;
    int listed = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        TForm_EncomProduto* screen = openScreen(&shell.window, TForm_EncomProduto::OrderEntry);
        entry.add(msSince(clock));
        listed = screen->StringGrid6->RowCount() - 1;
        delete screen;
        QCoreApplication::processEvents();
    }
    report("order entry open and painted", entry, 500, QString("%1 orders listed").arg(listed));

    // Planning: "Calculate" until the delivery list is on screen.
    Timing calculate, planningOpen;
    int products = 0;
    for (int i = 0; i < runs; ++i) {
        ReplaceFileContents(stockPath, stockBefore); // every run rewrites the file
        QElapsedTimer opening;
        opening.start();
        TForm_EncomProduto* screen = openScreen(&shell.window, TForm_EncomProduto::OrderPlanning);
        planningOpen.add(msSince(opening));
        QElapsedTimer clock;
        double shownMs = 0;
        QTimer::singleShot(0, screen, [&, screen] {
            TForm2* form2 = screen->ResultWindow();
            QCoreApplication::processEvents(); // painted
            shownMs = msSince(clock);
            products = form2->StringGrid6->RowCount() - 1;
            form2->Button_EncomendaClose->click();
        });
        clock.start();
        screen->Button_EncomendaCalculate->click();
        calculate.add(shownMs);
        delete screen;
        QCoreApplication::processEvents();
    }
    report("order planning open and painted", planningOpen, 500, QString());
    report("Calculate until the list is shown", calculate, 1000, QString("%1 products in the list").arg(products));

    // The calculation alone.
    const auto settings = OrderCalculation::Settings::FromProgram();
    ReplaceFileContents(stockPath, stockBefore);
    const OrderCalculation::OrderFiles files = OrderCalculation::ReadOrderFiles(DatabaseFolder);
    const std::vector<ProdutoRecord> lines = ReadAllRecords<ProdutoRecord>(DatabaseFolder + DataFile::Produtos);
    Timing computed, firstHalf, withFiles;
    qint64 rewritten = 0, appended = 0;
    size_t problems = 0;
    for (int i = 0; i < runs; ++i) {
        ReplaceFileContents(stockPath, stockBefore);
        QElapsedTimer clock;
        clock.start();
        const OrderCalculation::TotalsOutcome out = OrderCalculation::ComputeOrderTotals(files, settings);
        firstHalf.add(msSince(clock));
        const OrderCalculation::DeliveryList list = OrderCalculation::ComputeDeliveryDates(out.totals.rows, lines, settings);
        computed.add(msSince(clock));
        rewritten = out.totals.rewritten;
        appended = out.totals.appended;
        problems = list.problems.size();

        clock.start();
        const OrderCalculation::TotalsOutcome written = OrderCalculation::RecalculateOrderedQuantities(DatabaseFolder, settings);
        OrderCalculation::ComputeDeliveryDates(written.totals.rows,
                                               ReadAllRecords<ProdutoRecord>(DatabaseFolder + DataFile::Produtos), settings);
        withFiles.add(msSince(clock));
    }
    report("calculation alone (in memory)", computed, 200,
           QString("%1 orders, %2 stock records: %3 rewritten, %4 appended, %5 without a date")
               .arg(files.orders.size())
               .arg(files.stock.size())
               .arg(rewritten)
               .arg(appended)
               .arg(problems));
    report("  of which the first half", firstHalf, 200, QString());
    report("calculation with reading and writing", withFiles, 200, QString());
    std::printf("\n");

    ReplaceFileContents(stockPath, stockOriginal);
    SetShell(nullptr);
    const bool met = entry.worstMs < 500 && calculate.worstMs < 1000 && computed.worstMs < 200;
    return met ? 0 : 2;
}
