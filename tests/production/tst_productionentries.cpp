// Production entries: the summary per product and type and the hours of an equipment on a day (as
// units), the shift list, and the screen as its menu command opens it: every refusal of storing an
// entry leaves the files as they were, and every booking is checked in the bytes of
// HorasProducao.DAT, StockProduto.DAT, MovimProduto.DAT and Equipamentos.DAT.
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "masterdata/MasterTestSupport.h"
#include "orders/OrderRecords.h"
#include "production/ProductionBooking.h"
#include "production/ProductionEntrySummary.h"
#include "production/ProductionTestSupport.h"
#include "production/TForm_ProdEntrada.h"
#include "shell/ScreenControls.h"
#include "store/Clock.h"
#include "support/LayoutCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using namespace testsupport;
using namespace Production;

namespace {

// The bytes of the records, written by hand field by field (every byte after a text 0).
QByteArray entryBytes(const QByteArray& product, const QByteArray& type, const QByteArray& entered,
                      const QByteArray& rejected, const QByteArray& date, const QByteArray& note, char operationOnly,
                      const QByteArray& equipment, const QList<QByteArray>& hours)
{
    QByteArray b = field(30, product) + field(20, type) + field(10, entered) + field(6, rejected) + field(10, date)
                   + field(10, "10/09/2026") + field(9, note) + QByteArray(1, operationOnly) + field(10, equipment);
    for (const QByteArray& h : hours)
        b += field(6, h);
    return b;
}
QByteArray stockBytes(const QByteArray& product, const QByteArray& type, const QByteArray& stock,
                      const QByteArray& available, const QByteArray& ordered, const QByteArray& date)
{
    return field(30, product) + field(20, type) + field(10, stock) + field(10, available) + field(10, ordered)
           + field(10, date);
}
QByteArray movementBytes(const QByteArray& item, const QByteArray& quantity, const QByteArray& type)
{
    return field(40, item) + field(10, quantity) + field(10, "09/09/2026") + field(10, "10/09/2026") + field(2, type);
}

EquipamentoRecord equipment(const QString& name)
{
    auto r = EmptyRecord<EquipamentoRecord>();
    r.Equipamento = name;
    r.Quant = "1";
    return r;
}

} // namespace

class TestProductionEntries : public QObject {
    Q_OBJECT
    std::unique_ptr<MasterScreens> m_app;
    QString m_entries, m_stock, m_movements, m_equipment;
    QByteArray m_stockBefore;

    TForm_ProdEntrada* open() { return m_app->open<TForm_ProdEntrada>("menu_EditProducaoEntradas"); }

