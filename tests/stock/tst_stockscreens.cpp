// The stock screens through the main window's menu: what each lists and how it draws it, the order
// lists and when they may be used, the bookings and refusals of both screens checked in the
// files, the removal of a material, the manual-stock warning once per run, and the stock
// calculation with its needs list (a second "Calculate" counting no product twice). Both screens
// and the list fit the window in both languages.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "masterdata/MasterTestSupport.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/ScreenControls.h"
#include "stock/StockTestSupport.h"
#include "stock/TForm_Stock.h"
#include "stock/TForm_StockProd.h"
#include "store/Clock.h"
#include "store/DataCommands.h"
#include "support/LayoutCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

using namespace testsupport;

namespace {

MateriaPrimaRecord rawMaterial(const QString& name, const QString& reference, const QString& unit)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Referencia = reference;
    r.Fornecedor = "Plasticos Lda";
    r.Un = unit;
    return r;
}

void choose(QComboBox* list, const QString& text) { list->setCurrentIndex(FindExact(list, text)); }

} // namespace

class TestStockScreens : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;

    QString path(const QString& file) const { return m_app->path(file); }
    TForm_Stock* entry() { return m_app->open<TForm_Stock>("menu_EditStockMatPrima"); }
    TForm_Stock* planning() { return m_app->open<TForm_Stock>("menu_PlanStockMatPrima"); }
    TForm_StockProd* products() { return m_app->open<TForm_StockProd>("menu_EditStockProduto"); }

    // Runs "Calculate"; inside, while the needs list is on screen, `look` runs, then the list is
    // closed by `close` (its Close button, or the caption's cross, which keeps its rows).
    void calculate(TForm_Stock* s, const std::function<void(TForm2*)>& look, bool keepRows = false)
    {
        TForm2* form2 = s->ResultWindow();
        bool shown = false;
        QTimer::singleShot(0, form2, [&, form2] {
            shown = form2->isVisible();
            look(form2);
            if (keepRows)
                form2->SpeedButton_Close->click();
            else
                form2->Button_StockClose->click();
        });
        click(s->Button_StockCalculate);
        QVERIFY(shown);
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 9, 10), QTime(10, 0)));
        m_app = std::make_unique<MasterScreens>();
        TForm_StockProd::ResetManualStockWarning();
        StockAuto = false;
        HourControl = false;
        WriteAllRecords(path(DataFile::StockMateria),
                        std::vector<StockMateriaRecord>{stockMaterial("PP", "10", "4"), stockMaterial("PE", "10", "12"),
                                                        stockMaterial("ABS", "0.0"), stockMaterial("PVC", "0")});
        WriteAllRecords(path(DataFile::MateriasPrimas),
                        std::vector<MateriaPrimaRecord>{rawMaterial("PP", "R-PP1", "kg"), rawMaterial("PE", "R-PE", "un"),
                                                        rawMaterial("PP", "R-PP2", "kg")});
        WriteAllRecords(path(DataFile::EncomMateria),
                        std::vector<EncomMateriaRecord>{purchase("PP", "30", "10", OrderActive, "C00001"),
                                                        purchase("PE", "8", "8", OrderArchived, "C00002"), purchase("PE", "6", "1", OrderActive, "C2")});
        WriteAllRecords(path(DataFile::Produtos), std::vector<ProdutoRecord>{dailyLine("Mesa", "Pinho", "PP", "0.5", "20"),
                                                                             dailyLine("Mesa", "Carvalho", "PE", "1", "10")});
        auto e1 = order("Mesa", "Pinho", "Ana", "8");
        e1.reference = "E00001";
        auto e2 = order("Mesa", "Carvalho", "Rui", "4");
        e2.reference = "E00002";
        WriteAllRecords(path(DataFile::EncomProduto), std::vector<EncomProdutoRecord>{e1, e2});
        WriteAllRecords(path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stock("Mesa", "Pinho", "5", "8", "-3", "01/09/2026"),
                                                        stock("Mesa", "Carvalho", "0", "0", "0", "01/09/2026")});
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
        StockAuto = false;
        HourControl = false;
    }

    // Entry lists every material sorted, with its unit in grey and a shortfall in red; the open
    // purchase orders wait, disabled, in their list. Planning shows the grid and "Calculate" alone.
    void whatEachVariantShows()
    {
        auto* s = entry();
        QVERIFY(s);
        StringGrid* grid = s->StringGrid5;
        QCOMPARE(columnTexts(grid, TForm_Stock::ColMaterial), QStringList({"ABS", "PE", "PP", "PVC"}));
        QCOMPARE(grid->RowTexts(3), QStringList({"PP", "10", "kg", "4", "6", "0", "01/03/2026", "1"}));
        QCOMPARE(grid->Cells(TForm_Stock::ColAvailable, 2), QString("-2"));
        QCOMPARE(grid->StyleOf(TForm_Stock::ColAvailable, 2).foreground, QColor(255, 0, 0));
        QVERIFY(!grid->StyleOf(TForm_Stock::ColAvailable, 3).foreground.isValid());
        QCOMPARE(grid->StyleOf(TForm_Stock::ColUnit, 3).foreground, QColor(128, 128, 128));
        QCOMPARE(grid->ColWidths(TForm_Stock::ColDate), 0);
        QCOMPARE(grid->ColWidths(TForm_Stock::ColRecord), 0);
        QCOMPARE(grid->Cells(TForm_Stock::ColReserved, 0), LangText("label_39", "Reservado"));
        QCOMPARE(s->Edit_StockData->text(), QString("10/09/2026"));
        QCOMPARE(m_app->form->HelpContext(), 221);

        QComboBox* orders = s->ComboBox_StockEntradaEncom;
        QVERIFY(!orders->isEnabled());
        QCOMPARE(orders->count(), 3);
        QCOMPARE(orders->itemText(1), OpenOrderLine("C00001", "PP", "R-PP", 20));
        QCOMPARE(orders->itemText(2), OpenOrderLine("C2", "PE", "R-PE", 5));
        auto* pieces = qobject_cast<TabbedItemDelegate*>(orders->itemDelegate());
        QVERIFY(pieces);
        QCOMPARE(pieces->Positions(), QList<int>({1, 36, 171, 211, 246}));
        choose(s->ComboBox_StockMateriaPrima, "PP");
        QCOMPARE(s->ComboBox_StockMateriaPrimaRef->count(), 2);
        QCOMPARE(s->ComboBox_StockMateriaPrimaRef->currentText(), QString("R-PP1"));
        QVERIFY(!s->ComboBox_StockMateriaPrimaRef->isEnabled());
        QVERIFY(s->Button_StockAdd->isVisibleTo(s) && !s->Button_StockCalculate->isVisibleTo(s));

        s = planning();
        QVERIFY(s->Button_StockCalculate->isVisibleTo(s) && s->Button_StockCalculate->isEnabled());
        for (QWidget* w : std::initializer_list<QWidget*>{s->Button_StockAdd, s->Button_StockDelete, s->Button_StockDetail,
                                                          s->Edit_StockEntrada, s->Edit_StockData, s->ComboBox_StockEntradaEncom})
            QVERIFY2(!w->isVisibleTo(s), qPrintable(w->objectName()));
        QCOMPARE(m_app->form->HelpContext(), 31);
    }

    // The order list is for an entry: entering the entry box opens it, leaving it empty (or
    // ticking the correction) chooses no order and closes it.
    void orderListFollowsTheEntry()
    {
        auto* s = entry();
        QComboBox* orders = s->ComboBox_StockEntradaEncom;
        s->Edit_StockEntrada->setFocus();
        QVERIFY(orders->isEnabled());
        orders->setCurrentIndex(1);
        s->Edit_StockSaida->setFocus();
        QVERIFY(!orders->isEnabled());
        QCOMPARE(orders->currentIndex(), 0);
        typeInto(s->Edit_StockEntrada, "5");
        orders->setCurrentIndex(1);
        s->Edit_StockSaida->setFocus();
        QVERIFY(orders->isEnabled());
        click(s->CheckBox_StockCorrect);
        QVERIFY(!orders->isEnabled());
        QCOMPARE(orders->currentIndex(), 0);
        click(s->CheckBox_StockCorrect);
        QVERIFY(orders->isEnabled());
    }

    // Bookings of raw materials: an exit larger than the stock and an order of another material
    // are refused and write nothing; an exit of all of it and an entry for an order are booked; the
    // boxes are emptied and the order, now archived, leaves the list. Delete takes only a
    // material that holds exactly "0".
    void rawMaterialBookingsAndRefusals()
    {
        auto* s = entry();
        const QByteArray before = readFile(path(DataFile::StockMateria));
        click(s->Button_StockAdd);
        choose(s->ComboBox_StockMateriaPrima, "PP");
        typeInto(s->Edit_StockSaida, "11");
        click(s->Button_StockAdd);
        typeInto(s->Edit_StockEntrada, "5");
        s->ComboBox_StockEntradaEncom->setEnabled(true);
        s->ComboBox_StockEntradaEncom->setCurrentIndex(2); // the order of PE
        replaceText(s->Edit_StockSaida, "");
        click(s->Button_StockAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[1], LangMsg[58], LangMsg[36]}));
        QCOMPARE(readFile(path(DataFile::StockMateria)), before);
        QVERIFY(!QFileInfo::exists(path(DataFile::MovimMateria)));

        m_app->messages.clear();
        replaceText(s->Edit_StockEntrada, "");
        replaceText(s->Edit_StockSaida, "10");
        click(s->Button_StockAdd);
        replaceText(s->Edit_StockEntrada, "20");
        s->ComboBox_StockEntradaEncom->setEnabled(true);
        s->ComboBox_StockEntradaEncom->setCurrentIndex(1); // C00001: 20 of 30 still to come
        click(s->Button_StockAdd);
        QCOMPARE(m_app->messages.count(), 0);
        const auto stock = recordsOf<StockMateriaRecord>(path(DataFile::StockMateria));
        QCOMPARE(stock[0].stock.text(), QString("20"));
        QCOMPARE(stock[0].onOrder.text(), QString("0"));
        const auto movements = recordsOf<MovimRecord>(path(DataFile::MovimMateria));
        QCOMPARE(movements.size(), size_t(2));
        QCOMPARE(movements[0].quantity.text() + movements[0].type.text(), QString("-10SS"));
        QCOMPARE(movements[1].quantity.text() + movements[1].type.text(), QString("20ES"));
        QCOMPARE(recordsOf<EncomMateriaRecord>(path(DataFile::EncomMateria))[0].state, std::uint8_t(OrderArchived));
        QCOMPARE(s->ComboBox_StockEntradaEncom->count(), 2);
        QVERIFY(s->Edit_StockEntrada->text().isEmpty() && s->Edit_StockSaida->text().isEmpty());
        QCOMPARE(s->StringGrid5->Cells(TForm_Stock::ColStock, rowWith(s->StringGrid5, 0, "PP")), QString("20"));

        // "0.0" is not "0"; PVC holds nothing and goes, the file staying dense.
        clickCell(s->StringGrid5, 0, rowWith(s->StringGrid5, 0, "ABS"));
        click(s->Button_StockDelete);
        QCOMPARE(MessageBox::lastText(), LangMsg[38]);
        const QByteArray withPvc = readFile(path(DataFile::StockMateria));
        clickCell(s->StringGrid5, 0, rowWith(s->StringGrid5, 0, "PVC"));
        click(s->Button_StockDelete);
        QCOMPARE(readFile(path(DataFile::StockMateria)), withPvc.left(3 * 85));
        QCOMPARE(columnTexts(s->StringGrid5, 0), QStringList({"ABS", "PE", "PP"}));
    }

    // Bookings of products: an exit of 6 from 5 is refused, so is an order of another type of the
    // same product; an exit of 5 for its order delivers it.
    void productBookingsAndRefusals()
    {
        auto* s = products();
        QVERIFY(s);
        StringGrid* grid = s->StringGrid9;
        QCOMPARE(grid->RowTexts(2).mid(0, 7), QStringList({"Mesa", "Pinho", "5", "-3", "8", "01/09/2026", "1"}));
        QCOMPARE(grid->StyleOf(TForm_StockProd::ColAvailable, 2).foreground, QColor(255, 0, 0));
        QCOMPARE(m_app->form->HelpContext(), 222);
        QCOMPARE(s->ComboBox_StockProdSaidaEncom->count(), 3);
        auto* pieces = qobject_cast<TabbedItemDelegate*>(s->ComboBox_StockProdSaidaEncom->itemDelegate());
        QCOMPARE(pieces->Positions(), QList<int>({1, 36, 121, 211, 246}));

        doubleClickCell(grid, 0, 2);
        QCOMPARE(s->ComboBox_StockProduto->currentText() + s->ComboBox_StockProdutoCor->currentText(), QString("MesaPinho"));
        typeInto(s->Edit_StockProdSaida, "6");
        click(s->Button_StockProdAdd);
        replaceText(s->Edit_StockProdSaida, "5");
        s->ComboBox_StockProdSaidaEncom->setEnabled(true);
        s->ComboBox_StockProdSaidaEncom->setCurrentIndex(2); // E00002: Mesa Carvalho
        click(s->Button_StockProdAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[58], LangMsg[37]}));
        QCOMPARE(recordsOf<StockProdutoRecord>(path(DataFile::StockProduto))[0].stock.text(), QString("5"));

        m_app->messages.clear();
        s->ComboBox_StockProdSaidaEncom->setCurrentIndex(1);
        click(s->Button_StockProdAdd);
        QCOMPARE(m_app->messages.count(), 0);
        const auto stock = recordsOf<StockProdutoRecord>(path(DataFile::StockProduto));
        QCOMPARE(stock[0].stock.text() + "|" + stock[0].ordered.text() + "|" + stock[0].available.text(), QString("0|3|-3"));
        QCOMPARE(recordsOf<EncomProdutoRecord>(path(DataFile::EncomProduto))[0].delivered.text(), QString("5"));
        QCOMPARE(recordsOf<MovimRecord>(path(DataFile::MovimProduto))[0].item.text(), QString("Mesa Pinho"));
        QCOMPARE(grid->Cells(TForm_StockProd::ColStock, rowWith(grid, TForm_StockProd::ColRecord, "1")), QString("0"));
        QCOMPARE(ParseOpenOrderLine(s->ComboBox_StockProdSaidaEncom->itemText(1)).openQuantity, QString("3"));

        // Unknown product, and Delete of a row that still has something ordered.
        choose(s->ComboBox_StockProduto, "Mesa");
        replaceText(s->ComboBox_StockProdutoCor, "Teca");
        typeInto(s->Edit_StockProdEntrada, "1");
        click(s->Button_StockProdAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[9]);
        clickCell(grid, 0, rowWith(grid, TForm_StockProd::ColRecord, "1"));
        click(s->Button_StockProdDelete);
        QCOMPARE(MessageBox::lastText(), LangMsg[38]);
    }

    // With manual stock and production hours kept, the first click in the entry box reminds the
    // user once per run, whichever button closed the reminder; OK opens the production entries.
    void manualStockWarningOnce()
    {
        StockAuto = false;
        HourControl = true;
        auto* s = products();
        m_app->messages.answer(MessageBox::Cancel);
        QTest::mouseClick(s->Edit_StockProdEntrada, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[70] + "\r\r" + LangMsg[7] + "\r" + LangMsg[8]}));
        QTest::mouseClick(s->Edit_StockProdEntrada, Qt::LeftButton);
        QCoreApplication::processEvents();
        s = products(); // a screen opened again in the same run
        QTest::mouseClick(s->Edit_StockProdEntrada, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(TForm_StockProd::ManualStockWarned());

        TForm_StockProd::ResetManualStockWarning();
        StockAuto = true;
        QTest::mouseClick(s->Edit_StockProdEntrada, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(!TForm_StockProd::ManualStockWarned());
    }

    // "Calculate" writes the reservations, shows the needs list below the main window with a beep
    // and alternates with "Detail ..."; a second one while the list was only closed by its cross
    // updates its rows without counting a product twice; its Close button empties it.
    void calculationAndItsNeedsList()
    {
        ScopedRecordingDesktop desktop;
        auto* s = planning();
        QStringList titles, rows;
        bool alternated = false;
        calculate(s, [&](TForm2* form2) {
            alternated = !s->Button_StockCalculate->isEnabled() && s->Button_StockDetail->isEnabled();
            QCOMPARE(form2->ShownPanel(), int(TForm2::PanelStock));
            QCOMPARE(form2->Label_caption->text(), LangTitle[20]);
            titles = form2->StringGrid5->RowTexts(0).mid(0, 7);
            for (int r = 1; r < form2->StringGrid5->RowCount(); ++r)
                rows << form2->StringGrid5->RowTexts(r).join('|');
        }, true);
        QVERIFY(alternated);
        QCOMPARE(titles, QStringList({s->Label25->text(), "Stock", LangText("label_39", "Reservado"),
                                      LangText("label_95", "Encomenda"), LangText("label_96", "Disponivel"),
                                      LangText("label_97", "Quant/dia"), s->Label49->text()}));
        // Mesa Pinho: -3 x 0.5 of PP (20 a day); Mesa Carvalho: -4 x 1 of PE (10 a day). PP runs
        // out in 10 / 20 days less one: yesterday.
        const QStringList expected{"PP|10|1.5|30|38.5|20|09/09/2026| Mesa*|2026-09-09",
                                   "PE|10|4|6|12|10|10/09/2026| Mesa*|2026-09-10"};
        QCOMPARE(rows, expected);
        QVERIFY(desktop->calls.contains("beep"));
        QVERIFY(s->Button_StockCalculate->isEnabled() && !s->Button_StockDetail->isEnabled());
        QCOMPARE(CurrentGrid.data(), s->StringGrid5);
        QCOMPARE(s->StringGrid5->RowTexts(rowWith(s->StringGrid5, 0, "PP")).mid(0, 6),
                 QStringList({"PP", "10", "kg", "1.5", "38.5", "30"}));
        const auto stock = recordsOf<StockMateriaRecord>(path(DataFile::StockMateria));
        QCOMPARE(stock[0].reserved.text() + "|" + stock[0].onOrder.text(), QString("1.5|30"));
        QCOMPARE(stock[1].reserved.text() + "|" + stock[1].onOrder.text(), QString("4|6"));

        rows.clear();
        calculate(s, [&](TForm2* form2) {
            for (int r = 1; r < form2->StringGrid5->RowCount(); ++r)
                rows << form2->StringGrid5->RowTexts(r).join('|');
        });
        QCOMPARE(rows, expected);
        QVERIFY(s->ResultWindow()->StringGrid5->Cells(0, 1).isEmpty());
    }

    // quorvale-data's recalculate writes, byte for byte, what "Calculate" of the screen writes, on
    // the sample company with its stock files out of date.
    void commandLineWritesWhatTheScreenWrites()
    {
        copySampleCompany(m_app->companyFolder());
        const QString products = path(DataFile::StockProduto), materials = path(DataFile::StockMateria);
        auto stale = ReadAllRecords<StockMateriaRecord>(materials);
        for (StockMateriaRecord& r : stale)
            r.reserved = "0", r.onOrder = "0";
        WriteAllRecords(materials, stale);
        auto productStock = ReadAllRecords<StockProdutoRecord>(products);
        productStock.erase(productStock.begin()); // the first product without its stock record
        WriteAllRecords(products, productStock);
        const QByteArray productsBefore = readFile(products), materialsBefore = readFile(materials);

        calculate(planning(), [](TForm2*) {});
        const QByteArray productsByScreen = readFile(products), materialsByScreen = readFile(materials);
        QVERIFY(productsByScreen != productsBefore && materialsByScreen != materialsBefore);
        m_app->form->CloseCurrentScreen();

        writeFile(products, productsBefore);
        writeFile(materials, materialsBefore);
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(DataCommands::Run({"recalculate", "Firma", "--locale", "neutral"}, o, e), 0);
        QCOMPARE(err, QString());
        QCOMPARE(readFile(products), productsByScreen);
        QCOMPARE(readFile(materials), materialsByScreen);
    }

    // Nothing ordered: a message, no list and no file changed.
    void calculationWithoutProductOrders()
    {
        WriteAllRecords(path(DataFile::EncomProduto), std::vector<EncomProdutoRecord>{});
        const QByteArray before = readFile(path(DataFile::StockMateria));
        auto* s = planning();
        click(s->Button_StockCalculate);
        QCOMPARE(MessageBox::lastText(), LangMsg[19]);
        QVERIFY(!s->ResultWindow()->isVisible());
        QCOMPARE(readFile(path(DataFile::StockMateria)), before);
    }

    // With the sample company, in both languages at both window sizes: every control inside the
    // screen, none over another, no caption cut; the needs list likewise.
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
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_EditStockMatPrima");
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_EditStockProduto");
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_PlanStockMatPrima");
        auto* s = app.open<TForm_Stock>("menu_PlanStockMatPrima");
        QStringList problems{"not shown"};
        QTimer::singleShot(0, s->ResultWindow(), [&] {
            problems = LayoutProblems(s->ResultWindow());
            s->ResultWindow()->Button_StockClose->click();
        });
        click(s->Button_StockCalculate);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_MAIN(TestStockScreens)
#include "tst_stockscreens.moc"
