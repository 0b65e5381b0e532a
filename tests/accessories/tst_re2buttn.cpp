// The flat push button: bevel states, Enter, the greyed caption while disabled, and a shared
// caption following the language.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"

#include <QFile>
#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>

class TestRe2Buttn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewButton()
    {
        TRe2Buttn b("ok");
        QCOMPARE(b.size(), QSize(75, 25));
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::None);
        QVERIFY(b.MouseOutside());
        QVERIFY(b.focusPolicy() & Qt::TabFocus);
    }

    void enterClicksOnceAndSinksUntilReleased()
    {
        TRe2Buttn b("ok");
        QSignalSpy clicks(&b, &QAbstractButton::clicked);
        QTest::keyPress(&b, Qt::Key_Return);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::Lowered);
        QTest::keyRelease(&b, Qt::Key_Return);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::None); // the mouse is not over it
        QTest::keyClick(&b, Qt::Key_Enter);
        QCOMPARE(clicks.size(), 2);
    }

    void hoverRaisesAndLeavingFlattens()
    {
        TRe2Buttn b("ok");
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&b, &enter);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::Raised);
        QVERIFY(!b.MouseOutside());
        QTest::mousePress(&b, Qt::LeftButton);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::Lowered);
        QTest::mouseRelease(&b, Qt::LeftButton);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::Raised);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&b, &leave);
        QCOMPARE(b.CurrentBevel(), TRe2Buttn::Bevel::None);
        QVERIFY(b.MouseOutside());
    }

    void disablingGreysTheCaptionAndEnablingRestoresIt()
    {
        TRe2Buttn b("ok");
        b.setFontColor(Qt::red);
        b.setEnabled(false);
        QVERIFY(b.FontColor() != QColor(Qt::red));
        QCOMPARE(b.EnabledFontColor(), QColor(Qt::red));
        b.setEnabled(true);
        QCOMPARE(b.FontColor(), QColor(Qt::red));
        // A colour set while disabled shows once enabled.
        b.setEnabled(false);
        b.setFontColor(Qt::blue);
        b.setEnabled(true);
        QCOMPARE(b.FontColor(), QColor(Qt::blue));
    }

    // A shared caption follows a new language, unless the button was given a caption of its own.
    void sharedCaptionsFollowTheLanguage()
    {
        QTemporaryDir dir;
        QFile lng(dir.filePath("Quorvale.LNG"));
        QVERIFY(lng.open(QIODevice::WriteOnly));
        lng.write("[Portuguese]\r\nbutton_close=Fechar\r\n");
        lng.close();
        OpenLanguageFile(lng.fileName());
        CurrentLanguage = "English";
        TRe2Buttn shared(Caption::Close()), own(Caption::Close());
        own.setText("Calcular");
        QEvent change(QEvent::LanguageChange);
        CurrentLanguage = "Portuguese";
        QApplication::sendEvent(&shared, &change);
        QApplication::sendEvent(&own, &change);
        QCOMPARE(shared.text() + "|" + own.text(), QString("Fechar|Calcular"));
        CloseLanguageFile();
        CurrentLanguage = "English";
    }
};

QTEST_MAIN(TestRe2Buttn)
#include "tst_re2buttn.moc"
