// The stock screens on a large company: the raw-material stock screen (both variants) and the
// product stock screen opened until painted, the stock calculation's "Calculate" until the needs
// list is on screen (the order calculation included; both stock files rewritten each run), the
// calculation alone, and a booking on the 3,000-material file: an entry against an open purchase
// order from the Add click until the screen shows it again, and the booking's records alone.
//
//     bench_stock_calculation [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set. Message boxes are scripted (their texts are counted, not shown).
// Every file the benchmark changes is put back as it was at the end.

#include "BenchCompany.h"
#include "BenchShell.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/Settings.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "stock/StockBookings.h"
#include "stock/StockCalculation.h"
#include "stock/TForm_Stock.h"
#include "stock/TForm_StockProd.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/RecordFile.h"
#include "store/RegionalSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
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
    if (limitMs > 0)
        std::printf("%-40s best %8.1f ms  worst %8.1f ms  (target < %.0f ms: %s)  %s\n", name, t.bestMs, t.worstMs,
                    limitMs, t.worstMs < limitMs ? "met" : "NOT MET", qPrintable(what));
    else
        std::printf("%-40s best %8.1f ms  worst %8.1f ms  %s\n", name, t.bestMs, t.worstMs, qPrintable(what));
}

template <class Screen, class... Args>
Screen* openScreen(QWidget* host, Args... args)
{
    auto* screen = new Screen(host, args...);
    screen->setGeometry(0, 1, host->width(), host->height() - 1);
    screen->show();
    QCoreApplication::processEvents(); // the first paint, as the user sees it
    return screen;
}

