// The orders view (TForm_EncomendaView) as List > Orders opens it for products and for raw
// materials: titles and missing files, the filters and the total, the colours and the row details,
// "Reactivar Encomenda" with both questions and its writes in the bytes of the order and stock
// files (the material reservation included), and the removal of inactive orders.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "orders/OrderColours.h"
#include "orders/OrderViewFixtures.h"
#include "orders/TForm_EncomendaView.h"
#include "store/Clock.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace testsupport;

namespace {

// Two active orders of 10 and 5, three archived ones (100 with 60 delivered, a production order
// delivered in full, a product without a stock record) and one on hold.
const QByteArray kOrders = encomProduto("Balde", "Azul", "Ana", "10", "0", OrderActive, "01/11/2026")
                           + encomProduto("Balde", "Azul", "Rui", "5", "0", OrderActive, "02/11/2026")
                           + encomProduto("Balde", "Azul", "Ana", "100", "60", OrderArchived, "03/11/2026")
                           + encomProduto("Tampa", "Azul", "Produ\xe7\xe3o", "100", "100", OrderArchived, "04/11/2026")
                           + encomProduto("Copo", "Verde", "Ana", "100", "60", OrderArchived, "05/11/2026")
                           + encomProduto("Balde", "Azul", "Rui", "8", "0", OrderOnHold, "06/11/2026");
const QByteArray kProductStock = stockProduto("Balde", "Azul", "50", "35", "15", "01/12/2026")
                                 + stockProduto("Tampa", "Azul", "0", "-20", "20", "01/12/2026");
// Balde takes half a unit of PP; Copo is a Tampa (a composite line), which takes 0.2 of PE.
const QByteArray kProducts = produto("Balde", "Azul", "PP", "0.5", "10") + produto("Copo", "Verde", "Tampa Azul", "1", "5", 1)
                             + produto("Tampa", "Azul", "PE", "0.2", "3");
const QByteArray kMaterialStock = stockMateria("PP", "100", "10", "0", "01/12/2026");
const QByteArray kToday = "09/12/2026";

} // namespace

class TestOrdersView : public QObject {
    Q_OBJECT
    std::unique_ptr<MasterScreens> m_app;

