// Checks of typed numbers, dates and designations, and the keys quantity and date boxes accept.
#include "i18n/Language.h"
#include "shell/InputChecks.h"
#include "store/Clock.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"
#include "support/ShellTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace testsupport;

class TestInputChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 3, 10), QTime(9, 0))); }

    void numbers()
    {
        ScriptedMessages messages;
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        QWidget window;
        auto* box = new QLineEdit(&window);
        auto* other = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QVERIFY(CheckNumberEdit(box)); // empty: "0" and valid
        QCOMPARE(box->text(), QString("0"));
        for (const QString ok : {"12", "0.5", "1.5E3", " 7 "}) {
            box->setText(ok);
            QVERIFY2(CheckNumberEdit(box), qPrintable(ok));
        }
        QCOMPARE(messages.count(), 0);

        other->setFocus();
        box->setText("-3");
        QVERIFY(!CheckNumberEdit(box));
        QCOMPARE(messages.texts().last(), "'-3'" + LangMsg[5]);
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), QString("-3"));

        for (const QString bad : {"1,5", "abc", "1.2.3", "."}) {
            other->setFocus();
            box->setText(bad);
            QVERIFY2(!CheckNumberEdit(box), qPrintable(bad));
            QCOMPARE(messages.texts().last(), "'" + bad + "'" + LangMsg[4]);
            QVERIFY(box->hasFocus());
        }

        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        box->setText("1,5");
        QVERIFY(CheckNumberEdit(box));
        box->setText("1.5");
        QVERIFY(!CheckNumberEdit(box));
    }

    void dates()
    {
        ScriptedMessages messages;
        QLineEdit box;
        {
            ScopedRegionalSettings point(RegionalSettings::pointLocale()); // dd/MM/yyyy
            for (const QString ok : {"02/06/2024", "2/6/2024", "29/02/2024"}) {
                box.setText(ok);
                QVERIFY2(CheckDateEdit(&box), qPrintable(ok));
                QCOMPARE(box.text(), ok); // not changed
            }
            QCOMPARE(messages.count(), 0);
            for (const QString bad : {"", "02-06-2024", "02/06/24", "2/6", "31/02/2024", "29/02/2023", "02/06/2024x",
                                      " 02/06/2024", "2024/06/02", "002/06/2024"}) {
                box.setText(bad);
                QVERIFY2(!CheckDateEdit(&box), qPrintable(bad));
                QCOMPARE(messages.texts().last(), "'" + bad + "'  " + LangMsg[11]);
                QCOMPARE(box.text(), bad);
            }
        }
        {
            ScopedRegionalSettings comma(RegionalSettings::commaLocale()); // dd-MM-yyyy
            box.setText("02-06-2024");
            QVERIFY(CheckDateEdit(&box));
            box.setText("02/06/2024");
            QVERIFY(!CheckDateEdit(&box));
        }
        {
            RegionalSettings iso = RegionalSettings::pointLocale();
            iso.dateSeparator = '-';
            iso.shortDatePattern = "yyyy-MM-dd";
            ScopedRegionalSettings year(iso);
            box.setText("2024-06-02");
            QVERIFY(CheckDateEdit(&box));
            box.setText("02-06-2024");
            QVERIFY(!CheckDateEdit(&box));
        }
    }

    void illegalCharacters()
    {
        ScriptedMessages messages;
        QVERIFY(!HasIllegalCharacters("Parafuso 10 mm, aço"));
        QCOMPARE(messages.count(), 0);
        QVERIFY(HasIllegalCharacters("a/b:c"));
        QCOMPARE(messages.texts(), QStringList({LangMsg[50], LangMsg[50]}));
        messages.clear();
        QVERIFY(HasIllegalCharacters("*;\\|"));
        QCOMPARE(messages.count(), 4);
    }

    void keyFilters()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        QWidget window;
        auto* quantity = new QLineEdit(&window);
        auto* date = new QLineEdit(&window);
        auto* list = new QComboBox(&window);
        list->setEditable(true);
        SetQuantityKeys(quantity);
        SetDateKeys(date);
        SetQuantityKeys(list);
        window.show();

        typeInto(quantity, "1,2.5a-3 ");
        QCOMPARE(quantity->text(), QString("12.53")); // the comma is not this locale's separator
        QTest::keyClick(quantity, Qt::Key_Backspace);
        QCOMPARE(quantity->text(), QString("12.5"));
        QTest::keyClick(quantity, Qt::Key_Home);
        QTest::keyClick(quantity, Qt::Key_Delete);
        QCOMPARE(quantity->text(), QString("2.5"));
        QTest::keyClick(quantity, Qt::Key_A, Qt::ControlModifier); // shortcuts pass
        QTest::keyClick(quantity, Qt::Key_Backspace);
        QCOMPARE(quantity->text(), QString());

        typeInto(date, "02/06-2024x");
        QCOMPARE(date->text(), QString("02/062024"));
        typeInto(list, "4,5.1z");
        QCOMPARE(list->currentText(), QString("45.1"));

        ScopedRegionalSettings comma(RegionalSettings::commaLocale());
        quantity->clear();
        date->clear();
        typeInto(quantity, "1,2.5/");
        QCOMPARE(quantity->text(), QString("1,2.5"));
        typeInto(date, "02-06/2024");
        QCOMPARE(date->text(), QString("02-062024"));

        QVERIFY(InputKeyFilter::accepts(InputKeyFilter::Quantity, QChar(12)));
        QVERIFY(InputKeyFilter::accepts(InputKeyFilter::Date, QChar(8)));
        QVERIFY(!InputKeyFilter::accepts(InputKeyFilter::Date, 'e'));
    }

    void stepDate()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        QLineEdit box("28/02/2024");
        StepDateEdit(&box, 1);
        QCOMPARE(box.text(), QString("29/02/2024"));
        StepDateEdit(&box, -30);
        QCOMPARE(box.text(), QString("30/01/2024"));
        box.setText("nonsense");
        QVERIFY_THROWS_EXCEPTION(ConversionError, StepDateEdit(&box, 1));
    }
};

QTEST_MAIN(TestInputChecks)
#include "tst_inputchecks.moc"
