// Numbers and dates as text under a point locale and a comma locale.
#include "store/Clock.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/DecimalText.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"

#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// What RegionalSettings::fromSystem() gives in a child process run under the given environment.
QString systemSettingsUnder(const QStringList& assignments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : env.keys())
        if (name.startsWith("LC_") || name == "LANG" || name == "LANGUAGE")
            env.remove(name);
    for (const QString& a : assignments)
        env.insert(a.section('=', 0, 0), a.section('=', 1));
    env.insert("QUORVALE_PRINT_REGIONAL", "1");
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(30000);
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
}

} // namespace

using namespace DecimalText;

class TestTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(10, 0))); }

    void numbersInAPointLocale()
    {
        ScopedRegionalSettings rs(RegionalSettings::pointLocale());
        QCOMPARE(StrToFloat("1.5"), 1.5);
        QCOMPARE(StrToFloat(" -3 "), -3.0);
        QCOMPARE(StrToFloat(".5"), 0.5);
        QCOMPARE(StrToFloat("1E3"), 1000.0);
        QVERIFY(!parse("1,5"));
        QVERIFY(!parse("1.000.000"));
        QVERIFY(!parse(""));
        QVERIFY(!parse("abc"));
        QVERIFY(!parse("1.5x"));
        QCOMPARE(FormatFloat("0.###", 2.5), QString("2.5"));
        QCOMPARE(FormatFloat("0.###", 3.75), QString("3.75"));
        QCOMPARE(FormatFloat("0.###", 2.0), QString("2"));
        QCOMPARE(FormatFloat("0.###", 1.0 / 3), QString("0.333"));
        QCOMPARE(FormatFloat("0.#", 7.25), QString("7.3")); // half away from zero
        QCOMPARE(FormatFloat("0.00", 2), QString("2.00"));
        QCOMPARE(FormatFloat("#,##0.00", 1234567.891), QString("1,234,567.89"));
        QCOMPARE(FormatFloat("0.#", -0.01), QString("0"));
        QCOMPARE(FormatFixed(5, 0), QString("5"));
        QCOMPARE(FormatFixed(2.345, 2), QString("2.35"));
        QCOMPARE(FloatToStr(1440), QString("1440"));
        QCOMPARE(FloatToStr(0.1 + 0.2), QString("0.3"));
        QCOMPARE(FloatToStr(-2), QString("-2"));
        QCOMPARE(FloatToStr(1e20), QString("1E20"));
        QCOMPARE(FloatToStr(0.00001), QString("0.00001"));
        QCOMPARE(FloatToStr(1.5e-7), QString("1.5E-7"));
    }

    void numbersInACommaLocale()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        QCOMPARE(StrToFloat("1,5"), 1.5);
        QVERIFY(!parse("1.5"));
        QCOMPARE(FormatFloat("0.###", 3.75), QString("3,75"));
        QCOMPARE(FormatFloat("#,##0.00", 1234.5), QString("1.234,50"));
        QCOMPARE(FloatToStr(0.5 * 2 * 60 * 24), QString("1440"));
        QCOMPARE(FloatToStr(2.5), QString("2,5"));
        QCOMPARE(FormatFixed(2.5, 1), QString("2,5"));
        try {
            StrToFloat("1.5");
            QFAIL("a point is no decimal separator here");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QString("'1.5' is not a valid floating point value"));
        }
    }

    // The session's own locale (a decimal comma for the C library) changes nothing: only the
    // regional settings decide how a number is read and written.
    void numbersIgnoreTheCLibraryLocale()
    {
        testsupport::SessionLocale session("pt_PT.UTF-8");
        QVERIFY2(session.ok(), "the build generates pt_PT.UTF-8 into " QUORVALE_TEST_LOCALE_DIR);
        QCOMPARE(std::strtod("3.5", nullptr), 3.0); // the C library now stops at the point
        {
            ScopedRegionalSettings rs(RegionalSettings::pointLocale());
            QCOMPARE(StrToFloat("3.5"), 3.5);
            QCOMPARE(FloatToStr(2.5), QString("2.5"));
            QCOMPARE(FormatFloat("0.###", 0.5), QString("0.5"));
        }
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        QCOMPARE(StrToFloat("3,5"), 3.5);
        QCOMPARE(StrToFloat(FloatToStr(2.5)), 2.5);
        QCOMPARE(StrToFloat(FormatFixed(1234.5, 2)), 1234.5);
        QCOMPARE(DateText::StrToDate(DateText::DateToStr(QDate(2026, 3, 1))), QDate(2026, 3, 1));
    }

    // The suite runs twice, the second time in a Portuguese session: there the C library and the
    // regional settings must really write a comma, or that run proves nothing.
    void theSessionOfThisRun()
    {
        const bool portuguese = qEnvironmentVariable("LANG").startsWith("pt_PT");
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QString(portuguese ? "," : "."));
        QCOMPARE(RegionalSettings::fromSystem().decimalSeparator, QChar(portuguese ? ',' : '.'));
    }

    void extremeValuesReadBack()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        for (const double v : {DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e308, 123456789012345678.0}) {
            const QString text = FloatToStr(v);
            const auto back = parse(text);
            QVERIFY2(back && std::fabs(*back - v) <= std::fabs(v) * 1e-14, qPrintable(text));
        }
        QCOMPARE(FloatToStr(DBL_MAX), QString("1,79769313486231E308")); // rounded towards zero to stay a double
        QCOMPARE(StrToFloat("1E-400"), 0.0);                             // too small: zero
        QVERIFY(!parse("1E309"));                                       // too large: no number
        QVERIFY(!parse("-2E400"));
        QCOMPARE(StrToFloat("+,5"), 0.5);
        QCOMPARE(StrToFloat("-0,25E+2"), -25.0);
        // The nearest text that fits a field, never one cut in its exponent.
        QCOMPARE(FloatToStrFitting(2.3759762399976e18, 10), std::optional<QString>("2,37598E18"));
        QCOMPARE(FloatToStrFitting(167.9999832, 10), std::optional<QString>("167,999983"));
        QCOMPARE(FloatToStrFitting(-0.000012345678, 10), std::optional<QString>("-1,2346E-5"));
        QCOMPARE(FloatToStrFitting(1440, 10), std::optional<QString>("1440"));
        QCOMPARE(FloatToStrFitting(-DBL_MAX, 5), std::nullopt);
        QCOMPARE(FloatToStrFitting(std::numeric_limits<double>::infinity(), 10), std::nullopt);
    }

    void integers()
    {
        QCOMPARE(StrToInt("120"), 120);
        QCOMPARE(StrToInt(" 7 "), 7);
        QCOMPARE(StrToInt("-3"), -3);
        QVERIFY(!parseInt("1.5"));
        QVERIFY(!parseInt(""));
        QVERIFY(!parseInt("99999999999"));
        try {
            StrToInt("1x");
            QFAIL("not an integer");
        } catch (const ConversionError& e) {
            QCOMPARE(e.message(), QString("'1x' is not a valid integer value"));
        }
    }

    void datesFollowTheLocalPattern()
    {
        {
            ScopedRegionalSettings rs(RegionalSettings::pointLocale()); // dd/MM/yyyy
            QCOMPARE(DateText::StrToDate("08/12/2026"), QDate(2026, 12, 8));
            QCOMPARE(DateText::StrToDate("8/2/2026"), QDate(2026, 2, 8));
            QCOMPARE(DateText::StrToDate("8/2"), QDate(2026, 2, 8));
            QCOMPARE(DateText::StrToDate("8/2/26"), QDate(2026, 2, 8));
            QCOMPARE(DateText::StrToDate("2/6/1905"), QDate(1905, 6, 2));
            QCOMPARE(DateText::DateToStr(QDate(1905, 6, 2)), QString("02/06/1905"));
            QVERIFY(!DateText::parse("31/02/2026"));
            QVERIFY(!DateText::parse("08-12-2026"));
            QVERIFY(!DateText::parse("x/12/2026"));
            QVERIFY(!DateText::parse(""));
        }
        {
            RegionalSettings us = RegionalSettings::pointLocale();
            us.shortDatePattern = "M/d/yyyy";
            ScopedRegionalSettings rs(us);
            QCOMPARE(DateText::StrToDate("12/8/2026"), QDate(2026, 12, 8));
            QCOMPARE(DateText::DateToStr(QDate(2026, 2, 8)), QString("2/8/2026"));
        }
        {
            ScopedRegionalSettings rs(RegionalSettings::commaLocale()); // dd-MM-yyyy
            QCOMPARE(DateText::StrToDate("08-12-2026"), QDate(2026, 12, 8));
            QCOMPARE(DateText::DateToStr(QDate(2026, 12, 8)), QString("08-12-2026"));
            try {
                DateText::StrToDate("08/12/2026");
                QFAIL("wrong separator");
            } catch (const ConversionError& e) {
                QCOMPARE(e.message(), QString("'08/12/2026' is not a valid date"));
            }
        }
        QCOMPARE(DateText::SortKey(QDate(2026, 2, 8)), QString("2026-02-08"));
    }

    void localeDatePatternsBecomeNumericWithFourDigitYears()
    {
        QCOMPARE(RegionalSettings::numericShortDatePattern("M/d/yy"), QString("M/d/yyyy"));
        QCOMPARE(RegionalSettings::numericShortDatePattern("dd/MM/yyyy"), QString("dd/MM/yyyy"));
        QCOMPARE(RegionalSettings::numericShortDatePattern("dd.MM.yy"), QString("dd.MM.yyyy"));
        QCOMPARE(RegionalSettings::numericShortDatePattern("yyyy-MM-dd"), QString("yyyy-MM-dd"));
        QCOMPARE(RegionalSettings::numericShortDatePattern("d MMM yyyy"), QString("dd-MM-yyyy"));
        // Fields in any order, a quoted letter that is no field, a quote as separator: what comes
        // out is written and read back by the date routines, or it is dd-MM-yyyy.
        for (const auto& [format, numeric] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"M/y d", "M/yyyy/d"}, {"M'd'yyyy", "dd-MM-yyyy"}, {"dd''MM''yy", "dd''MM''yyyy"},
                 {"yyyy. MM. dd.", "yyyy.MM.dd"}, {"d/M/d", "dd-MM-yyyy"}, {"'Day' d/M/y", "d/M/yyyy"}}) {
            const QString pattern = RegionalSettings::numericShortDatePattern(format);
            QCOMPARE(pattern, QString(numeric));
            RegionalSettings r = RegionalSettings::pointLocale();
            r.shortDatePattern = pattern;
            r.dateSeparator = pattern.at(pattern.indexOf(QRegularExpression("[^dMy]")));
            ScopedRegionalSettings rs(r);
            for (const QDate date : {QDate(1905, 6, 2), QDate(2026, 12, 31)})
                QCOMPARE(DateText::parse(DateText::DateToStr(date)), std::optional<QDate>(date));
        }
        const RegionalSettings pt = RegionalSettings::fromLocaleName("pt_PT");
        QCOMPARE(pt.decimalSeparator, QChar(','));
        QCOMPARE(pt.shortMonthNames.size(), 12);

        // Whatever the locale, a stored date has a four-digit year, fits its field and reads back,
        // and the separators have a Windows-1252 byte (Arabic and Persian marks have none).
        for (const char* name : {"C", "en_US", "pt_PT", "de_DE", "sv_SE", "hu_HU", "ko_KR", "bg_BG", "ar_EG", "fa_IR"}) {
            ScopedRegionalSettings rs(RegionalSettings::fromLocaleName(name));
            const RegionalSettings& r = RegionalSettings::current();
            const QString sentinel = DateText::DateToStr(QDate(1905, 6, 2));
            QVERIFY2(sentinel.contains("1905") && sentinel.size() <= 10, name);
            QCOMPARE(DateText::parse(sentinel), std::optional<QDate>(QDate(1905, 6, 2)));
            QCOMPARE(DecimalText::StrToFloat(FormatFloat("0.###", 1.5)), 1.5);
            QVERIFY2(Cp1252::byteFor(r.decimalSeparator.unicode()) != '?', name);
            QVERIFY2(Cp1252::byteFor(r.dateSeparator.unicode()) != '?', name);
        }
    }

    void systemLocaleFollowsTheFormatCategories()
    {
        // The program reads the regional formats of the session: LC_NUMERIC and LC_TIME where they
        // differ from LANG, never LANGUAGE (the language of messages only).
        QCOMPARE(systemSettingsUnder({}), QString(".|-|dd-MM-yyyy"));
        QCOMPARE(systemSettingsUnder({"LANG=C.UTF-8"}), QString(".|-|dd-MM-yyyy"));
        QCOMPARE(systemSettingsUnder({"LANG=en_US.UTF-8"}), QString(".|/|M/d/yyyy"));
        QCOMPARE(systemSettingsUnder({"LANG=pt_PT.UTF-8"}), QString(",|/|dd/MM/yyyy"));
        QCOMPARE(systemSettingsUnder({"LANG=de_DE.UTF-8", "LANGUAGE=en"}), QString(",|.|dd.MM.yyyy"));
        QCOMPARE(systemSettingsUnder({"LANG=en_US.UTF-8", "LC_NUMERIC=pt_PT.UTF-8", "LC_TIME=de_DE.UTF-8"}),
                 QString(",|.|dd.MM.yyyy"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("QUORVALE_PRINT_REGIONAL")) {
        const RegionalSettings r = RegionalSettings::fromSystem();
        std::printf("%s|%s|%s\n", qPrintable(QString(r.decimalSeparator)), qPrintable(QString(r.dateSeparator)),
                    qPrintable(r.shortDatePattern));
        return 0;
    }
    TestTexts test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_texts.moc"
