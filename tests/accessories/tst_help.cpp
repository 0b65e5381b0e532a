// The help file as the build compiles it, its reader and the help viewer: every help context of the
// program opens the topic of its screen, contents and index hold every topic, links and pictures
// resolve inside the file, and a missing or damaged file is reported.
#include "accessories/ChmFile.h"
#include "accessories/HelpViewer.h"
#include "i18n/Language.h"
#include "shell/DesktopServices.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using testsupport::ScriptedMessages;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

void Flatten(const QList<HelpEntry>& entries, QStringList* topics, QStringList* names)
{
    for (const HelpEntry& e : entries) {
        for (const QString& l : e.locals)
            *topics << l.section(QLatin1Char('#'), 0, 0);
        *names << e.name;
        Flatten(e.children, topics, names);
    }
}

QStringList SourcePages()
{
    QStringList pages;
    for (const QString& f : QDir(QStringLiteral(QUORVALE_SOURCE_DIR "/docs/help")).entryList({"*.html"}, QDir::Files))
        pages << QStringLiteral("/") + f;
    return pages;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        OpenLanguageFile(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
        CurrentLanguage = QStringLiteral("English");
        LoadLanguageTables();
    }

    void sitemapsAndContextMap()
    {
        const QByteArray hhc = "<HTML><BODY><UL>\n"
                               "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Stock &amp; orders\">"
                               "<param name=\"Local\" value=\"stock.html\"></OBJECT>\n"
                               "  <UL><LI><object type='text/sitemap'><param name=Name value=\"Caf&#233; &lt;1&gt;\">"
                               "<param name=\"Local\" value=\"./sub/a.html#part\"><param name=\"Local\" value=\"/b.html\"></object></UL>\n"
                               "<LI><OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"ignored\"></OBJECT>\n"
                               "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Second\"></OBJECT>\n"
                               "</UL></BODY></HTML>";
        const QList<HelpEntry> tree = ParseSitemap(hhc);
        QCOMPARE(tree.size(), 2);
        QCOMPARE(tree[0].name, QString("Stock & orders"));
        QCOMPARE(tree[0].locals, QStringList{"/stock.html"});
        QCOMPARE(tree[0].children.size(), 1);
        QCOMPARE(tree[0].children[0].name, QString::fromUtf8("Café <1>"));
        QCOMPARE(tree[0].children[0].locals, QStringList({"/sub/a.html#part", "/b.html"}));
        QCOMPARE(tree[1].name, QString("Second"));
        QVERIFY(tree[1].locals.isEmpty());
        // A cut file gives what could be read, never a crash.
        QCOMPARE(ParseSitemap(hhc.left(hhc.indexOf("</OBJECT>") + 15)).size(), 1);
        QVERIFY(ParseSitemap(QByteArray()).isEmpty());

        QCOMPARE(TopicTitle("<html><head><TITLE>\n Raw &amp; more\n</TITLE>"), QString("Raw & more"));
        const auto map = ParseContextMap("211=rawmaterials.html\r\n# note\nx=y.html\n12 = /main.html\n211=other.html\n");
        QCOMPARE(map.size(), 2);
        QCOMPARE(map.value(211), QString("/rawmaterials.html"));
        QCOMPARE(map.value(12), QString("/main.html"));
    }

    void everyHelpContextOpensTheTopicOfItsScreen()
    {
        auto chm = ChmFile::open(QStringLiteral(QUORVALE_HELP_FILE));
        QVERIFY(chm);
        QCOMPARE(chm->title(), QString("Quorvale Help"));
        // The screens of the menu table: the title of the topic names the screen as its title does.
        QHash<int, QStringList> expected;
        for (const MenuCommand& c : MenuTable())
            expected[c.helpContext] << c.ScreenTitle();
        expected[12] << "main window";
        expected[14] << "Preferences";
        expected[15] << "Print Preview";
        expected[63] << "Feedback";
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString topic = chm->topicOfContext(it.key());
            QVERIFY2(!topic.isEmpty(), qPrintable(QString::number(it.key())));
            const QString title = TopicTitle(chm->read(topic));
            for (const QString& name : it.value())
                QVERIFY2(title.contains(name, Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("%1: %2 does not name %3").arg(it.key()).arg(title, name)));
        }
    }

    void contentsAndIndexHoldEveryTopicAndEveryLinkResolves()
    {
        auto chm = ChmFile::open(QStringLiteral(QUORVALE_HELP_FILE));
        QVERIFY(chm);
        QStringList inContents, names, inIndex, keywords;
        Flatten(chm->contents(), &inContents, &names);
        Flatten(chm->index(), &inIndex, &keywords);
        QVERIFY(keywords.size() > 100);
        const QStringList pages = SourcePages();
        QVERIFY(pages.size() >= 35);
        static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)"));
        for (const QString& page : pages) {
            QVERIFY2(inContents.contains(page), qPrintable(page));
            QVERIFY2(inIndex.contains(page), qPrintable(page));
            const QByteArray html = chm->read(page);
            QVERIFY2(!TopicTitle(html).isEmpty(), qPrintable(page));
            auto it = link.globalMatch(QString::fromUtf8(html));
            while (it.hasNext()) {
                const QString target = "/" + it.next().captured(1);
                QVERIFY2(chm->contains(target), qPrintable(page + " -> " + target));
            }
        }
        QCOMPARE(chm->defaultTopic(), QString("/index.html"));
        QVERIFY(chm->read("/no-such-page.html").isNull());
    }

    void viewerShowsTopicsLinksPicturesAndHistory()
    {
        ScopedRecordingDesktop desktop;
        HelpViewer v;
        QVERIFY(v.openFile(QStringLiteral(QUORVALE_HELP_FILE)));
        v.show();
        QVERIFY(v.showContext(242));
        QCOMPARE(v.currentTopic(), QString("/orders_product.html"));
        QCOMPARE(v.currentTitle(), QString("Product Orders"));
        QVERIFY(v.windowTitle().endsWith(" - Product Orders"));
        // The contents tree follows the topic shown.
        QCOMPARE(v.contentsTree()->currentItem()->text(0), QString("Product Orders"));

        // A link to another topic, back and forward.
        emit v.browser()->anchorClicked(QUrl("products.html"));
        QCOMPARE(v.currentTopic(), QString("/products.html"));
        QVERIFY(v.browser()->toPlainText().contains("RawM/day"));
        QVERIFY(v.browser()->isBackwardAvailable());
        v.findChild<QAbstractButton*>("Button_HelpBack")->click();
        QCOMPARE(v.currentTopic(), QString("/orders_product.html"));
        v.findChild<QAbstractButton*>("Button_HelpForward")->click();
        QCOMPARE(v.currentTopic(), QString("/products.html"));
        // A mail link goes to the desktop.
        emit v.browser()->anchorClicked(QUrl("mailto:someone@example.org"));
        QCOMPARE(desktop->calls, QStringList{"openUrl mailto:someone@example.org"});
        QCOMPARE(v.currentTopic(), QString("/products.html"));

        // Pictures and the style sheet come from the file.
        v.showTopic("/mainwindow.html");
        const QVariant picture = v.browser()->loadResource(QTextDocument::ImageResource, QUrl("images/mainwindow.png"));
        QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());
        QVERIFY(v.browser()->loadResource(QTextDocument::StyleSheetResource, QUrl("help.css")).toString().contains("h1"));

        // A number without a topic leaves the page and says so.
        QVERIFY(!v.showContext(9999));
        QCOMPARE(v.currentTopic(), QString("/mainwindow.html"));
        QVERIFY(v.findChild<QLabel*>("Label_HelpNote")->isVisible());
        QVERIFY(v.findChild<QLabel*>("Label_HelpNote")->text().contains("9999"));
    }

    void keywordIndex()
    {
        HelpViewer v;
        QVERIFY(v.openFile(QStringLiteral(QUORVALE_HELP_FILE)));
        v.show();
        v.showIndex();
        QCOMPARE(v.findChild<QTabWidget*>("TabControl_Help")->currentIndex(), 1);
        auto* keyword = v.findChild<QLineEdit*>("Edit_HelpKeyword");
        QTest::keyClicks(keyword, "run-o");
        QCOMPARE(v.indexList()->currentItem()->text(0), QString("run-out date"));
        QTest::keyClick(keyword, Qt::Key_Return);
        QCOMPARE(v.currentTopic(), QString("/plan_stock.html"));
        // A keyword of several topics lists them by title.
        const auto found = v.indexList()->findItems("address book", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0]->childCount(), 2);
        QCOMPARE(found[0]->child(0)->text(0), QString("Supplier Definitions"));
        emit v.indexList()->itemClicked(found[0]->child(1), 0);
        QCOMPARE(v.currentTopic(), QString("/clients.html"));
    }

    void theDesktopServicesOpenTheViewer()
    {
        ScriptedMessages messages;
        SystemDesktopServices desktop;
        QVERIFY(desktop.showHelp(QStringLiteral(QUORVALE_HELP_FILE), DesktopServices::HelpCommand::Context, 221));
        HelpViewer* v = HelpViewer::Current();
        QVERIFY(v && v->isVisible());
        QCOMPARE(v->currentTopic(), QString("/stock_raw.html"));
        // A new language shows on the open viewer at once.
        CurrentLanguage = QStringLiteral("Portuguese");
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(v, &change);
        CurrentLanguage = QStringLiteral("English");
        QCOMPARE(v->findChild<QAbstractButton*>("Button_HelpBack")->text(), QString("Anterior"));
        QCOMPARE(v->findChild<QTabWidget*>("TabControl_Help")->tabText(1), QString::fromUtf8("Índice"));
        QCoreApplication::sendEvent(v, &change);
        QCOMPARE(v->findChild<QAbstractButton*>("Button_HelpBack")->text(), QString("Back"));
        // The same window serves the next request.
        QVERIFY(desktop.showHelp(QStringLiteral(QUORVALE_HELP_FILE), DesktopServices::HelpCommand::Index, 0));
        QCOMPARE(HelpViewer::Current(), v);
        QCOMPARE(v->findChild<QTabWidget*>("TabControl_Help")->currentIndex(), 1);
        QVERIFY(desktop.showHelp(QStringLiteral(QUORVALE_HELP_FILE), DesktopServices::HelpCommand::Contents, 0));
        QCOMPARE(v->findChild<QTabWidget*>("TabControl_Help")->currentIndex(), 0);
        // Help asked for from the viewer itself (F1 there: context 0) stays in the same window.
        QVERIFY(desktop.showHelp(QStringLiteral(QUORVALE_HELP_FILE), DesktopServices::HelpCommand::Context, 0));
        QCOMPARE(HelpViewer::Current(), v);
        QVERIFY(HelpViewer::Open(QStringLiteral(QUORVALE_HELP_FILE), v) == v && v->parentWidget() != v);
        QCOMPARE(messages.count(), 0);
        v->close();

        // A missing file and a file that is no help file are reported; nothing opens.
        TempFolder folder;
        QVERIFY(!desktop.showHelp(folder.file("Quorvale.chm"), DesktopServices::HelpCommand::Context, 12));
        writeFile(folder.file("Quorvale.chm"), "ITSF but not really a help file");
        QVERIFY(!desktop.showHelp(folder.file("Quorvale.chm"), DesktopServices::HelpCommand::Contents, 0));
        QCOMPARE(messages.texts(), QStringList({LangMsg[29], LangMsg[29]}));
        QCOMPARE(LangMsg[29], QString("Help file not found"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
