// The stock lists of raw materials and products: opened only when their file exists, the item
// filters, the unit and date columns, the colours, the export, and the stock mail through the
// client chooser down to the link text the desktop receives.
#include "i18n/IniFile.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "shell/PanelDrag.h"
#include "stock/StockTestSupport.h"
#include "support/LayoutCheck.h"
#include "stock/TForm_GeralView.h"
#include "stock/TForm_MovimView.h"
#include "stock/TForm_StockProdView.h"
#include "stock/TForm_StockView.h"
#include "store/Clock.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

using namespace testsupport;

namespace {

MateriaPrimaRecord rawMaterial(const QString& name, const QString& unit)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Un = unit;
    return r;
}

const QString kHeading = "Os%20stocks%20de%20produto%20acabado%20de%20cx.%20s%C3%A3o%3A%20%0A";
const QString kSubject = "?subject=Stocks%20de%20cx.%20em%2015%2F03%2F2026";

} // namespace

class TestStockViews : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;

    TForm_StockView* openMaterials() { return m_app->open<TForm_StockView>("menu_ViewStockMatPrima"); }
    TForm_StockProdView* openProducts() { return m_app->open<TForm_StockProdView>("menu_ViewStockProduto"); }
    static void choose(QComboBox* list, const QString& entry)
    {
        const int i = list->findText(entry);
        QVERIFY2(i >= 0, qPrintable(entry));
        list->setCurrentIndex(i);
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
        m_app = std::make_unique<MasterScreens>();
        WriteAllRecords(m_app->path(DataFile::StockMateria),
                        std::vector<StockMateriaRecord>{stockMaterial("Tinta", "3", "1", "0", "04/03/2026"),
                                                        stockMaterial("Resina", "10", "4", "2", "05/03/2026"),
                                                        stockMaterial("resina", "1")});
        WriteAllRecords(m_app->path(DataFile::MateriasPrimas),
                        std::vector<MateriaPrimaRecord>{rawMaterial("Resina", "kg"), rawMaterial("Tinta", "lt")});
        WriteAllRecords(m_app->path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stockProduct("Copo", "Azul", "0", "-2", "2"),
                                                        stockProduct("Tampa", "Verde", "12", "12", "0", "07/03/2026")});
        WriteAllRecords(m_app->path(DataFile::Clientes),
                        std::vector<FornecedorRecord>{client("Loja", "Ana", "a@b.pt?bcc=x@y.com"), client("Bar", "Rui", "")});
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
    }

    void openOnlyWhenTheStockFileExists()
    {
        QFile::remove(m_app->path(DataFile::StockMateria));
        QFile::remove(m_app->path(DataFile::StockProduto));
        QVERIFY(!openMaterials());
        QVERIFY(!openProducts());
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[17], LangMsg[17]}));
        QVERIFY(!QFileInfo::exists(m_app->path(DataFile::StockMateria)));
    }

    void materialsListFilterUnitsAndDate()
    {
        auto* s = openMaterials();
        QVERIFY(s);
        QCOMPARE(s->StringGrid7->ScreenTitle(), LangTitle[5] + " (view)");
        QCOMPARE(columnTexts(s->StringGrid7, 0), QStringList({"resina", "Resina", "Tinta"}));
        QCOMPARE(columnTexts(s->StringGrid7, 2), QStringList({" ", "kg", "lt"}));
        QCOMPARE(s->StringGrid7->StyleOf(2, 2).foreground, QColor(128, 128, 128));
        QCOMPARE(s->StringGrid7->Cells(3, 0), LangText("label_39", "Reservado"));
        QCOMPARE(s->Edit_StockViewDate->text(), QString("15/03/2026"));
        // The list holds each material once, whatever its letter case, and opens on every record.
        QCOMPARE(s->ComboBox_MateriaView->count(), 3);
        QCOMPARE(s->ComboBox_MateriaView->currentText(), QString("( show all )"));
        clickCell(s->StringGrid7, 0, rowWith(s->StringGrid7, 0, "Resina"));
        QCOMPARE(s->Edit_StockViewDate->text(), QString("05/03/2026"));

        choose(s->ComboBox_MateriaView, "Resina");
        QCOMPARE(s->StringGrid7->RowCount(), 2);
        QCOMPARE(s->StringGrid7->RowTexts(1), QStringList({"Resina", "10", "kg", "4", "2", "05/03/2026", "2"}));
        choose(s->ComboBox_MateriaView, "( show all )");
        QCOMPARE(s->StringGrid7->RowCount(), 4);

        ScopedRecordingDesktop desktop;
        click(s->Button_StockViewFile);
        QCOMPARE(desktop->calls, QStringList({"openTextEditor " + TForm2::ExportFilePath()}));
    }

    void productsListFilterAndShortfall()
    {
        auto* s = openProducts();
        QVERIFY(s);
        QCOMPARE(s->ComboBox_StockProdView->itemText(s->ComboBox_StockProdView->currentIndex()), QString("( show all )\t"));
        QCOMPARE(columnTexts(s->StringGrid13, 0), QStringList({"Copo Azul", "Tampa Verde"}));
        QCOMPARE(s->StringGrid13->StyleOf(2, 1).foreground, QColor(255, 0, 0));
        QVERIFY(s->StringGrid13->StyleOf(2, 2).foreground != QColor(255, 0, 0));
        QVERIFY(!s->Panel_StockProdView_Clients->isVisible());
        clickCell(s->StringGrid13, 1, 2);
        QCOMPARE(s->Edit_StockProdViewDate->text(), QString("07/03/2026"));
        choose(s->ComboBox_StockProdView, "Tampa\tVerde");
        QCOMPARE(columnTexts(s->StringGrid13, 0), QStringList({"Tampa Verde"}));
    }

    // Two products, one with stock "0": the body has a single product line. The link text is the
    // desktop's, character for character, with an address that would add a recipient unencoded.
    void stockMailLink()
    {
        IniFile(DataIni->FileName()).WriteString("Firma", "StockMailFrom", "stocks@firma.pt");
        ScopedRecordingDesktop desktop;
        auto* s = openProducts();
        click(s->Button_StockProdViewEmail);
        QVERIFY(s->Panel_StockProdView_Clients->isVisible());
        QCOMPARE(s->Panel_StockProdView_Clients->x(), TForm_StockProdView::ChooserLeft);
        QVERIFY(!s->Button_StockProdViewClose->isEnabled());
        StringGrid* clients = s->StringGrid_StockProdView_Clients;
        QCOMPARE(clients->RowTexts(0), QStringList({LangText("label_4", "Cliente"), LangText("label_5", "Contacto"), ""}));
        QCOMPARE(columnTexts(clients, 0), QStringList({"Loja", "Bar"}));
        QCOMPARE(clients->width(), 273);
        doubleClickCell(clients, 0, 1);
        QCOMPARE(desktop->calls,
                 QStringList({"openUrl mailto:a@b.pt%3Fbcc%3Dx@y.com" + kSubject + "&body=" + kHeading
                              + "%0ATampa%20Verde%20%3D%20%2012&From=stocks@firma.pt&bcc="}));
        QVERIFY(!s->Panel_StockProdView_Clients->isVisible());
        QVERIFY(s->Button_StockProdViewClose->isEnabled());
    }

    void filteredListMailsOnlyItsProductAndOkSends()
    {
        ScopedRecordingDesktop desktop;
        auto* s = openProducts();
        choose(s->ComboBox_StockProdView, "Copo\tAzul");
        click(s->Button_StockProdViewEmail);
        click(s->Button_StockProdView_ClientsOk); // the first client is chosen
        // No sender set: no "&From=".
        QCOMPARE(desktop->calls, QStringList({"openUrl mailto:a@b.pt%3Fbcc%3Dx@y.com" + kSubject + "&body=" + kHeading + "&bcc="}));
    }

    void clientWithoutAddressAndCancel()
    {
        ScopedRecordingDesktop desktop;
        auto* s = openProducts();
        click(s->Button_StockProdViewEmail);
        doubleClickCell(s->StringGrid_StockProdView_Clients, 0, 2);
        QCOMPARE(m_app->messages.texts(), QStringList({"No 'Email' on this Client !\rPlease  create  it  first .."}));
        QVERIFY(s->Button_StockProdViewClose->isEnabled());
        click(s->Button_StockProdViewEmail);
        click(s->Button_StockProdView_ClientsCancel);
        click(s->Button_StockProdViewEmail);
        s->SpeedButton_StockProdView_ClientsClose->click();
        QVERIFY(!s->ChooserShown());
        QVERIFY(s->Button_StockProdViewClose->isEnabled());
        QVERIFY(desktop->calls.isEmpty());
        // With no client at all the chooser still has one (empty) row.
        QFile::remove(m_app->path(DataFile::Clientes));
        click(s->Button_StockProdViewEmail);
        QCOMPARE(s->StringGrid_StockProdView_Clients->RowCount(), 2);
        click(s->Button_StockProdView_ClientsOk);
        QCOMPARE(m_app->messages.count(), 2);
        QVERIFY(desktop->calls.isEmpty());
    }

    void chooserIsDraggedInsideTheScreen()
    {
        std::vector<FornecedorRecord> many;
        for (int i = 0; i < 8; ++i)
            many.push_back(client(QString("Cliente %1").arg(i), "", "c@d.pt"));
        WriteAllRecords(m_app->path(DataFile::Clientes), many);
        auto* s = openProducts();
        click(s->Button_StockProdViewEmail);
        QCOMPARE(s->StringGrid_StockProdView_Clients->width(), 289); // room for the scroll bar
        QWidget* bar = s->Panel_StockProdView_ClientsCaption;
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(Dragging);
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 18), bar->mapToGlobal(QPointF(30, 18)), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &move);
        QCOMPARE(s->Panel_StockProdView_Clients->pos(),
                 QPoint(TForm_StockProdView::ChooserLeft - 10, TForm_StockProdView::ChooserTop + 10));
        QMouseEvent far(QEvent::MouseMove, QPointF(-400, 8), bar->mapToGlobal(QPointF(-400, 8)), Qt::NoButton,
                        Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &far);
        QCOMPARE(s->Panel_StockProdView_Clients->x(), 1);
        QVERIFY(!Dragging);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(-400, 8));
    }

    // Every stock screen and both choosers, on the sample company, in both languages.
    void everyStockScreenFitsTheWindow_data()
    {
        AddLanguageRows();
    }
    void everyStockScreenFitsTheWindow()
    {
        QFETCH(QByteArray, language);
        m_app.reset();
        MasterScreens app("Language=" + language + "\r\n");
        copySampleCompany(app.companyFolder());
        for (const char* item : {"menu_ViewStockMatPrima", "menu_ViewStockProduto", "menu_ViewMovimMatPrima",
                                 "menu_ViewMovimProduto", "menu_ViewGlobal"})
            VERIFY_SCREEN_LAYOUT(*app.form, item);
        auto* products = app.open<TForm_StockProdView>("menu_ViewStockProduto");
        click(products->Button_StockProdViewEmail);
        VERIFY_LAYOUT(products->Panel_StockProdView_Clients);
        auto* moves = app.open<TForm_MovimView>("menu_ViewMovimProduto");
        click(moves->Button_MovimDate);
        VERIFY_LAYOUT(moves->Panel_MovimDate);
        QVERIFY(app.messages.texts().isEmpty());
    }
};

QTEST_MAIN(TestStockViews)
#include "tst_stockviews.moc"
