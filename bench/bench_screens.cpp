// The whole program on a large company: the real main window started on the company in a program
// folder of its own, every screen of the menu table opened through its menu item, every
// calculation and detail list run (order calculation, stock calculation, production plan and its
// "Calculate", utilisation by month and its chart, costs, the details of the global view, the
// movements views with a date range, the check of the company files), the dialogs (Preferences,
// renaming, backup, revert, the company chooser, About) shown and closed, and the start of the
// staged program until its company chooser is on screen (on the sample company, a process of its
// own). One table: what was done, the rows shown, the time until painted (best and worst of the
// runs, wall clock and the processor time of this process), its target; then the peak resident
// memory of this process.
//
//     bench_screens [company folder] [--runs N] [--unreadable-dates]     (3 runs unless told)
//
// --unreadable-dates: the session writes dates unlike the company (dd-mm-yyyy), so that every date
// of it fails to read; only the check of the company files runs then (a finding per date).
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). The company is copied into the
// temporary program folder, so the given folder never changes. Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set. Message boxes are scripted (their texts are counted, not shown);
// dialogs and result lists are closed by a timer once they have been painted.

#include "BenchCompany.h"
#include "BenchTiming.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "production/TForm_Custo.h"
#include "production/TForm_ProducaoPlan.h"
#include "production/TForm_Utiliz.h"
#include "production/TForm_ViewProducQuant.h"
#include "shell/Application.h"
#include "shell/DesktopServices.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "shell/TForm1.h"
#include "stock/TForm_GeralView.h"
#include "stock/TForm_MovimView.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/RegionalSettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const QString& line)
{
    std::fprintf(stderr, "bench_screens: %s\n", qPrintable(line));
    std::exit(1);
}

// One line of the table: wall clock and processor time of every run.
struct Row {
    QString name;
    double limitMs;
    Timing wall;
    Timing cpu;
    QString note;
};
std::vector<Row> table;

Row& rowNamed(const QString& name, double limitMs)
{
    for (Row& r : table)
        if (r.name == name)
            return r;
    table.push_back({name, limitMs, {}, {}, {}});
    return table.back();
}

// Counts the paints of every widget, to let the event loop run until the screen stands still.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
PaintCounter* paintCounter = nullptr;

// Runs the event loop until a pass paints nothing more: what was changed is on screen.
void untilPainted()
{
    for (int pass = 0; pass < 8; ++pass) {
        const int before = paintCounter->paints;
        QCoreApplication::processEvents();
        if (pass > 0 && paintCounter->paints == before)
            break;
    }
}

// Between measures: posted deletions happen, nothing is left to paint.
void settle()
{
    untilPainted();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    untilPainted();
}

// The most rows of a grid shown in the window.
int rowsShownIn(const QWidget* window)
{
    int rows = 0;
    for (const StringGrid* g : window->findChildren<StringGrid*>())
        if (g->isVisible())
            rows = std::max(rows, g->RowCount() - 1);
    return rows;
}

// Closes a dialog or result list as its user would: its visible Close button, else Cancel.
void closeWindow(QWidget* window)
{
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && b->objectName().startsWith(QLatin1String("Button_"))
            && b->objectName().endsWith(QLatin1String("Close"))) {
            b->click();
            return;
        }
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

