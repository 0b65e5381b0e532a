// Pictures of the program for a person to look at: every screen that the main window's menu table
// opens, the company chooser, the main window with a company open, Preferences, renaming, backup and
// revert, a page of the print preview, the delivery dates of the order planning, the raw-material
// needs of the stock calculation, the open-order lists of the stock screens dropped down and the
// production plan list, in every language and at the window sizes asked for, each as a PNG file.
//
//   quorvale_screenshots OUTPUT_FOLDER [--program DIR] [--company DIR] [--language NAME]...
//                        [--size WIDTHxHEIGHT]... [--only NAME]...
//
// The program runs on a copy of the company (by default the freshly built sample company) in a
// program folder of its own, so nothing of the real program folder changes. Message boxes are not
// shown; their texts are printed. Screens that later join the menu table appear without a change
// here. Files are named <language>-<width>x<height>-<name>.png, the name being the menu item of a
// screen (menu_EditProduto) or chooser, main, preferences, rename (and rename-rawmaterial), backup,
// revert, preview, deliverydates, stockneeds, stockorders, productorders, productionplan (the
// production plan list, and the chart it came from as productionplan-chart).

#include "i18n/Language.h"
#include "i18n/TFormOptions.h"
#include "shell/Application.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "shell/TForm1.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSize>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

struct Options {
    QString output;
    QString program; // the built program folder (language file, sample company)
    QString company; // the company folder to picture
    QStringList languages{QStringLiteral("English"), QStringLiteral("Portuguese")};
    QList<QSize> sizes{QSize(1280, 800), QSize(640, 460)};
    QStringList only; // names to take; all when empty
};

void say(const QString& line) { std::fprintf(stdout, "%s\n", qPrintable(line)); }

[[noreturn]] void fail(const QString& line)
{
    std::fprintf(stderr, "quorvale_screenshots: %s\n", qPrintable(line));
    std::exit(2);
}

// Lets the event loop run for a moment: layouts settle, posted deletions happen, pictures paint.
void settle(int ms = 30)
{
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

Options parse(const QStringList& args)
{
    Options o;
    const QString exeFolder = QCoreApplication::applicationDirPath();
    o.program = QDir(exeFolder).filePath(QStringLiteral("../Quorvale"));
    const QString freshSample = QDir(exeFolder).filePath(QStringLiteral("../sample/Test_database"));
    bool languagesGiven = false;
    bool sizesGiven = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                fail(a + QStringLiteral(" needs a value"));
            return args[++i];
        };
        if (a == QLatin1String("--program")) {
            o.program = value();
        } else if (a == QLatin1String("--company")) {
            o.company = value();
        } else if (a == QLatin1String("--language")) {
            if (!languagesGiven)
                o.languages.clear();
            languagesGiven = true;
            o.languages << value();
        } else if (a == QLatin1String("--size")) {
            const QStringList wh = value().split(QLatin1Char('x'));
            const QSize size = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
            if (size.width() <= 0 || size.height() <= 0)
                fail(QStringLiteral("a size is written WIDTHxHEIGHT, as 640x460"));
            if (!sizesGiven)
                o.sizes.clear();
            sizesGiven = true;
            o.sizes << size;
        } else if (a == QLatin1String("--only")) {
            o.only << value();
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            say(QStringLiteral("usage: quorvale_screenshots OUTPUT_FOLDER [--program DIR] [--company DIR]\n"
                               "       [--language NAME]... [--size WIDTHxHEIGHT]... [--only NAME]...\n"
                               "NAME of --only: a menu item (menu_EditProduto), chooser, main, preferences, rename, backup,\n"
                               "revert, preview, deliverydates, stockneeds, stockorders, productorders, productionplan"));
            std::exit(0);
        } else if (a.startsWith(QLatin1String("--"))) {
            fail(QStringLiteral("unknown option ") + a);
        } else if (o.output.isEmpty()) {
            o.output = a;
        } else {
            fail(QStringLiteral("one output folder only"));
        }
    }
    if (o.output.isEmpty())
        fail(QStringLiteral("name the folder for the pictures (--help tells more)"));
    if (o.company.isEmpty())
        o.company = QFileInfo::exists(freshSample) ? freshSample : QDir(o.program).filePath(QStringLiteral("Test_database"));
    if (!QFileInfo::exists(QDir(o.program).filePath(QStringLiteral("Quorvale.LNG"))))
        fail(QStringLiteral("no language file in the program folder ") + o.program + QStringLiteral(" (--program)"));
    if (!QFileInfo(o.company).isDir())
        fail(QStringLiteral("no company folder ") + o.company + QStringLiteral(" (--company)"));
    return o;
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

