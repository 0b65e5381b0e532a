// The one-time conversion of the sample company to the machine's number and date formats.
#include "i18n/IniFile.h"
#include "store/AccessPatterns.h"
#include "store/NeutralFormat.h"
#include "store/RegionalSettings.h"
#include "store/StoreError.h"
#include "support/TestSupport.h"

#include <QTest>

using testsupport::field;
using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

QByteArray product(const QByteArray& quant, const QByteArray& dia)
{
    return field(30, "Caixa") + field(20, "Azul") + field(40, "PP") + field(10, quant) + field(5, "kg")
         + field(5, "120") + field(10, dia) + field(2, "2") + QByteArray(1, '\0') + field(10, "Inj");
}

QByteArray order(const QByteArray& date, const QByteArray& second)
{
    return field(30, "Caixa") + field(20, "Azul") + field(30, "Cliente") + field(10, "100.5") + field(10, date)
         + field(10, second) + field(6, "E1") + field(10, "0") + QByteArray(1, '\0');
}

} // namespace

class TestNeutralFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convertsOnceInACommaLocale()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        TempFolder dir;
        const QString sample = dir.path() + "Test_database/";
        QDir().mkpath(sample);
        writeFile(sample + DataFile::Produtos, product("1.5", "4320.5"));
        writeFile(sample + DataFile::EncomProduto, order("05/02/2026", ""));
        const QByteArray clients = field(30, "A.B. Lda") + QByteArray(235, '\0');
        writeFile(sample + DataFile::Clientes, clients);
        IniFile ini(dir.file("Quorvale.ini"));

        const NeutralConversion first = ConvertNeutralFormat(ini, sample);
        QVERIFY(first.ran);
        QVERIFY(first.problems.isEmpty());
        const auto p = ReadAllRecords<ProdutoRecord>(sample + DataFile::Produtos);
        QCOMPARE(p[0].Quant.text(), QString("1,5"));
        QCOMPARE(p[0].QuantDia.text(), QString("4320,5"));
        QCOMPARE(p[0].Ciclo.text(), QString("120"));
        const auto o = ReadAllRecords<EncomProdutoRecord>(sample + DataFile::EncomProduto);
        QCOMPARE(o[0].date.text(), QString("05-02-2026"));
        QCOMPARE(o[0].secondDate.text(), QString());
        QCOMPARE(o[0].quantity.text(), QString("100,5"));
        // Names are not numbers: client files are never touched.
        QCOMPARE(readFile(sample + DataFile::Clientes), clients);
        QVERIFY(ini.ReadBool("Options", "NeutralFormat", false));

        // The next start converts nothing.
        const QByteArray before = readFile(sample + DataFile::Produtos);
        const NeutralConversion second = ConvertNeutralFormat(ini, sample);
        QVERIFY(!second.ran);
        QCOMPARE(readFile(sample + DataFile::Produtos), before);
    }

    void aBadDateIsNamedAndLeftWhileTheRestIsConverted()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        TempFolder dir;
        const QString sample = dir.path();
        writeFile(sample + DataFile::EncomProduto, order("5/2/2026", "07/02/2026") + order("06/02/2026", ""));
        writeFile(sample + DataFile::Produtos, product("0.25", "1"));
        IniFile ini(dir.file("Quorvale.ini"));
        const NeutralConversion result = ConvertNeutralFormat(ini, sample);
        QCOMPARE(result.problems.size(), 1);
        QVERIFY(result.problems[0].contains("'5/2/2026'"));
        QVERIFY(result.problems[0].contains(DataFile::EncomProduto));
        const auto o = ReadAllRecords<EncomProdutoRecord>(sample + DataFile::EncomProduto);
        QCOMPARE(o[0].date.text(), QString("5/2/2026"));
        QCOMPARE(o[0].secondDate.text(), QString("07-02-2026"));
        QCOMPARE(o[1].date.text(), QString("06-02-2026"));
        QCOMPARE(ReadAllRecords<ProdutoRecord>(sample + DataFile::Produtos)[0].Quant.text(), QString("0,25"));
        // Every file is done, so the flag is set and nothing is converted twice.
        QVERIFY(ini.ReadBool("Options", "NeutralFormat", false));
    }

    // A raw material's price and the unit cost its purchase orders copy are numbers too.
    void pricesAreConverted()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        TempFolder dir;
        writeFile(dir.file(DataFile::MateriasPrimas),
                  field(40, "PP") + field(15, "R1") + field(10, "1.42") + field(30, "Plast") + field(5, "kg"));
        writeFile(dir.file(DataFile::EncomMateria), field(40, "PP") + field(15, "R1") + field(30, "Plast") + field(10, "100")
                                                        + field(10, "05/02/2026") + field(10, "") + field(6, "C1")
                                                        + field(10, "0") + field(10, "1.42") + QByteArray(1, '\0'));
        IniFile ini(dir.file("Quorvale.ini"));
        QVERIFY(ConvertNeutralFormat(ini, dir.path()).problems.isEmpty());
        QCOMPARE(ReadAllRecords<MateriaPrimaRecord>(dir.file(DataFile::MateriasPrimas))[0].Preco.text(), QString("1,42"));
        QCOMPARE(ReadAllRecords<EncomMateriaRecord>(dir.file(DataFile::EncomMateria))[0].unitCost.text(), QString("1,42"));
    }

    void pointLocaleKeepsNumbersAndRewritesDates()
    {
        RegionalSettings us = RegionalSettings::pointLocale();
        us.shortDatePattern = "M/d/yyyy";
        ScopedRegionalSettings rs(us);
        TempFolder dir;
        writeFile(dir.file(DataFile::EncomProduto), order("05/02/2026", ""));
        IniFile ini(dir.file("Quorvale.ini"));
        ConvertNeutralFormat(ini, dir.path());
        const auto o = ReadAllRecords<EncomProdutoRecord>(dir.file(DataFile::EncomProduto));
        QCOMPARE(o[0].date.text(), QString("2/5/2026"));
        QCOMPARE(o[0].quantity.text(), QString("100.5"));
    }

    void aFailingFileSystemConvertsNothing()
    {
        ScopedRegionalSettings rs(RegionalSettings::commaLocale());
        TempFolder dir;
        const QByteArray produtos = product("1.5", "4320.5");
        writeFile(dir.file(DataFile::Produtos), produtos);
        // A production file that cannot be written again (as on a full disk); it comes after
        // Produtos.DAT, which must not be left converted on its own.
        QByteArray hours;
        for (int i = 0; i < 10; ++i)
            hours += field(30, "Caixa") + field(20, "Azul") + field(10, "950") + field(6, "12") + field(10, "08/02/2026")
                   + field(10, "") + field(9, "T1") + QByteArray(1, '\0') + field(10, "Inj") + field(6, "7.5")
                   + field(6, "0.5") + field(6, "0") + field(6, "0") + field(6, "0") + field(6, "0");
        writeFile(dir.file(DataFile::HorasProducao), hours);
        IniFile ini(dir.file("Quorvale.ini"));
        {
            testsupport::FileSizeLimit limit(1000);
            QVERIFY_THROWS_EXCEPTION(StoreError, ConvertNeutralFormat(ini, dir.path()));
        }
        QCOMPARE(readFile(dir.file(DataFile::Produtos)), produtos);
        QCOMPARE(readFile(dir.file(DataFile::HorasProducao)), hours);
        QVERIFY(!ini.ReadBool("Options", "NeutralFormat", false));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // no temporary file left

        // Settings that cannot take the flag: nothing is converted, or the next start would
        // convert it again.
        QFile::remove(dir.file(DataFile::HorasProducao));
        writeFile(dir.file("Quorvale.ini"), "[Options]\r\n; " + QByteArray(2000, 'x') + "\r\n");
        {
            testsupport::FileSizeLimit limit(1000);
            QVERIFY_THROWS_EXCEPTION(StoreError, ConvertNeutralFormat(ini, dir.path()));
        }
        QCOMPARE(readFile(dir.file(DataFile::Produtos)), produtos);
        QVERIFY(ConvertNeutralFormat(ini, dir.path()).ran);
        QCOMPARE(ReadAllRecords<ProdutoRecord>(dir.file(DataFile::Produtos))[0].Quant.text(), QString("1,5"));
        QVERIFY(ini.ReadBool("Options", "NeutralFormat", false));
    }

    void missingFilesAreSkipped()
    {
        TempFolder dir;
        IniFile ini(dir.file("Quorvale.ini"));
        const NeutralConversion r = ConvertNeutralFormat(ini, dir.path() + "nothing-here/");
        QVERIFY(r.ran);
        QVERIFY(r.problems.isEmpty());
        QVERIFY(ini.ReadBool("Options", "NeutralFormat", false));
    }
};

QTEST_GUILESS_MAIN(TestNeutralFormat)
#include "tst_neutralformat.moc"