    // The inputs of an entry; hours as "production setup breakdown material personnel other".
    void fill(TForm_ProdEntrada* s, const QString& product, const QString& type, const QString& equipmentName,
              const QString& entered, const QString& rejected, const QString& hours)
    {
        s->ComboBox_ProdEntrProduto->setCurrentIndex(s->ComboBox_ProdEntrProduto->findText(product));
        s->ComboBox_ProdEntrProdutoCor->setCurrentIndex(s->ComboBox_ProdEntrProdutoCor->findText(type));
        replaceText(s->ComboBox_ProdEntrRecurso, equipmentName);
        replaceText(s->Edit_ProdEntrOp, "J.Silva");
        replaceText(s->Edit_ProdEntrData, "09/09/2026");
        replaceText(s->Edit_ProdEntrEntrada, entered);
        replaceText(s->Edit_ProdEntrSaida, rejected);
        const QStringList h = hours.split(' ');
        const QList<QLineEdit*> boxes{s->Edit_ProdEntrHProd, s->Edit_ProdEntrHArranq, s->Edit_ProdEntrHAvaria,
                                      s->Edit_ProdEntrHMater, s->Edit_ProdEntrHPess,  s->Edit_ProdEntrHOutros};
        for (int i = 0; i < boxes.size(); ++i)
            replaceText(boxes[i], h.value(i));
    }
    // Nothing of the four files changed.
    void verifyUntouched(const QByteArray& entriesBefore)
    {
        QCOMPARE(readFile(m_entries), entriesBefore);
        QCOMPARE(readFile(m_stock), m_stockBefore);
        QVERIFY(!QFileInfo::exists(m_movements));
        QCOMPARE(recordsOf<EquipamentoRecord>(m_equipment).size(), size_t(2));
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 9, 10), QTime(10, 0)));
        m_app = std::make_unique<MasterScreens>();
        m_entries = m_app->path(DataFile::HorasProducao);
        m_stock = m_app->path(DataFile::StockProduto);
        m_movements = m_app->path(DataFile::MovimProduto);
        m_equipment = m_app->path(DataFile::Equipamentos);
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector<ProdutoRecord>{product("Mesa", "Pinho", "50", "2"), product("Vaso", "Verde", "20", "1")});
        WriteAllRecords(m_equipment, std::vector<EquipamentoRecord>{equipment("Engel"), equipment("Krauss 250")});
        m_stockBefore = stockBytes("Copo", "Azul", "7", "7", "0", "01/09/2026")
                        + stockBytes("Mesa", "Pinho", "20", "15", "5", "01/09/2026")
                        + stockBytes("Mesa", "Pinho", "99", "99", "0", "01/09/2026"); // a later duplicate
        writeFile(m_stock, m_stockBefore);
        WriteAllRecords(m_entries, std::vector<HorasProducaoRecord>{
                                       productionEntry("Mesa Pinho", "Engel", "09/09/2026", "50", "5 0 0 0 0 0"),
                                       productionEntry("Mesa Pinho", "Engel", "08/09/2026", "40", "8 0 0 0 0 0")});
        HoursPerDay = 24;
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
    }

    // Two entries of a product make one row, hours summed with one decimal at most; a product with
    // stock and no entry has a row of zero hours and a blank date; without a stock record the
    // entered units are summed. Records with a bad text are named and left out.
    void summaryPerProduct()
    {
        std::vector<HorasProducaoRecord> entries{
            productionEntry("Mesa Pinho", "Engel", "01/09/2026", "100", "6.5 0.3 0 0 0 0"),
            productionEntry("Vaso Verde", "Engel", "02/09/2026", "7", "1.50 0 0 0 0 0"),
            productionEntry("Mesa Pinho", "Krauss", "03/09/2026", "50", "1.2 0.04 1 0 0 0"),
            productionEntry("Mesa Pinho", "Krauss", "04/09/2026", "x", "1 0 0 0 0 0")};
        const std::vector<StockProdutoRecord> stock{::testsupport::stock("Mesa", "Pinho", "20", "0", "20", "01/09/2026"),
                                                    ::testsupport::stock("Copo", "Azul", "3", "0", "3", "01/09/2026"),
                                                    ::testsupport::stock("Prato", "Azul", "0", "0", "0", "01/09/2026")};
        const EntrySummary s = SummariseEntries(entries, stock);
        QCOMPARE(s.rows.size(), size_t(3));
        QCOMPARE(s.rows[0].Cells(), QStringList({"Mesa", "Pinho", "20", "7.7", "0.3", "1", "0", "0", "0", "03/09/2026", "1"}));
        QCOMPARE(s.rows[1].Cells(), QStringList({"Vaso", "Verde", "7", "1.50", "0", "0", "0", "0", "0", "02/09/2026", "2"}));
        QCOMPARE(s.rows[2].Cells(), QStringList({"Copo", "Azul", "3", "0", "0", "0", "0", "0", "0", " ", "3"}));
        QCOMPARE(s.entryRows, 2);
        QCOMPARE(s.bad.size(), size_t(1));
        QCOMPARE(s.bad[0].record, 4);
        const EntrySummary noStock = SummariseEntries(entries, std::nullopt);
        QCOMPARE(noStock.rows[0].Cells()[2], QString("150"));
        QCOMPARE(noStock.rows.size(), size_t(2));
    }

    // The hours of one equipment (whole name) on one day; its unreadable records named.
    void hoursOfAnEquipmentOnADay()
    {
        const std::vector<HorasProducaoRecord> entries{
            productionEntry("Mesa Pinho", "Engel", "09/09/2026", "1", "5 1 0 0 0 0.5"),
            productionEntry("Mesa Pinho", "Engel", "08/09/2026", "1", "8 0 0 0 0 0"),
            productionEntry("Mesa Pinho", "Engel 2", "09/09/2026", "1", "8 0 0 0 0 0"),
            productionEntry("Vaso Verde", "Engel", "9/9/2026", "1", "2 0 0 0 0 0"),
            productionEntry("Vaso Verde", "Engel", "??", "1", "2 0 0 0 0 0")};
        const DayHours h = HoursOnDay(entries, "Engel", QDate(2026, 9, 9));
        QCOMPARE(h.hours, 8.5);
        QCOMPARE(h.entries, 2);
        QCOMPARE(h.bad.size(), size_t(1));
        QCOMPARE(h.bad[0].record, 5);
        QVERIFY(PassesDay(8.5, 0.5, 8) && !PassesDay(7.5, 0.5, 8));
    }

    // With ShiftHours missing the list offers 08, 16 and 24 with 08 chosen; typing "1" then "2"
    // adds 01 and 12 for good; the shift chosen is stored as ShiftDefault when the screen closes.
    void shifts()
    {
        QCOMPARE(ShiftList("081624"), QStringList({"08", "16", "24"}));
        QCOMPARE(ReadTypedShift("8", {"08"}).kind, TypedShift::Listed);
        QCOMPARE(ReadTypedShift("7.5", {"08"}).kind, TypedShift::NoShift);
        auto* s = open();
        QComboBox* shifts = s->ComboBox_ProdEntrShift;
        QCOMPARE(shifts->count(), 3);
        QCOMPARE(shifts->currentText(), QString("08"));
        QCOMPARE(s->ScrollBar_ProdEntrShift->maximum(), 3);
        replaceText(shifts, "12");
        QStringList items;
        for (int i = 0; i < shifts->count(); ++i)
            items << shifts->itemText(i);
        QCOMPARE(items, QStringList({"01", "08", "12", "16", "24"}));
        QCOMPARE(shifts->currentText(), QString("12"));
        QCOMPARE(DataIni->ReadString("Firma", "ShiftHours", ""), QString("0816240112"));
        replaceText(shifts, ".");
        QCOMPARE(MessageBox::lastText(), "'.'" + LangMsg[4]);
        s->ScrollBar_ProdEntrShift->setValue(4);
        QCOMPARE(shifts->currentText(), QString("16"));
        click(s->Button_ProdEntradaClose);
        QCOMPARE(DataIni->ReadString("Firma", "ShiftDefault", ""), QString("16"));
        s = open();
        QCOMPARE(s->ComboBox_ProdEntrShift->currentText(), QString("16"));
    }

    // The list as the screen shows it, and a double click taking the row's product.
    void listAndDoubleClick()
    {
        auto* s = open();
        StringGrid* grid = s->StringGrid14;
        QCOMPARE(grid->RowTexts(1).mid(0, 9), QStringList({"Copo", "Azul", "7", "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(grid->RowTexts(2).mid(0, 10),
                 QStringList({"Mesa", "Pinho", "20", "13", "0", "0", "0", "0", "0", "08/09/2026"}));
        QCOMPARE(grid->ColWidths(TForm_ProdEntrada::Column::ColDate), 0);
        QCOMPARE(grid->StyleOf(4, 0).alignment, Qt::AlignHCenter | Qt::AlignTop);
        QCOMPARE(grid->Cells(2, 0), LangText("label_stock", "Stock"));
        QCOMPARE(s->Edit_ProdEntrData->text(), QString("10/09/2026"));
        QCOMPARE(m_app->form->HelpContext(), 23);
        doubleClickCell(grid, 0, 2);
        QCOMPARE(s->ComboBox_ProdEntrProduto->currentText(), QString("Mesa"));
        QCOMPARE(s->ComboBox_ProdEntrProdutoCor->currentText(), QString("Pinho"));
        QCOMPARE(s->Label87->text(), QString("2"));
    }

    // Each refusal, in the order of the checks, with the files as they were.
    void refusals()
    {
        const QByteArray entriesBefore = readFile(m_entries);
        auto* s = open();
        fill(s, "Mesa", "Pinho", "Engel", "100", "20", " 0 0 0 0 0");
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[1] + " :\r\r" + QStringList({LangText("label_31", ""), LangText("label_6", ""),
                                                                               LangText("label_15", ""), LangText("label_18", ""),
                                                                               LangText("label_prod", ""), LangText("label_11", ""),
                                                                               LangText("label_91", "")})
                                                                      .join('\r'));
        fill(s, "Mesa", "Pinho", "Injectora 250T", "100", "20", "8 0 0 0 0 0");
        click(s->Button_ProdEntradaAdd);
        QVERIFY(MessageBox::lastText().contains("'Injectora 250T'"));
        fill(s, "Mesa", "Pinho", "Engel", "100", "120", "8 0 0 0 0 0");
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[62]);
        fill(s, "Mesa", "Pinho", "Engel", "100", "20", "6 3 0 0 0 0");
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[53]);
        fill(s, "Mesa", "Pinho", "Engel", "100", "20", "5 1 0 0 0 1");
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[54]);
        // A new equipment is asked for; Cancel adds nothing.
        fill(s, "Mesa", "Pinho", "Engel 2", "100", "20", "8 0 0 0 0 0");
        m_app->messages.clear();
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[42]}));
        // The hours already on that day count, entries of other days do not.
        HoursPerDay = 8;
        fill(s, "Mesa", "Pinho", "Engel", "100", "20", "4 0 0 0 0 0");
        replaceText(s->ComboBox_ProdEntrShift, "04");
        click(s->Button_ProdEntradaAdd);
        QVERIFY(MessageBox::lastText().startsWith(LangMsg[63]));
        QVERIFY(MessageBox::lastText().contains(" 5 ") && MessageBox::lastText().contains(" 4,")
                && MessageBox::lastText().contains(" 8 "));
        verifyUntouched(entriesBefore);
        QCOMPARE(s->Edit_ProdEntrEntrada->text(), QString("100")); // the boxes keep what was typed
        // The full shift of the 8th does not block the 10th.
        replaceText(s->Edit_ProdEntrData, "10/09/2026");
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(recordsOf<HorasProducaoRecord>(m_entries).size(), size_t(3));
    }

    // An entry books its stock (the first record of the product), the entry and its EP and RP
    // movements; the list shows the new sums and the stock; the hour boxes are emptied.
    void bookingAnEntry()
    {
        const QByteArray entriesBefore = readFile(m_entries);
        auto* s = open();
        fill(s, "Mesa", "Pinho", "Engel", "100", "20", "2 1 0 0 0 0.5");
        m_app->messages.clear();
        click(s->Button_ProdEntradaAdd); // 3.5 of 8 hours: asked, and accepted
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[54]}));
        QCOMPARE(readFile(m_entries), entriesBefore + entryBytes("Mesa", "Pinho", "100", "20", "09/09/2026", "08J.Silva", 0,
                                                                 "Engel", {"2", "1", "0", "0", "0", "0.5"}));
        QCOMPARE(readFile(m_stock), m_stockBefore.left(96) + stockBytes("Mesa", "Pinho", "100", "95", "5", "10/09/2026")
                                        + m_stockBefore.mid(192));
        QCOMPARE(readFile(m_movements), movementBytes("Mesa Pinho", "100", "EP") + movementBytes("Mesa Pinho", "-20", "RP"));
        const int row = rowWith(s->StringGrid14, 0, "Mesa");
        QCOMPARE(s->StringGrid14->RowTexts(row).mid(0, 10),
                 QStringList({"Mesa", "Pinho", "100", "15", "1", "0", "0", "0", "0.5", "09/09/2026"}));
        QVERIFY(s->Edit_ProdEntrHProd->text().isEmpty() && s->Edit_ProdEntrHOutros->text().isEmpty());

        // A product with no stock record gets one; nothing rejected, no RP.
        fill(s, "Vaso", "Verde", "Krauss 250", "30", "", "8 0 0 0 0 0");
        m_app->messages.clear();
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(m_app->messages.count(), 0);
        QCOMPARE(readFile(m_stock).mid(3 * 96), stockBytes("Vaso", "Verde", "30", "30", "0", "10/09/2026"));
        QCOMPARE(readFile(m_movements).mid(2 * 77), movementBytes("Vaso Verde", "30", "EP"));
        QCOMPARE(readFile(m_entries).mid(3 * 156, 70), entryBytes("Vaso", "Verde", "30", "0", "", "", 0, "", {}).left(70));
        QCOMPARE(s->StringGrid14->RowTexts(rowWith(s->StringGrid14, 0, "Vaso")).mid(0, 4),
                 QStringList({"Vaso", "Verde", "30", "8"}));
    }

    // "operation only": asked, then the entry with its flag and one HP movement of the production
    // hours, and no stock; a new equipment, once confirmed, is appended and listed at once.
    void operationOnlyAndNewEquipment()
    {
        const QByteArray entriesBefore = readFile(m_entries);
        auto* s = open();
        fill(s, "Mesa", "Pinho", "Nova", "10", "0", "6 2 0 0 0 0");
        click(s->CheckBox_ProdEntrOperation);
        QVERIFY(s->CheckBox_ProdEntrOperation->font().underline());
        m_app->messages.clear();
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[42], LangMsg[20]}));
        QCOMPARE(readFile(m_entries), entriesBefore + entryBytes("Mesa", "Pinho", "10", "0", "09/09/2026", "08J.Silva", 1,
                                                                 "Nova", {"6", "2", "0", "0", "0", "0"}));
        QCOMPARE(readFile(m_stock), m_stockBefore);
        QCOMPARE(readFile(m_movements), movementBytes("Mesa Pinho", "6", "HP"));
        QCOMPARE(readFile(m_equipment).mid(2 * 73),
                 field(20, "Nova") + field(30, "") + field(2, "0") + field(5, "0") + field(11, ""));
        QVERIFY(FindExact(s->ComboBox_ProdEntrRecurso, "Nova") >= 0);
        QVERIFY(!s->CheckBox_ProdEntrOperation->isChecked() && !s->CheckBox_ProdEntrOperation->font().underline());
        // Known now: the next entry does not ask again.
        fill(s, "Mesa", "Pinho", "Nova", "10", "0", "8 0 0 0 0 0");
        m_app->messages.clear();
        click(s->Button_ProdEntradaAdd);
        QCOMPARE(m_app->messages.count(), 0);
        QCOMPARE(recordsOf<EquipamentoRecord>(m_equipment).size(), size_t(3));
    }

    // A stock text that is no number stops the booking before anything is written; a file that
    // cannot be written stops it there and names what was written before.
    void failedBookings()
    {
        QByteArray stock = m_stockBefore;
        stock.replace(96 + 52, 3, QByteArray("\x02" "2O", 3));
        writeFile(m_stock, stock);
        m_stockBefore = stock;
        const QByteArray entriesBefore = readFile(m_entries);
        auto* s = open();
        fill(s, "Mesa", "Pinho", "Engel", "100", "0", "8 0 0 0 0 0");
        click(s->Button_ProdEntradaAdd);
        QVERIFY(MessageBox::lastText().contains("'2O'") && MessageBox::lastText().contains("StockProduto.DAT"));
        verifyUntouched(entriesBefore);

        EntryInput input;
        input.product = "Vaso";
        input.type = "Verde";
        input.entered = "5";
        input.date = "09/09/2026";
        input.equipment = "Engel";
        input.hours = {"8", "", "", "", "", ""};
        input.shift = 8;
        QDir().mkpath(m_movements); // a folder where the file should be
        const BookingOutcome out =
            BookProductionEntry(m_app->companyFolder(), input, false, QDate(2026, 9, 10), RegionalSettings::pointLocale());
        QVERIFY(!out.ok);
        QCOMPARE(out.written.size(), size_t(2));
        QCOMPARE(out.written[0].file, DataFile::StockProduto);
        QCOMPARE(out.written[1].file, DataFile::HorasProducao);
        QVERIFY(out.message.contains("Written:\r  the stock record of Vaso Verde (StockProduto.DAT")
                && out.message.contains("the production entry of Vaso Verde on 09/09/2026 (HorasProducao.DAT, record")
                && out.message.contains("Not written:\r  the movement EP 5 of Vaso Verde (MovimProduto.DAT)"));
    }

    // With the sample company, in both languages at both window sizes: every control inside the
    // screen, none over another, no caption cut.
    void fitsTheWindow_data()
    {
        AddLanguageRows();
    }
    void fitsTheWindow()
    {
        QFETCH(QByteArray, language);
        m_app.reset();
        MasterScreens app("Language=" + language + "\r\n");
        copySampleCompany(app.companyFolder());
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_EditProducaoEntradas");
    }
};

QTEST_MAIN(TestProductionEntries)
#include "tst_productionentries.moc"
