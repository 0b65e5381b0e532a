// The message-box facade (scripted answers, recorded texts, the real box at 280, 170), the
// hourglass guard and the desktop-services facade with its recording fake.
#include "shell/DesktopServices.h"
#include "shell/MessageBox.h"
#include "support/ShellTestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testsupport;

class TestFacades : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptedAnswersAndRecordedTexts()
    {
        ScriptedMessages messages;
        messages.answer(MessageBox::Cancel).answer(MessageBox::Cancel).answer(MessageBox::No);
        QVERIFY(!MessageBox::confirm("Sure to add new 'Operation' ?"));
        QCOMPARE(MessageBox::ask("Re-activate?", MessageBox::YesCancel), MessageBox::Cancel);
        QCOMPARE(MessageBox::ask("Apply anyway?", MessageBox::OkNo), MessageBox::No);
        // Unscripted questions take the accepting button.
        QVERIFY(MessageBox::confirm("again"));
        QCOMPARE(MessageBox::ask("yes?", MessageBox::YesCancel), MessageBox::Yes);
        MessageBox::information("info");
        MessageBox::error("bad");

        QCOMPARE(messages.texts(), QStringList({"Sure to add new 'Operation' ?", "Re-activate?", "Apply anyway?", "again",
                                                "yes?", "info", "bad"}));
        const auto& shown = MessageBox::shown();
        QCOMPARE(shown[0].buttons, MessageBox::OkCancel);
        QCOMPARE(shown[1].buttons, MessageBox::YesCancel);
        QCOMPARE(shown[2].buttons, MessageBox::OkNo);
        QCOMPARE(shown[5].kind, MessageBox::Information);
        QCOMPARE(shown[5].buttons, MessageBox::OkOnly);
        QCOMPARE(shown[6].kind, MessageBox::Error);
        QCOMPARE(MessageBox::lastText(), QString("bad"));
    }

    void realBoxAtItsPlace()
    {
        QVERIFY(!MessageBox::testMode());
        QPoint at;
        QString text;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            at = box->pos();
            text = box->text();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            box->button(QMessageBox::Cancel)->click();
        });
        Hourglass busy; // the pointer is an arrow while the box is up, then the hourglass again
        // Carriage returns break the lines of the box.
        const MessageBox::Answer answer = MessageBox::ask("Sure to delete\rthis Company ??", MessageBox::OkCancel);
        QCOMPARE(answer, MessageBox::Cancel);
        QCOMPARE(at, QPoint(280, 170));
        QCOMPARE(text, QString("Sure to delete\nthis Company ??"));
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QCOMPARE(MessageBox::lastText(), QString("Sure to delete\rthis Company ??"));
        MessageBox::clearShown();
    }

    void hourglassNests()
    {
        QVERIFY(!QApplication::overrideCursor());
        {
            Hourglass outer;
            {
                Hourglass inner;
                QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            }
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void recordingDesktop()
    {
        DesktopServices* real = &DesktopServices::instance();
        {
            ScopedRecordingDesktop desktop;
            QVERIFY(&DesktopServices::instance() != real);
            DesktopServices& d = DesktopServices::instance();
            QVERIFY(d.openUrl("mailto:a@b.pt?subject=Stocks de cx. em 01-02-2024&body=x%0Ay&bcc="));
            desktop->result = false;
            QVERIFY(!d.startTool(DesktopServices::Tool::Calculator));
            d.openTextEditor("/tmp/stocks.txt");
            d.showHelp("Quorvale.chm", DesktopServices::HelpCommand::Context, 31);
            d.beep();
            QCOMPARE(d.printers(), QStringList({"PDF"}));
            QCOMPARE(desktop->calls,
                     QStringList({"openUrl mailto:a@b.pt?subject=Stocks de cx. em 01-02-2024&body=x%0Ay&bcc=",
                                  "startTool Calculator", "openTextEditor /tmp/stocks.txt", "showHelp Quorvale.chm Context 31",
                                  "beep"}));
        }
        QCOMPARE(&DesktopServices::instance(), real);
        // The real printer list always holds the built-in PDF printer.
        QVERIFY(SystemDesktopServices().printers().contains("PDF"));
        QCOMPARE(SystemDesktopServices::WithPdfPrinter({"Office", "PDF"}), QStringList({"Office", "PDF"}));
        QCOMPARE(SystemDesktopServices::WithPdfPrinter({"Office"}), QStringList({"Office", "PDF"}));
        QVERIFY(SystemDesktopServices::findProgram({"no-such-program-here"}).isEmpty());
    }
};

QTEST_MAIN(TestFacades)
#include "tst_facades.moc"