// Times the action until what it shows is painted: a modal window (dialog, result list) when it
// opens one, which is then closed; else the main window. rows tells the rows shown when no modal
// window opened.
void measure(const QString& name, double limitMs, const std::function<void()>& action,
             const std::function<int()>& rows = {})
{
    rowNamed(name, limitMs);
    const QString closing = name + QStringLiteral(": window closed");
    settle();
    MessageBox::clearShown();
    QElapsedTimer wall;
    double cpuStart = 0;
    bool recorded = false;
    auto record = [&](QWidget* modal) {
        untilPainted();
        Row& row = rowNamed(name, limitMs);
        row.wall.add(elapsedMs(wall));
        row.cpu.add(processCpuMs() - cpuStart);
        recorded = true;
        row.wall.rows = modal ? rowsShownIn(modal) : rows ? rows() : 0;
        if (modal) {
            // Closing a long list is timed too, until the screen under it is painted again.
            const int listed = row.wall.rows;
            QElapsedTimer closeWall;
            closeWall.start();
            const double closeCpu = processCpuMs();
            closeWindow(modal);
            untilPainted();
            if (listed >= 1000) {
                Row& closed = rowNamed(closing, 1000);
                closed.wall.add(elapsedMs(closeWall));
                closed.cpu.add(processCpuMs() - closeCpu);
                closed.wall.rows = listed;
            }
        }
    };
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && !recorded) {
            poll.stop();
            record(modal);
        }
    });
    poll.start();
    cpuStart = processCpuMs();
    wall.start();
    action();
    poll.stop();
    if (!recorded) {
        QWidget* modal = QApplication::activeModalWidget(); // opened without waiting for it
        record(modal && modal->isVisible() ? modal : nullptr);
    }
    if (!MessageBox::shown().isEmpty()) {
        QString text = MessageBox::shownTexts().constLast();
        rowNamed(name, limitMs).note = QStringLiteral("message: ") + text.replace(QLatin1Char('\r'), QLatin1Char(' ')).left(60);
    }
    settle();
}

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& f : QDir(from).entryInfoList(QDir::Files)) {
        const QString target = QDir(to).filePath(f.fileName());
        if (!QFile::copy(f.filePath(), target))
            fail(QStringLiteral("cannot copy ") + f.filePath());
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

// The program folder of the large company: the language file, the sample company (the
// installation check wants it), the large company as "Bench" and settings that start on it.
void prepareHome(const QString& home, const QString& program, const QString& bigCompany)
{
    QFile ini(QDir(home).filePath(QStringLiteral("Quorvale.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write ") + ini.fileName());
    ini.write("[Options]\r\nLastSuplier=Bench\r\nLanguage=English\r\nNeutralFormat=1\r\n"
              "[Supliers]\r\nNumber=2\r\nSup1=Test_database\r\nSup2=Bench\r\n");
    ini.close();
    if (!QFile::copy(QDir(program).filePath(QStringLiteral("Quorvale.LNG")), QDir(home).filePath(QStringLiteral("Quorvale.LNG"))))
        fail(QStringLiteral("no language file in ") + program);
    copyFolder(QDir(program).filePath(QStringLiteral("Test_database")), QDir(home).filePath(QStringLiteral("Test_database")));
    copyFolder(bigCompany, QDir(home).filePath(QStringLiteral("Bench")));
}

// The staged program started until its company chooser is painted, on the sample company as
// staged (its settings copied), in a program folder of its own (its lock file there too): the first
// start, which converts the sample to the session's formats, then the starts after it.
double startOnce(const QString& program, const QString& home, const QString& name)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUORVALE_HOME"), home);
    env.insert(QStringLiteral("QUORVALE_REPORT_CHOOSER"), QStringLiteral("1"));
    env.insert(QStringLiteral("TMPDIR"), home);
    QProcess child;
    child.setProcessEnvironment(env);
    QElapsedTimer wall;
    wall.start();
    child.start(QDir(program).filePath(QStringLiteral("quorvale")), {});
    double shownMs = -1;
    QByteArray said;
    while (shownMs < 0 && child.waitForReadyRead(10000)) {
        said += child.readAllStandardOutput();
        if (said.contains("chooser shown"))
            shownMs = elapsedMs(wall);
    }
    if (!child.waitForFinished(10000))
        child.kill();
    child.waitForFinished(1000);
    said += child.readAllStandardOutput();
    const qsizetype at = said.indexOf("chooser shown ");
    if (shownMs < 0 || at < 0)
        fail(QStringLiteral("the program did not report its chooser: ") + QString::fromLocal8Bit(said + child.readAllStandardError()));
    Row& row = rowNamed(name, 500);
    row.wall.add(shownMs);
    row.cpu.add(said.mid(at + 14).split('\n').value(0).toDouble());
    row.note = QStringLiteral("a process of its own; cpu: the program's own");
    return shownMs;
}

void measureStart(const QString& program, int runs)
{
    QTemporaryDir home;
    QFile::copy(QDir(program).filePath(QStringLiteral("Quorvale.ini")), QDir(home.path()).filePath(QStringLiteral("Quorvale.ini")));
    QFile::copy(QDir(program).filePath(QStringLiteral("Quorvale.LNG")), QDir(home.path()).filePath(QStringLiteral("Quorvale.LNG")));
    copyFolder(QDir(program).filePath(QStringLiteral("Test_database")), QDir(home.path()).filePath(QStringLiteral("Test_database")));
    startOnce(program, home.path(), QStringLiteral("program first start until the chooser is painted"));
    for (int i = 0; i < runs; ++i)
        startOnce(program, home.path(), QStringLiteral("program start until the chooser is painted"));
}

QAbstractButton* button(QWidget* in, const char* name) { return in->findChild<QAbstractButton*>(QLatin1String(name)); }

template <class Screen>
Screen* screenAs(TForm1& form)
{
    return dynamic_cast<Screen*>(form.CurrentScreen());
}

int shownRows(TForm1& form)
{
    ScreenForm* s = form.CurrentScreen();
    return s && s->MainGrid() ? s->MainGrid()->RowCount() - 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    MessageBox::setTestMode(true);
    ScopedRecordingDesktop desktop; // no beep, no mail program
    QApplication::setQuitOnLastWindowClosed(false);
    TForm1::SetProgramEndHandler({});
    PaintCounter counter;
    paintCounter = &counter;
    app.installEventFilter(&counter);

    BenchCompany company;
    company.runs = 3;
    company.options << QStringLiteral("--unreadable-dates");
    company.setUp("bench_screens");
    const bool unreadableDates = !company.given.isEmpty();
    int runs = company.runs;
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../Quorvale"));
    if (!QFileInfo::exists(QDir(program).filePath(QStringLiteral("quorvale"))))
        fail(QStringLiteral("no staged program in ") + program);

    measureStart(program, runs);

    QTemporaryDir home;
    prepareHome(home.path(), program, company.folder);
    qputenv("QUORVALE_HOME", QFile::encodeName(home.path()));
    CurrentLanguage = QStringLiteral("English");
    // The formats the large company is written in: a decimal point and dd/mm/yyyy.
    RegionalSettings formats = RegionalSettings::pointLocale();
    if (unreadableDates) {
        formats.dateSeparator = '-';
        formats.shortDatePattern = QStringLiteral("dd-MM-yyyy");
    }
    RegionalSettings::setCurrent(formats);
    // The last day of the company's three years.
    Clock::setFixed(QDateTime(QDate(2026, 12, 31), QTime(12, 0)));

    TForm1 form;
    form.resize(1280, 800);
    form.show();
    settle();
    auto* companies = form.findChild<QComboBox*>(QStringLiteral("ComboBox_Suplier"));
    companies->setCurrentIndex(companies->findText(QStringLiteral("Bench")));
    measure(QStringLiteral("start on the company (chooser OK)"), 1000,
            [&] { button(&form, "Button_Suplier")->click(); });
    if (CurrentCompany != QLatin1String("Bench"))
        fail(QStringLiteral("the company did not open: ") + MessageBox::shownTexts().join(QLatin1String(" / ")));

    auto openItem = [&](const QString& item) {
        form.CloseCurrentScreen();
        settle();
        form.MenuItem(item)->trigger();
        settle();
    };

    if (unreadableDates) {
        measure(QStringLiteral("check company files (a finding per date)"), 1500,
                [&] { form.MenuItem(QStringLiteral("menu_ToolsCheckFiles"))->trigger(); });
        runs = 0;
    }
    for (int run = 0; run < runs; ++run) {
        // Every screen of the menu table, opened through its menu item.
        for (const MenuCommand& c : MenuTable()) {
            QAction* item = form.MenuItem(c.item);
            if (!c.factory || !item)
                continue;
            form.CloseCurrentScreen();
            measure(QStringLiteral("open ") + c.item, 1000, [&] { item->trigger(); }, [&] { return shownRows(form); });
        }

        // The calculations.
        openItem(QStringLiteral("menu_PlanEncomenda"));
        measure(QStringLiteral("order calculation: Calculate"), 1500,
                [&] { button(&form, "Button_EncomendaCalculate")->click(); });

        openItem(QStringLiteral("menu_PlanStockMatPrima"));
        measure(QStringLiteral("stock calculation: Calculate"), 1500, [&] { button(&form, "Button_StockCalculate")->click(); });

        openItem(QStringLiteral("menu_PlanProducao"));
        if (auto* plan = screenAs<TForm_ProducaoPlan>(form)) {
            // Every product of the chart given to an equipment, as a user picks them in turn.
            const int equipment = plan->ComboBox_MainEquip->count() - 1;
            for (int r = 1; r < plan->StringGrid11->RowCount() && equipment > 0; ++r) {
                plan->StringGrid11->setRow(r);
                Q_EMIT plan->ComboBox_MainEquip->activated(1 + (r - 1) % equipment);
            }
            settle();
            measure(QStringLiteral("production plan: Calculate"), 1500, [&] { plan->Button_ProducaoPlanCalculate->click(); });
        }

        openItem(QStringLiteral("menu_ViewProducIndicesUtil"));
        if (auto* u = screenAs<TForm_Utiliz>(form)) {
            measure(QStringLiteral("utilisation: one equipment chosen"), 1000,
                    [&] { u->ComboBox_PanelUtilizEquip->setCurrentIndex(1); }, [&] { return shownRows(form); });
            measure(QStringLiteral("utilisation: by product"), 1000, [&] { u->RadioButton_UtilizProduto->click(); },
                    [&] { return shownRows(form); });
            measure(QStringLiteral("utilisation: chart"), 1000, [&] { u->Button_UtilizChartClick(); });
            u->Button_UtilizCalcClick();
            u->Edit_UtilizDateFrom->setText(DateText::DateToStr(QDate(2025, 1, 1)));
            u->Edit_UtilizDateTo->setText(DateText::DateToStr(QDate(2026, 12, 31)));
            measure(QStringLiteral("utilisation by month (24 months, products)"), 1500, [&] { u->Button_UtilizDateOkClick(); });
        }

        openItem(QStringLiteral("menu_ViewProducQuantidades"));
        if (auto* q = screenAs<TForm_ViewProducQuant>(form)) {
            q->Edit6->setText(DateText::DateToStr(QDate(2025, 1, 1)));
            measure(QStringLiteral("quantities: range changed"), 1000, [&] { q->Button_ViewProducQuantDateClick(); },
                    [&] { return shownRows(form); });
        }

        openItem(QStringLiteral("menu_ToolsCustosProduto"));
        if (auto* c = screenAs<TForm_Custo>(form)) {
            measure(QStringLiteral("costs: one product chosen"), 1000,
                    [&] { c->ComboBox_CustoProduto->setCurrentIndex(c->ComboBox_CustoProduto->count() / 2); },
                    [&] { return shownRows(form); });
            measure(QStringLiteral("costs: back to ( show all )"), 1000, [&] { c->ComboBox_CustoProduto->setCurrentIndex(0); },
                    [&] { return shownRows(form); });
        }

        openItem(QStringLiteral("menu_ViewGlobal"));
        if (auto* g = screenAs<TForm_GeralView>(form)) {
            // The first product with something ordered, the first material with something reserved.
            auto firstRow = [](StringGrid* grid, int col) {
                int row = 1;
                while (row + 1 < grid->RowCount() && grid->Cells(col, row) == QLatin1String("0"))
                    ++row;
                return row;
            };
            g->StringGrid20->setRow(firstRow(g->StringGrid20, 3));
            measure(QStringLiteral("global view: product detail"), 1000, [&] { g->StringGrid20DblClick(); });
            g->StringGrid21->setRow(firstRow(g->StringGrid21, 2));
            measure(QStringLiteral("global view: raw-material detail"), 1000, [&] { g->StringGrid21DblClick(); });
        }

        for (const char* item : {"menu_ViewMovimMatPrima", "menu_ViewMovimProduto"}) {
            openItem(QLatin1String(item));
            auto* m = screenAs<TForm_MovimView>(form);
            if (!m)
                continue;
            const QString kind = QLatin1String(item) == QLatin1String("menu_ViewMovimProduto") ? QStringLiteral("products")
                                                                                            : QStringLiteral("raw materials");
            measure(QStringLiteral("movements (%1): one item").arg(kind), 1000,
                    [&] { m->ComboBox_MovimView->setCurrentIndex(1); }, [&] { return shownRows(form); });
            m->ComboBox_MovimView->setCurrentIndex(0);
            settle();
            m->Button_MovimDateClick();
            m->Edit_MovimDateFrom->setText(DateText::DateToStr(QDate(2025, 1, 1)));
            m->Edit_MovimDateTo->setText(DateText::DateToStr(QDate(2025, 12, 31)));
            measure(QStringLiteral("movements (%1): one year").arg(kind), 1000, [&] { m->Button_MovimDateOkClick(); },
                    [&] { return shownRows(form); });
        }
        form.CloseCurrentScreen();
        settle();

        // The check of the company files, the dialogs and the chooser.
        measure(QStringLiteral("check company files"), 1500, [&] { form.MenuItem(QStringLiteral("menu_ToolsCheckFiles"))->trigger(); });
        const struct {
            const char* name;
            const char* item;
        } dialogs[] = {{"Preferences", "menu_FileOptions"},      {"rename", "menu_ToolsRename"},
                       {"backup", "menu_ToolsBackupBackup"}, {"revert", "menu_ToolsBackupRevert"},
                       {"About", "menu_HelpAbout"}};
        for (const auto& d : dialogs)
            measure(QStringLiteral("dialog: %1").arg(QLatin1String(d.name)), 1000,
                    [&] { form.MenuItem(QLatin1String(d.item))->trigger(); });
        measure(QStringLiteral("chooser: Open Company"), 1000, [&] { form.MenuItem(QStringLiteral("menu_FileOpen"))->trigger(); });
        measure(QStringLiteral("chooser: back to the company (Cancel)"), 1000,
                [&] { button(&form, "Button_SuplierCancel")->click(); });
    }

    form.CloseCurrentScreen();
    settle();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = double(usage.ru_maxrss) / 1024.0;

    std::printf("\nThe whole program on %s, %d runs each (the first reads the files cold from the system's cache);\n"
                "wall clock until painted, and the processor time of this process\n\n",
                qPrintable(company.folder), runs);
    std::printf("%-58s %7s  %17s  %17s  %-9s %s\n", "screen or action", "rows", "wall best..worst", "cpu best..worst",
                "target", "");
    bool allMet = true;
    for (const Row& r : table) {
        const bool met = r.wall.worstMs < r.limitMs;
        const bool cpuMet = r.cpu.worstMs < r.limitMs;
        allMet &= cpuMet;
        const char* verdict = met ? "met" : cpuMet ? "met in cpu (machine busy)" : "NOT MET";
        std::printf("%-58s %7d  %7.0f..%7.0f ms  %7.0f..%7.0f ms  < %4.0f ms %s%s%s\n", qPrintable(r.name), r.wall.rows,
                    r.wall.bestMs, r.wall.worstMs, r.cpu.bestMs, r.cpu.worstMs, r.limitMs, verdict,
                    r.note.isEmpty() ? "" : "  ", qPrintable(r.note));
    }
    const bool memoryMet = peakMb < 400;
    allMet &= memoryMet;
    std::printf("\npeak resident memory of this process: %.0f MB (target < 400 MB: %s)\n\n", peakMb,
                memoryMet ? "met" : "NOT MET");
    std::fflush(stdout);
    form.close();
    settle();
    qunsetenv("QUORVALE_HOME");
    return allMet ? 0 : 2;
}