void closeScreen(QWidget* screen)
{
    delete screen;
    QCoreApplication::processEvents();
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
    company.setUp("bench_stock_calculation");
    DatabaseFolder = company.folder;
    HoursPerDay = 16;
    DaysPerWeek = 5;
    StockAuto = true;
    const int runs = company.runs;

    // What the benchmark changes, to be put back at the end.
    const QStringList changed{DataFile::StockMateria, DataFile::StockProduto, DataFile::EncomMateria,
                              DataFile::MovimMateria};
    std::vector<QByteArray> originals;
    for (const QString& f : changed)
        originals.push_back(ReadFileContents(DatabaseFolder + f));
    auto restore = [&](const QString& file) {
        ReplaceFileContents(DatabaseFolder + file, originals[size_t(changed.indexOf(file))]);
    };
    // Every calculation starts from a product stock file whose ordered quantities are out of date
    // (all "0"), so that each stock record of an ordered product is rewritten.
    QByteArray productsBefore = originals[1];
    for (qsizetype at = 0; at + qsizetype(sizeof(StockProdutoRecord)) <= productsBefore.size(); at += sizeof(StockProdutoRecord))
        reinterpret_cast<StockProdutoRecord*>(productsBefore.data() + at)->ordered.setText(QStringLiteral("0"));
    auto outOfDate = [&] { ReplaceFileContents(DatabaseFolder + DataFile::StockProduto, productsBefore); };

    BenchShell shell;
    SetShell(&shell);
    shell.window.resize(1280, 800);
    shell.window.show();
    QCoreApplication::processEvents();

    std::printf("\nStock screens on %s, %d runs each (the first run reads the files cold from the system's cache)\n\n",
                qPrintable(company.folder), runs);

    // Opening.
    Timing entryOpen, planningOpen, productOpen;
    int materials = 0, orders = 0, products = 0, productOrders = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        auto* entry = openScreen<TForm_Stock>(&shell.window, TForm_Stock::StockEntry);
        entryOpen.add(msSince(clock));
        materials = entry->StringGrid5->RowCount() - 1;
        orders = entry->ComboBox_StockEntradaEncom->count() - 1;
        closeScreen(entry);

        clock.start();
        auto* planning = openScreen<TForm_Stock>(&shell.window, TForm_Stock::StockPlanning);
        planningOpen.add(msSince(clock));
        closeScreen(planning);

        clock.start();
        auto* product = openScreen<TForm_StockProd>(&shell.window);
        productOpen.add(msSince(clock));
        products = product->StringGrid9->RowCount() - 1;
        productOrders = product->ComboBox_StockProdSaidaEncom->count() - 1;
        closeScreen(product);
    }
    report("raw-material stock open and painted", entryOpen, 500,
           QString("%1 materials, %2 open purchase orders").arg(materials).arg(orders));
    report("stock calculation open and painted", planningOpen, 500, QString());
    report("product stock open and painted", productOpen, 500,
           QString("%1 products, %2 open client orders").arg(products).arg(productOrders));

    // "Calculate" until the needs list is on screen.
    Timing calculate;
    int needs = 0;
    for (int i = 0; i < runs; ++i) {
        restore(DataFile::StockMateria);
        outOfDate();
        auto* screen = openScreen<TForm_Stock>(&shell.window, TForm_Stock::StockPlanning);
        QElapsedTimer clock;
        double shownMs = 0;
        QTimer::singleShot(0, screen, [&, screen] {
            TForm2* form2 = screen->ResultWindow();
            QCoreApplication::processEvents(); // painted
            shownMs = msSince(clock);
            needs = form2->StringGrid5->RowCount() - 1;
            form2->Button_StockClose->click();
        });
        clock.start();
        screen->Button_StockCalculate->click();
        calculate.add(shownMs);
        closeScreen(screen);
    }
    report("Calculate until the needs list is shown", calculate, 1500, QString("%1 materials needed").arg(needs));

    // The calculation alone.
    const auto settings = OrderCalculation::Settings::FromProgram();
    restore(DataFile::StockMateria);
    outOfDate();
    const StockCalculation::StockFiles files = StockCalculation::ReadStockFiles(DatabaseFolder);
    Timing inMemory, withFiles;
    QString counts;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        StockCalculation::StockOutcome out = StockCalculation::CalculateStock(files, {}, settings);
        StockCalculation::ComputeRunOutDates(out.needs, settings);
        inMemory.add(msSince(clock));

        restore(DataFile::StockMateria);
        outOfDate();
        clock.start();
        const StockCalculation::Recalculation done = StockCalculation::RecalculateStock(DatabaseFolder, settings);
        withFiles.add(msSince(clock));
        counts = QString("%1 product and %2 material records rewritten, %3 appended")
                     .arg(done.changes[0].rewritten)
                     .arg(done.changes[1].rewritten)
                     .arg(done.changes[1].appended);
    }
    report("calculation alone (in memory)", inMemory, 0,
           QString("%1 product orders, %2 composition lines, %3 purchase orders")
               .arg(files.orders.orders.size())
               .arg(files.products.size())
               .arg(files.purchases.size()));
    report("calculation with reading and writing", withFiles, 0, counts);

    // A booking: an entry of 1 against an open purchase order, from the Add click until the
    // screen shows the stock again (the order list filled again, as the order changed).
    restore(DataFile::StockMateria);
    Timing booking, recordsAlone;
    const auto purchases = ReadAllRecords<EncomMateriaRecord>(DatabaseFolder + DataFile::EncomMateria);
    auto* screen = openScreen<TForm_Stock>(&shell.window, TForm_Stock::StockEntry);
    for (int i = 0; i < runs; ++i) {
        QComboBox* list = screen->ComboBox_StockEntradaEncom;
        const int item = 1 + i % std::max(1, list->count() - 1);
        const QString material = purchases[size_t(OpenOrderRecord(list, item))].material.text();
        screen->ComboBox_StockMateriaPrima->setCurrentIndex(FindExact(screen->ComboBox_StockMateriaPrima, material));
        screen->Edit_StockEntrada->setText(QStringLiteral("1"));
        list->setEnabled(true);
        list->setCurrentIndex(item);
        QElapsedTimer clock;
        clock.start();
        screen->Button_StockAdd->click();
        QCoreApplication::processEvents();
        booking.add(msSince(clock));
    }
    closeScreen(screen);
    for (int i = 0; i < runs; ++i) {
        StockBookings::Booking b;
        b.item = ReadAllRecords<StockMateriaRecord>(DatabaseFolder + DataFile::StockMateria)[size_t(i)].material.text();
        b.exit = 0;
        b.entry = 1;
        b.date = DateText::DateToStr(Clock::today());
        b.today = b.date;
        QElapsedTimer clock;
        clock.start();
        const StockBookings::BookingPlan plan = StockBookings::PlanMaterialBookingIn(DatabaseFolder, b);
        const StockBookings::BookingResult result = StockBookings::WriteBooking(DatabaseFolder, plan);
        recordsAlone.add(msSince(clock));
        if (!plan.ok() || !result.ok() || result.written.size() != 2)
            std::printf("booking not made: %d %s\n", int(plan.refusal), qPrintable(result.failure));
    }
    for (const QString& text : MessageBox::shownTexts())
        std::printf("message: %s\n", qPrintable(text));
    MessageBox::clearShown();
    report("booking: Add until the stock is shown", booking, 50,
           QString("%1 materials, %2 movements before").arg(materials).arg(originals[3].size() / 77));
    report("booking: the records alone", recordsAlone, 50, QString());
    std::printf("\n");

    for (const QString& f : changed)
        restore(f);
    SetShell(nullptr);
    const bool met = entryOpen.worstMs < 500 && planningOpen.worstMs < 500 && productOpen.worstMs < 500
                     && calculate.worstMs < 1500 && booking.worstMs < 50;
    return met ? 0 : 2;
}