// A program folder of its own for one language: settings that open the company, the language file,
// and the company as the sample company (the installation check wants it there).
void prepareHome(const QString& home, const Options& o, const QString& language)
{
    QFile ini(QDir(home).filePath(QStringLiteral("Quorvale.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write ") + ini.fileName());
    ini.write("[Options]\r\nLastSuplier=Test_database\r\nLanguage=" + language.toLatin1()
              + "\r\n[Supliers]\r\nNumber=1\r\nSup1=Test_database\r\n");
    ini.close();
    QFile::copy(QDir(o.program).filePath(QStringLiteral("Quorvale.LNG")), QDir(home).filePath(QStringLiteral("Quorvale.LNG")));
    copyFolder(o.company, QDir(home).filePath(QStringLiteral("Test_database")));
}

class Shooter {
public:
    Shooter(const Options& o, const QString& language, const QSize& size)
        : m_o(o), m_prefix(QStringLiteral("%1-%2x%3-").arg(language).arg(size.width()).arg(size.height()))
    {
    }

    // A name is wanted when asked for, or when what it belongs to is ("rename" for "rename-rawmaterial").
    bool wanted(const QString& name) const
    {
        return m_o.only.isEmpty() || m_o.only.contains(name) || m_o.only.contains(name.section(QLatin1Char('-'), 0, 0));
    }

    void save(QWidget* widget, const QString& name)
    {
        if (!wanted(name))
            return;
        settle();
        savePixmap(widget->grab(), name);
    }

    void savePixmap(const QPixmap& picture, const QString& name)
    {
        const QString file = QDir(m_o.output).filePath(m_prefix + name + QStringLiteral(".png"));
        if (!picture.save(file))
            fail(QStringLiteral("cannot write ") + file);
        say(file);
        reportMessages(name);
    }

    // The texts of the message boxes the last steps would have shown.
    void reportMessages(const QString& name)
    {
        for (const QString& text : MessageBox::shownTexts())
            say(QStringLiteral("  message on %1: %2").arg(name, QString(text).replace(QLatin1Char('\r'), QLatin1String(" / "))));
        MessageBox::clearShown();
    }

private:
    const Options& m_o;
    QString m_prefix;
};

void shoot(const Options& o, const QString& language, const QSize& size)
{
    QTemporaryDir home;
    if (!home.isValid())
        fail(QStringLiteral("no temporary folder"));
    prepareHome(home.path(), o, language);
    qputenv("QUORVALE_HOME", QFile::encodeName(home.path()));
    CurrentLanguage = language;

    Shooter shooter(o, language, size);
    TForm1 form;
    form.resize(size);
    form.show();
    settle(100);
    form.resize(size); // a window manager may have placed it at its design size
    shooter.save(&form, QStringLiteral("chooser"));

    // Start on the company.
    auto* companies = form.findChild<QComboBox*>(QStringLiteral("ComboBox_Suplier"));
    companies->setCurrentIndex(companies->findText(QStringLiteral("Test_database")));
    form.findChild<QAbstractButton*>(QStringLiteral("Button_Suplier"))->click();
    settle();
    shooter.save(&form, QStringLiteral("main"));

    // Every screen of the menu table that exists.
    QString firstScreen;
    for (const MenuCommand& c : MenuTable()) {
        if (!c.factory || (!shooter.wanted(c.item) && !shooter.wanted(QStringLiteral("preview"))))
            continue;
        QAction* item = form.MenuItem(c.item);
        if (!item)
            continue;
        item->trigger();
        settle();
        if (!form.CurrentScreen()) {
            shooter.reportMessages(c.item);
            say(QStringLiteral("  %1 opened no screen").arg(c.item));
            continue;
        }
        if (firstScreen.isEmpty())
            firstScreen = c.item;
        shooter.save(&form, c.item);
    }

    // A page of the print preview, of the first screen's grid.
    if (!firstScreen.isEmpty() && shooter.wanted(QStringLiteral("preview"))) {
        form.MenuItem(firstScreen)->trigger();
        settle();
        if (QAction* preview = form.MenuItem(QStringLiteral("menu_PrintPreview")); preview && preview->isEnabled()) {
            preview->trigger();
            shooter.save(&form, QStringLiteral("preview"));
        }
        form.CloseCurrentScreen();
        settle();
    }

    // The delivery dates of the order planning: the result lists window, pictured once it shows
    // over the main window, then closed.
    if (shooter.wanted(QStringLiteral("deliverydates"))) {
        form.MenuItem(QStringLiteral("menu_PlanEncomenda"))->trigger();
        settle();
        if (auto* calculate = form.findChild<QAbstractButton*>(QStringLiteral("Button_EncomendaCalculate"))) {
            QTimer::singleShot(50, &form, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (w->objectName() == QLatin1String("TForm2") && w->isVisible()) {
                        shooter.save(w, QStringLiteral("deliverydates"));
                        if (auto* close = w->findChild<QAbstractButton*>(QStringLiteral("Button_EncomendaClose")))
                            close->click();
                    }
                }
            });
            calculate->click();
        }
        form.CloseCurrentScreen();
        settle();
    }

    // The raw-material needs of the stock calculation, pictured as the delivery dates are.
    if (shooter.wanted(QStringLiteral("stockneeds"))) {
        form.MenuItem(QStringLiteral("menu_PlanStockMatPrima"))->trigger();
        settle();
        if (auto* calculate = form.findChild<QAbstractButton*>(QStringLiteral("Button_StockCalculate"))) {
            QTimer::singleShot(50, &form, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (w->objectName() == QLatin1String("TForm2") && w->isVisible()) {
                        shooter.save(w, QStringLiteral("stockneeds"));
                        if (auto* close = w->findChild<QAbstractButton*>(QStringLiteral("Button_StockClose")))
                            close->click();
                    }
                }
            });
            calculate->click();
        }
        form.CloseCurrentScreen();
        settle();
    }

    // The open-order lists of the stock screens, dropped down over their screen.
    const struct {
        const char* item;
        const char* list;
        const char* name;
    } orderLists[] = {{"menu_EditStockMatPrima", "ComboBox_StockEntradaEncom", "stockorders"},
                      {"menu_EditStockProduto", "ComboBox_StockProdSaidaEncom", "productorders"}};
    for (const auto& o : orderLists) {
        if (!shooter.wanted(QLatin1String(o.name)) || !form.MenuItem(QLatin1String(o.item)))
            continue;
        form.MenuItem(QLatin1String(o.item))->trigger();
        settle();
        auto* list = form.findChild<QComboBox*>(QLatin1String(o.list));
        if (!list) {
            form.CloseCurrentScreen();
            continue;
        }
        list->setEnabled(true);
        list->setCurrentIndex(list->count() > 1 ? 1 : 0);
        list->showPopup();
        settle(100);
        QPixmap picture = form.grab();
        // Below the list, where a screen large enough for the window shows it.
        if (QWidget* popup = list->view()->window(); popup && popup->isVisible()) {
            QPainter painter(&picture);
            painter.drawPixmap(list->mapTo(&form, QPoint(0, list->height())), popup->grab());
        }
        list->hidePopup();
        shooter.savePixmap(picture, QLatin1String(o.name));
        form.CloseCurrentScreen();
        settle();
    }

    // The production plan list: the products of the chart given to the equipment in turn, then
    // "Calculate"; the result lists window is pictured once it shows, then closed.
    if (shooter.wanted(QStringLiteral("productionplan"))) {
        form.MenuItem(QStringLiteral("menu_PlanProducao"))->trigger();
        settle();
        auto* chart = form.findChild<StringGrid*>(QStringLiteral("StringGrid11"));
        auto* equipment = form.findChild<QComboBox*>(QStringLiteral("ComboBox_MainEquip"));
        auto* calculate = form.findChild<QAbstractButton*>(QStringLiteral("Button_ProducaoPlanCalculate"));
        if (chart && equipment && calculate && equipment->count() > 1) {
            for (int row = 1; row < chart->RowCount(); ++row) {
                chart->setRow(row);
                Q_EMIT equipment->activated(1 + (row - 1) % (equipment->count() - 1));
            }
            QTimer::singleShot(50, &form, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (w->objectName() == QLatin1String("TForm2") && w->isVisible()) {
                        shooter.save(w, QStringLiteral("productionplan"));
                        if (auto* close = w->findChild<QAbstractButton*>(QStringLiteral("Button_ProducaoPlanClose")))
                            close->click();
                    }
                }
            });
            calculate->click();
            shooter.save(&form, QStringLiteral("productionplan-chart"));
        }
        form.CloseCurrentScreen();
        settle();
    }

    // The dialogs of Preferences, renaming, backup and revert, modal: each pictured once it shows
    // (renaming with products and with raw materials), then cancelled.
    const struct {
        const char* name;
        const char* menuItem;
    } dialogs[] = {{"preferences", "menu_FileOptions"},
                   {"rename", "menu_ToolsRename"},
                   {"backup", "menu_ToolsBackupBackup"},
                   {"revert", "menu_ToolsBackupRevert"}};
    for (const auto& d : dialogs) {
        const QString name = QString::fromLatin1(d.name);
        if (!shooter.wanted(name))
            continue;
        QTimer::singleShot(50, &form, [&] {
            if (auto* dialog = form.findChild<TFormOptions*>()) {
                shooter.save(dialog, name);
                if (name == QLatin1String("rename")) {
                    if (auto* raw = dialog->findChild<QAbstractButton*>(QStringLiteral("RadioButton4")))
                        raw->click();
                    shooter.save(dialog, QStringLiteral("rename-rawmaterial"));
                }
                dialog->reject();
            }
        });
        form.MenuItem(QString::fromLatin1(d.menuItem))->trigger();
    }
    form.close();
    settle();
    qunsetenv("QUORVALE_HOME");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const Options o = parse(QCoreApplication::arguments());
    if (!QDir().mkpath(o.output))
        fail(QStringLiteral("cannot make the folder ") + o.output);
    MessageBox::setTestMode(true);
    QApplication::setQuitOnLastWindowClosed(false);
    TForm1::SetProgramEndHandler({});
    for (const QString& language : o.languages)
        for (const QSize& size : o.sizes)
            shoot(o, language, size);
    return 0;
}
