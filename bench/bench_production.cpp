// Production entries and the production plan on a large company: the entry screen opened until it
// is painted (HorasProducao.DAT summed per product, the stock of each), storing an entry (the hours
// of its equipment that day read from the whole file, then the stock, the entry and the movements
// written), the plan opened until it is painted (the order calculation with StockProduto.DAT out of
// date and rewritten each run, the chart) and its "Calculate" until the plan list shows; then the
// calculations alone.
//
//     bench_production [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set. Message boxes are scripted; the files the runs change are put
// back as they were after each run and at the end.

#include "BenchCompany.h"
#include "BenchTiming.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"
#include "production/ProductionEntrySummary.h"
#include "production/ProductionPlan.h"
#include "production/TForm_ProdEntrada.h"
#include "production/TForm_ProducaoPlan.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/RecordFile.h"
#include "store/RegionalSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    MessageBox::setTestMode(true);
    BenchCompany company;
    company.setUp("bench_production");
    DatabaseFolder = company.folder;
    CurrentCompany = QStringLiteral("Bench");
    DataIni = std::make_unique<IniFile>(company.folder + QStringLiteral("bench.ini"));
    HoursPerDay = 24;
    DaysPerWeek = 5;
    StockAuto = false;
    // A day after every entry of the company: the entry stored is the first of its day.
    Clock::setFixed(QDateTime(QDate(2031, 1, 6), QTime(10, 0)));
    const int runs = company.runs;
    bool allMet = true;

    const QStringList changed{DataFile::HorasProducao, DataFile::StockProduto, DataFile::MovimProduto};
    std::vector<QByteArray> originals;
    for (const QString& name : changed)
        originals.push_back(ReadFileContents(DatabaseFolder + name));
    auto putBack = [&] {
        for (size_t i = 0; i < size_t(changed.size()); ++i)
            ReplaceFileContents(DatabaseFolder + changed[int(i)], originals[i]);
    };
    // The stock with out-of-date ordered quantities, so that the plan's order calculation rewrites it.
    QByteArray stockOutOfDate = originals[1];
    for (qsizetype at = 0; at + qsizetype(sizeof(StockProdutoRecord)) <= stockOutOfDate.size(); at += sizeof(StockProdutoRecord))
        reinterpret_cast<StockProdutoRecord*>(stockOutOfDate.data() + at)->ordered.setText(QStringLiteral("0"));

    BenchShell shell;
    SetShell(&shell);
    shell.window.resize(1280, 800);
    shell.window.show();
    QCoreApplication::processEvents();
    std::printf("\nProduction entries and plan on %s, %d runs each\n\n", qPrintable(company.folder), runs);

    // The entry screen, opened and painted.
    Timing entryOpen;
    int listed = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        auto* screen = showScreen(shell.window, new TForm_ProdEntrada(&shell.window));
        entryOpen.add(elapsedMs(clock));
        listed = screen->StringGrid14->RowCount() - 1;
        delete screen;
        QCoreApplication::processEvents();
    }
    allMet &= report("entry screen open and painted", entryOpen, 700, QString("%1 products listed").arg(listed));

    // Storing an entry of a product and equipment of the company: 8 hours of an 8-hour shift.
    Timing store;
    int stored = 0;
    for (int i = 0; i < runs; ++i) {
        auto* s = showScreen(shell.window, new TForm_ProdEntrada(&shell.window));
        const StringGrid* grid = s->StringGrid14;
        s->ComboBox_ProdEntrProduto->setCurrentIndex(s->ComboBox_ProdEntrProduto->findText(grid->Cells(0, 1 + i)));
        s->ComboBox_ProdEntrProdutoCor->setCurrentIndex(s->ComboBox_ProdEntrProdutoCor->findText(grid->Cells(1, 1 + i)));
        s->ComboBox_ProdEntrRecurso->setCurrentIndex(i % std::max(1, s->ComboBox_ProdEntrRecurso->count()));
        s->ComboBox_ProdEntrShift->setEditText(QStringLiteral("08"));
        s->Edit_ProdEntrEntrada->setText(QStringLiteral("1200"));
        s->Edit_ProdEntrSaida->setText(QStringLiteral("15"));
        s->Edit_ProdEntrHProd->setText(QStringLiteral("7.5"));
        s->Edit_ProdEntrHArranq->setText(QStringLiteral("0.5"));
        const qint64 before = QFileInfo(DatabaseFolder + DataFile::HorasProducao).size();
        MessageBox::clearShown();
        QElapsedTimer clock;
        clock.start();
        s->Button_ProdEntradaAdd->click();
        store.add(elapsedMs(clock));
        if (QFileInfo(DatabaseFolder + DataFile::HorasProducao).size() > before && MessageBox::shown().isEmpty())
            ++stored;
        else
            std::printf("  run %d stored nothing: %s\n", i + 1, qPrintable(MessageBox::shownTexts().join(" / ")));
        delete s;
        QCoreApplication::processEvents();
        putBack();
    }
    allMet &= report("storing an entry", store, 100, QString("%1 of %2 stored").arg(stored).arg(runs));

    // The plan, opened and painted; "Calculate" until the list is on screen.
    Timing planOpen, calculate;
    int short_ = 0, planRows = 0;
    for (int i = 0; i < runs; ++i) {
        ReplaceFileContents(DatabaseFolder + DataFile::StockProduto, stockOutOfDate);
        QElapsedTimer clock;
        clock.start();
        auto* s = showScreen(shell.window, new TForm_ProducaoPlan(&shell.window));
        planOpen.add(elapsedMs(clock));
        short_ = s->StringGrid11->RowCount() - 1;
        // Every product on an equipment, in turn.
        const int equipment = s->ComboBox_MainEquip->count() - 1;
        for (int r = 1; r < s->StringGrid11->RowCount() && equipment > 0; ++r)
            s->StringGrid11->setCells(TForm_ProducaoPlan::ColEquipment, r, s->ComboBox_MainEquip->itemText(1 + r % equipment));
        double shownMs = 0;
        QTimer::singleShot(0, s, [&, s] {
            QCoreApplication::processEvents();
            shownMs = elapsedMs(clock);
            planRows = s->ResultWindow()->StringGrid11->RowCount() - 1;
            s->ResultWindow()->Button_ProducaoPlanClose->click();
        });
        clock.start();
        s->Button_ProducaoPlanCalculate->click();
        calculate.add(shownMs);
        delete s;
        QCoreApplication::processEvents();
    }
    allMet &= report("plan open and painted", planOpen, 1500, QString("%1 products short").arg(short_));
    allMet &= report("plan Calculate until the list shows", calculate, 0, QString("%1 rows in the list").arg(planRows));
    putBack();

    // The calculations alone, from the records in memory.
    const auto entries = ReadAllRecords<HorasProducaoRecord>(DatabaseFolder + DataFile::HorasProducao);
    const auto stock = ReadAllRecords<StockProdutoRecord>(DatabaseFolder + DataFile::StockProduto);
    Timing summary, day, chart;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        const auto s = Production::SummariseEntries(entries, stock);
        summary.add(elapsedMs(clock));
        clock.start();
        Production::HoursOnDay(entries, QString::fromLatin1(entries[size_t(i)].equipment.bytes()),
                               QDate(2031, 1, 6));
        day.add(elapsedMs(clock));
    }
    shell.Button_calcClick();
    const auto products = ReadAllRecords<ProdutoRecord>(DatabaseFolder + DataFile::Produtos);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        ProductionPlan::ComputePlanChart(shell.WorkingTable().rows, products, ProductionPlan::Settings::FromProgram());
        chart.add(elapsedMs(clock));
    }
    allMet &= report("summary of the entries (in memory)", summary, 0, QString("%1 entries").arg(entries.size()));
    allMet &= report("hours of an equipment on a day", day, 0, QString());
    allMet &= report("plan chart (in memory)", chart, 0, QString("%1 products ordered").arg(shell.WorkingTable().rows.size()));
    std::printf("\n");

    putBack();
    SetShell(nullptr);
    return allMet ? 0 : 2;
}
