// The About window (caption with the version, sizes, the support link, closed by a click) and the
// mail links of the feedback screen and the About window.
#include "accessories/ProgramIcon.h"
#include "accessories/ProgramInfo.h"
#include "accessories/TFormAbout.h"
#include "accessories/TForm_Feedback.h"
#include "shell/DesktopServices.h"
#include "shell/TForm1.h"
#include "support/ProgramHome.h"
#include "support/ShellTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

using testsupport::ProgramHome;

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testsupport::PrepareMainWindowTests(); }

    void versionText()
    {
        QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(ProgramVersionText()).hasMatch());
        QCOMPARE(FormatProgramVersion("1.0.0"), QString("1.0.0.0"));
        QCOMPARE(FormatProgramVersion("2.5"), QString("2.5.0.0"));
        QCOMPARE(FormatProgramVersion("3.1.4.1"), QString("3.1.4.1"));
        // A build without version information shows nothing between the brackets.
        for (const char* none : {"", "  ", "1.x", "1.2.3.4.5", "1.70000"})
            QCOMPARE(FormatProgramVersion(none), QString());
        QCOMPARE(TFormAbout::AboutCaption("Quorvale", FormatProgramVersion("")), QString("Quorvale   (v)"));
        QCOMPARE(TFormAbout::AboutCaption("Quorvale", "1.0.0.0"), QString("Quorvale   (v1.0.0.0)"));
        QVERIFY(SupportAddress().contains('@'));
        QVERIFY(!ProgramIcon().pixmap(32, 32).isNull());
        QVERIFY(!ProgramIcon().pixmap(256, 256).isNull());
    }

    void aboutWindowFromTheMenu()
    {
        ProgramHome home;
        ScopedRecordingDesktop desktop;
        TForm1 form;
        form.show();
        form.MenuItem("menu_HelpAbout")->trigger();
        QPointer<TFormAbout> about = form.findChild<TFormAbout*>("TFormAbout");
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), "Quorvale   (v" + ProgramVersionText() + ")");
        // Sized to the link: its bottom + 6 and its right edge + 52; every text shows whole.
        auto* link = about->findChild<QLabel*>("Label_lnk1");
        QCOMPARE(link->text(), SupportAddress());
        QCOMPARE(about->height(), link->geometry().bottom() + 1 + 6);
        QCOMPARE(about->width(), link->geometry().right() + 1 + 52);
        for (QLabel* l : about->findChildren<QLabel*>()) {
            QVERIFY2(about->rect().contains(l->geometry()), qPrintable(l->objectName()));
            if (!l->text().isEmpty())
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
        }
        QCOMPARE(about->findChild<QLabel*>("Label4")->text(), QString("if you have any questions, sugestions or just"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

        // The link opens the mail program; the window stays.
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(desktop->calls, QStringList{"openUrl mailto:" + SupportAddress()});
        QVERIFY(about->isVisible());
        // A click on a label or the picture closes and releases it.
        QTest::mouseClick(about->findChild<QLabel*>("Image1"), Qt::LeftButton);
        QTRY_VERIFY(!about);
    }

    void feedbackLinkIsEncoded()
    {
        const QString subject = "Quorvale  FEEDBACK from";
        // The memo "a" / "b": each line after "%0A".
        QCOMPARE(TForm_Feedback::MailLink("s@x.example", subject, {"a", "b"}),
                 QString("mailto:s@x.example?subject=Quorvale%20%20FEEDBACK%20from&body=%0Aa%0Ab&bcc="));
        // "&", "#", "?", "%" and non-ASCII text stay in the message; blanks at the end are dropped.
        QCOMPARE(TForm_Feedback::MailLink("s@x.example", "R&D #3?", {QString::fromUtf8("R&D asked… 50% more"), "", "  ok = yes  "}),
                 QString("mailto:s@x.example?subject=R%26D%20%233%3F&body=%0AR%26D%20asked%E2%80%A6%2050%25%20more%0A"
                         "%0A%20%20ok%20%3D%20yes&bcc="));
        QCOMPARE(QUrl(TForm_Feedback::MailLink("s@x.example", subject, {"R&D asked"})).query(QUrl::FullyDecoded),
                 QString("subject=Quorvale  FEEDBACK from&body=\nR&D asked&bcc="));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