    QString path(const QString& name) const { return m_app->path(name); }
    TForm_EncomendaView* openProducts() { return m_app->open<TForm_EncomendaView>("menu_ViewEncomProduto"); }
    static void choose(TForm_EncomendaView* s, const QString& entry)
    {
        const int i = s->ComboBox_EncomendaView->findText(entry);
        QVERIFY2(i >= 0, qPrintable(entry));
        s->ComboBox_EncomendaView->setCurrentIndex(i);
    }
    // The row of the record (its number from 1).
    static int rowOf(TForm_EncomendaView* s, int record)
    {
        return rowWith(s->StringGrid15, TForm_EncomendaView::ColRecord, QString::number(record));
    }
    void reactivate(TForm_EncomendaView* s, int record)
    {
        clickCell(s->StringGrid15, 0, rowOf(s, record));
        QVERIFY(s->Button_EncomendaViewUndone->isEnabled());
        click(s->Button_EncomendaViewUndone);
    }

private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0))); }
    void cleanupTestCase() { Clock::clearFixed(); }
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        writeFile(path(DataFile::EncomProduto), kOrders);
        writeFile(path(DataFile::StockProduto), kProductStock);
        writeFile(path(DataFile::Produtos), kProducts);
        writeFile(path(DataFile::StockMateria), kMaterialStock);
        writeFile(path(DataFile::EncomMateria), encomMateria("PP", "PP-H", "Resinas", "50", "20", OrderArchived)
                                                    + encomMateria("Ink", "INK-1", "Cores", "9", "0", OrderActive));
    }
    void cleanup() { m_app.reset(); }

    // Both menus open the view of their file with its title, help context and texts; a missing
    // file says so and leaves the hosted screen open.
    void opensFromBothMenus()
    {
        auto* s = openProducts();
        QVERIFY(s);
        QCOMPARE(s->OrderViewMode(), QString("Produto"));
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[9] + " (view)");
        QCOMPARE(m_app->form->HelpContext(), 451);
        QCOMPARE(s->StringGrid15->Cells(1, 0), LangText("label_4", "Cliente"));
        QCOMPARE(s->Edit_EncomendaViewDate->text(), QString(kToday));
        QVERIFY(!s->Button_EncomendaViewUndone->isEnabled());
        s = m_app->open<TForm_EncomendaView>("menu_ViewEncomMatPrima");
        QCOMPARE(s->OrderViewMode(), QString("MatPrima"));
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[8] + " (view)");
        QVERIFY(rowWith(s->StringGrid15, 0, "PP PP-H") > 0);
        QCOMPARE(s->StringGrid15->Cells(1, 0), LangText("label_19", "Fornecedor"));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("9"));
        QCOMPARE(m_app->messages.count(), 0);

        QFile::remove(path(DataFile::EncomProduto));
        openProducts();
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[19]}));
        QCOMPARE(m_app->form->CurrentScreen(), s);
        QCOMPARE(s->OrderViewMode(), QString("MatPrima"));
    }

    // 15 under "( show all )", 0 under "(archived only)"; an item lists its orders in every state.
    // Production orders are green whatever their state, other archived ones red, held ones blue.
    // A click shows the row's details and enables "Reactivar Encomenda" on archived rows only.
    void filtersTotalsAndColours()
    {
        auto* s = openProducts();
        StringGrid* grid = s->StringGrid15;
        QCOMPARE(s->ComboBox_EncomendaView->itemText(0), QString("( show all )\t"));
        QCOMPARE(s->ComboBox_EncomendaView->count(), 4 + 3);
        QCOMPARE(columnTexts(grid, TForm_EncomendaView::ColRecord), QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("15"));
        QCOMPARE(grid->StyleOf(0, rowOf(s, 3)).foreground, ArchivedOrderColour);
        QCOMPARE(grid->StyleOf(0, rowOf(s, 4)).foreground, ProductionOrderColour);
        QCOMPARE(grid->StyleOf(0, rowOf(s, 6)).foreground, OnHoldOrderColour);
        QVERIFY(!grid->StyleOf(0, rowOf(s, 1)).foreground.isValid());

        clickCell(grid, 0, rowOf(s, 3));
        QCOMPARE(s->Edit_EncomendaViewDate->text(), QString("03/11/2026"));
        QCOMPARE(s->Edit_EncomendaViewRef->text(), QString("E0001"));
        QCOMPARE(s->Edit_EncomendaViewQuantExec->text(), QString("60"));
        QVERIFY(s->Button_EncomendaViewUndone->isEnabled());
        clickCell(grid, 0, rowOf(s, 1));
        QVERIFY(!s->Button_EncomendaViewUndone->isEnabled());

        choose(s, "(archived only)\t");
        QCOMPARE(columnTexts(grid, TForm_EncomendaView::ColRecord), QStringList({"3", "4", "5"}));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("0"));
        QCOMPARE(s->Edit_EncomendaViewDate->text(), QString());
        choose(s, "(on hold only)\t");
        QCOMPARE(columnTexts(grid, TForm_EncomendaView::ColRecord), QStringList({"6"}));
        choose(s, "(active only)\t");
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("15"));
        choose(s, "Balde\tAzul");
        QCOMPARE(columnTexts(grid, TForm_EncomendaView::ColRecord), QStringList({"1", "2", "3", "6"}));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("15"));
    }

    // Decimal quantities are summed; a text that is no number is named once, left out of the
    // total, and its order still listed.
    void decimalAndBadQuantities()
    {
        writeFile(path(DataFile::EncomProduto), encomProduto("Balde", "Azul", "Ana", "12.5", "0", OrderActive)
                                                    + encomProduto("Balde", "Azul", "Ana", "2.5", "0", OrderActive)
                                                    + encomProduto("Balde", "Azul", "Ana", "1O", "0", OrderActive));
        auto* s = openProducts();
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("15"));
        QCOMPARE(s->StringGrid15->RowCount(), 4);
        QCOMPARE(m_app->messages.texts(),
                 QStringList({LangText("msg_TotalLeavesOut", "") + "\rEncomProduto.DAT, record 3, quantity: '1O'"}));
    }

    // 100 with 60 delivered: only the question, then the order's state byte, 40 more ordered of the
    // product (available = stock - ordered, its date kept) and 20 more of PP reserved.
    void reactivatesWithOpenQuantity()
    {
        auto* s = openProducts();
        reactivate(s, 3);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[43]}));
        QCOMPARE(m_app->messages.count(), 1);
        QByteArray orders = kOrders;
        orders[2 * 135 + Off::EPstate] = char(OrderActive);
        QCOMPARE(readFile(path(DataFile::EncomProduto)), orders);
        QCOMPARE(readFile(path(DataFile::StockProduto)),
                 put(put(kProductStock, 96, 0, Off::SPordered, "55"), 96, 0, Off::SPavailable, "-5"));
        QCOMPARE(readFile(path(DataFile::StockMateria)),
                 put(put(kMaterialStock, 85, 0, Off::SMreserved, "30"), 85, 0, Off::SMdate, kToday));
        // The row is active now, and counted.
        QCOMPARE(s->StringGrid15->Cells(TForm_EncomendaView::ColState, rowOf(s, 3)), QString("0"));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("115"));
        QVERIFY(!s->Button_EncomendaViewUndone->isEnabled());
    }

    // Delivered in full: said before the question, and 0 is added. Cancel changes nothing.
    void reactivatesDeliveredOrderAfterTheExtraMessage()
    {
        auto* s = openProducts();
        m_app->messages.answer(MessageBox::Cancel);
        reactivate(s, 4);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[61] + "\r" + LangMsg[43]}));
        QCOMPARE(readFile(path(DataFile::EncomProduto)), kOrders);
        QVERIFY(!s->Button_EncomendaViewUndone->isEnabled());
        m_app->messages.clear();
        reactivate(s, 4);
        QCOMPARE(m_app->messages.count(), 1);
        QCOMPARE(readFile(path(DataFile::EncomProduto))[3 * 135 + Off::EPstate], char(OrderActive));
        QCOMPARE(readFile(path(DataFile::StockProduto)), kProductStock); // ordered 20 + 0 = 20
    }

    // A product without a stock record gets stock 0, ordered 40 and available -40, and its
    // composite line reserves the component's PE, in a new record of StockMateria.DAT.
    void reactivatesProductWithoutStockRecord()
    {
        auto* s = openProducts();
        reactivate(s, 5);
        const QByteArray copo = put(put(put(put(put(put(kProductStock.mid(96), 96, 0, 0, "Copo"), 96, 0, 31, "Verde"), 96, 0,
                                                Off::SPdate, kToday), 96, 0, Off::SPstock, "0"),
                                        96, 0, Off::SPordered, "40"),
                                    96, 0, Off::SPavailable, "-40");
        QCOMPARE(readFile(path(DataFile::StockProduto)), kProductStock + copo);
        QByteArray pe = put(put(put(put(put(kMaterialStock, 85, 0, 0, "PE"), 85, 0, Off::SMstock, "0"), 85, 0, Off::SMreserved, "8"),
                                85, 0, Off::SMonOrder, "0"),
                            85, 0, Off::SMdate, kToday);
        QCOMPARE(readFile(path(DataFile::StockMateria)), kMaterialStock + pe);
    }

    // A purchase order adds what is still to be received to the material's quantity on order.
    void reactivatesPurchaseOrders()
    {
        auto* s = m_app->open<TForm_EncomendaView>("menu_ViewEncomMatPrima");
        reactivate(s, 1);
        QCOMPARE(readFile(path(DataFile::EncomMateria))[Off::EMstate], char(OrderActive));
        QCOMPARE(readFile(path(DataFile::StockMateria)), put(kMaterialStock, 85, 0, Off::SMonOrder, "30"));
        QCOMPARE(s->Edit_EncomendaViewQuant->text(), QString("59"));
    }

    // Delete needs a row, refuses active orders, asks, removes the record and lists the file again
    // under the same filter.
    void removesInactiveOrders()
    {
        auto* s = openProducts();
        choose(s, "Balde\tAzul");
        clickCell(s->StringGrid15, 0, rowOf(s, 1));
        click(s->Button_EncomendaViewDelete);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[59]}));
        m_app->messages.clear();
        const int row = rowOf(s, 6);
        clickCell(s->StringGrid15, 0, row);
        click(s->Button_EncomendaViewDelete);
        QCOMPARE(m_app->messages.texts(),
                 QStringList({QString("Delete record # 6 from file EncomProduto.DAT\r and line %1 from grid StringGrid15").arg(row)}));
        QCOMPARE(readFile(path(DataFile::EncomProduto)), kOrders.left(5 * 135));
        QCOMPARE(s->ComboBox_EncomendaView->currentText(), QString("Balde\tAzul"));
        QCOMPARE(columnTexts(s->StringGrid15, TForm_EncomendaView::ColRecord), QStringList({"1", "2", "3"}));
    }
};

QTEST_MAIN(TestOrdersView)
#include "tst_ordersview.moc"
