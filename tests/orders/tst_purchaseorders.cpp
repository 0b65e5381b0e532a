// Purchase orders (TForm_CompraMateria) as Orders > Raw Material opens them: the list without the
// archived orders, its hidden columns and colours; the material-supplier pair found, filled into
// an empty supplier field or added as a new line, and refused; a new supplier; Edit and archive;
// Delete of inactive orders only; every write checked in the bytes of the files.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "orders/OrderColours.h"
#include "orders/OrderViewFixtures.h"
#include "orders/TForm_CompraMateria.h"
#include "orders/TForm_EncomendaView.h"
#include "shell/RecordEditing.h"
#include "shell/ScreenControls.h"
#include "store/Clock.h"
#include "support/LayoutCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace testsupport;

namespace {

const QByteArray kMaterials = materiaPrima("PP", "PP-H", "1.42", "Resinas", "kg") + materiaPrima("Ink", "INK-1", "6.4", "", "kg");
const QByteArray kSuppliers = fornecedor("Resinas") + fornecedor("Cores");
const QByteArray kOrders = encomMateria("PP", "PP-H", "Resinas", "500", "0", OrderActive, "02/11/2026")
                           + encomMateria("PP", "PP-H", "Resinas", "300", "300", OrderArchived, "03/11/2026")
                           + encomMateria("Ink", "", "Cores", "20", "5", OrderOnHold, "04/11/2026", "")
                           + encomMateria("PP", "PP-H", "Cores", "9", "0", 3, "05/11/2026");

// A new order as the screen writes it into an empty record.
QByteArray newOrder(const QByteArray& material, const QByteArray& ref, const QByteArray& supplier, const QByteArray& quantity,
                    const QByteArray& cost, const QByteArray& date = "09/12/2026")
{
    return field(40, material) + field(15, ref) + field(30, supplier) + field(10, quantity) + field(10, date)
           + field(10, "") + field(6, "") + field(10, "0") + field(10, cost) + QByteArray(1, '\0');
}

void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVALE_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + '/' + name + ".png");
}

} // namespace

class TestPurchaseOrders : public QObject {
    Q_OBJECT
    std::unique_ptr<MasterScreens> m_app;
    QString m_orders, m_materials, m_suppliers;

    TForm_CompraMateria* openScreen() { return m_app->open<TForm_CompraMateria>("menu_EditEncomMatPrima"); }
    // Material, supplier and quantity of a new order (the date box shows today).
    void enter(TForm_CompraMateria* s, const QString& material, const QString& supplier, const QString& quantity)
    {
        s->ComboBox_CompraMateria->setCurrentIndex(s->ComboBox_CompraMateria->findText(material));
        replaceText(s->ComboBox_CompraFornecedor, supplier);
        replaceText(s->Edit_CompraQuant, quantity);
    }

private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0))); }
    void cleanupTestCase() { Clock::clearFixed(); }
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        m_orders = m_app->path(DataFile::EncomMateria);
        m_materials = m_app->path(DataFile::MateriasPrimas);
        m_suppliers = m_app->path(DataFile::Fornecedores);
        writeFile(m_orders, kOrders);
        writeFile(m_materials, kMaterials);
        writeFile(m_suppliers, kSuppliers);
    }
    void cleanup() { m_app.reset(); }

    // Archived orders are not listed; an empty second date shows today, an empty material reference
    // a blank; on hold is blue and state 3 green; showing changes no record.
    void listsOpenOrders()
    {
        auto* s = openScreen();
        QCOMPARE(CurrentGrid->ScreenTitle(), LangTitle[8]);
        QCOMPARE(m_app->form->HelpContext(), 241);
        StringGrid* grid = s->StringGrid19;
        QCOMPARE(columnTexts(grid, TForm_CompraMateria::ColRecord), QStringList({"1", "3", "4"}));
        QCOMPARE(grid->RowTexts(2).mid(0, 13), QStringList({"Ink", "Cores", "20", "04/11/2026", " ", "09/12/2026", "3",
                                                            "C0001", "2026-11-04", "2", "5", " ", "1.5"}));
        QCOMPARE(grid->Cells(5, 1), QString("16/11/2026"));
        QCOMPARE(grid->StyleOf(0, 2).foreground, OnHoldOrderColour);
        QCOMPARE(grid->StyleOf(1, 3).foreground, ProductionOrderColour);
        QVERIFY(!grid->StyleOf(0, 1).foreground.isValid());
        QCOMPARE(s->Label135->text(), QString("3"));
        QCOMPARE(grid->Cells(0, 0), LangText("label_23", QString::fromUtf8("Matéria Prima")));
        QCOMPARE(s->Edit_CompraData->text(), QString("09/12/2026"));
        QCOMPARE(s->ComboBox_CompraMateria->count(), 2);
        QCOMPARE(readFile(m_orders), kOrders);
    }

    // A material without a supplier yet, ordered from a known supplier: after the pair message and
    // the question, its line takes the supplier (no line is added) and the order its reference and
    // price.
    void pairFillsAnEmptySupplierField()
    {
        auto* s = openScreen();
        enter(s, "Ink", "Resinas", "40");
        click(s->Button_CompraAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[60], LangMsg[34]}));
        QCOMPARE(readFile(m_materials), put(kMaterials, 105, 1, 68, "Resinas"));
        QCOMPARE(readFile(m_suppliers), kSuppliers);
        QCOMPARE(readFile(m_orders), kOrders + newOrder("Ink", "INK-1", "Resinas", "40", "6.4"));
        // The screen is ready for the next order.
        QCOMPARE(s->Edit_CompraQuant->text(), QString("0"));
        QCOMPARE(s->ComboBox_CompraFornecedor->currentText(), QString());
        QCOMPARE(s->Edit_MateriaCusto->text(), QString("0"));
        QCOMPARE(s->StringGrid19->RowCount(), 5);
    }

    // A material ordered from a second, new supplier: a new line with Referencia " ", Preco "0" and
    // Un "un", then the supplier of its own; Cancel at the pair question writes nothing, Cancel at
    // the supplier question keeps the pair and stores no order.
    void secondSupplierAddsALine()
    {
        auto* s = openScreen();
        enter(s, "PP", "Outro", "7");
        m_app->messages.answer(MessageBox::Ok).answer(MessageBox::Cancel);
        click(s->Button_CompraAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[60], LangMsg[34]}));
        QCOMPARE(readFile(m_materials), kMaterials);
        QCOMPARE(readFile(m_orders), kOrders);

        m_app->messages.clear();
        m_app->messages.answer(MessageBox::Ok).answer(MessageBox::Ok).answer(MessageBox::Cancel);
        click(s->Button_CompraAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[60], LangMsg[34], LangMsg[33]}));
        const QByteArray pair = field(40, "PP") + field(15, " ") + field(10, "0") + field(30, "Outro") + field(5, "un");
        QCOMPARE(readFile(m_materials), kMaterials + pair);
        QCOMPARE(readFile(m_suppliers), kSuppliers);
        QCOMPARE(readFile(m_orders), kOrders);

        m_app->messages.clear();
        click(s->Button_CompraAdd); // the pair is there now: only the supplier is asked for
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[33]}));
        QCOMPARE(readFile(m_materials), kMaterials + pair);
        QCOMPARE(readFile(m_suppliers), kSuppliers + field(30, "Outro") + field(15, "") + field(15, "") + field(15, "")
                                            + field(150, "") + field(35, ""));
        QCOMPARE(readFile(m_orders), kOrders + newOrder("PP", " ", "Outro", "7", "0"));
        QVERIFY(FindExact(s->ComboBox_CompraFornecedor, "Outro") >= 0);
    }

    // Edit replaces the record of the row, keeping its second date and the bytes behind each text;
    // archiving takes it off the list. A new order after a click on a row has received nothing.
    void editArchivesAndNewOrdersStartEmpty()
    {
        auto* s = openScreen();
        QVERIFY(!s->CheckBox_CompraHold->isEnabled());
        doubleClickCell(s->StringGrid19, 0, 1);
        QVERIFY(IsEditMode(s->Button_CompraAdd));
        QVERIFY(s->CheckBox_CompraDone->isEnabled() && !s->CheckBox_CompraDone->isChecked());
        QCOMPARE(s->Edit_CompraMateriaRef->text(), QString("PP-H"));
        replaceText(s->Edit_CompraQuant, "450");
        s->CheckBox_CompraDone->setChecked(true);
        click(s->Button_CompraAdd);
        QCOMPARE(m_app->messages.count(), 0);
        QByteArray expected = put(kOrders, 151, 0, 88, "450");
        expected = put(expected, 151, 0, 139, "1.42"); // the pair's price
        expected[Off::EMstate] = char(OrderArchived);
        QCOMPARE(readFile(m_orders), expected);
        QCOMPARE(columnTexts(s->StringGrid19, TForm_CompraMateria::ColRecord), QStringList({"3", "4"}));
        QVERIFY(!IsEditMode(s->Button_CompraAdd));

        clickCell(s->StringGrid19, 0, 1); // the order on hold: 5 received
        QCOMPARE(s->Edit_CompraQuantExec->text(), QString("5"));
        enter(s, "PP", "Resinas", "12,5"); // the key filter keeps the point locale's characters
        QCOMPARE(s->Edit_CompraQuant->text(), QString("125"));
        click(s->Button_CompraAdd);
        // The date of the edited order stays in its box.
        QCOMPARE(readFile(m_orders), expected + newOrder("PP", "PP-H", "Resinas", "125", "1.42", "02/11/2026"));
    }

    // Delete needs the selected row, refuses active orders, asks, then removes the record. A
    // quantity that is no number is refused and reset.
    void deleteAndBadQuantity()
    {
        auto* s = openScreen();
        click(s->Button_CompraDelete);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[22]}));
        m_app->messages.clear();
        clickCell(s->StringGrid19, 0, 1);
        click(s->Button_CompraDelete);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[59]}));
        m_app->messages.clear();
        clickCell(s->StringGrid19, 0, 2);
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_CompraDelete);
        QCOMPARE(m_app->messages.texts(),
                 QStringList({"Delete record # 3 from file EncomMateria.DAT\r and line 2 from grid StringGrid19"}));
        QCOMPARE(readFile(m_orders), kOrders);
        click(s->Button_CompraDelete);
        QCOMPARE(readFile(m_orders), kOrders.left(2 * 151) + kOrders.mid(3 * 151));
        QCOMPARE(columnTexts(s->StringGrid19, TForm_CompraMateria::ColRecord), QStringList({"1", "3"}));

        m_app->messages.clear();
        enter(s, "PP", "Resinas", "1");
        s->Edit_CompraQuant->setText("1.2.3");
        click(s->Button_CompraAdd);
        // Leaving the box says it first; the store then refuses it.
        QCOMPARE(m_app->messages.texts(), QStringList({"'1.2.3'" + LangMsg[4], "'1.2.3'" + LangMsg[3]}));
        QCOMPARE(s->Edit_CompraQuant->text(), QString("0"));
        QCOMPARE(readFile(m_orders), kOrders.left(2 * 151) + kOrders.mid(3 * 151));
    }

    // With the sample company, in both languages at both window sizes: the purchase orders and both
    // orders views fit, nothing overlaps, no caption is cut; pictures for a person to look at.
    void screensFitTheWindow_data()
    {
        AddLanguageRows();
    }
    void screensFitTheWindow()
    {
        QFETCH(QByteArray, language);
        m_app = std::make_unique<MasterScreens>("Language=" + language + "\r\n");
        copySampleCompany(m_app->companyFolder());
        for (const char* item : {"menu_EditEncomMatPrima", "menu_ViewEncomMatPrima", "menu_ViewEncomProduto"}) {
            VERIFY_SCREEN_LAYOUT(*m_app->form, item);
            saveShot(m_app->form.get(), QString(language) + "_" + item);
        }
        // The filter's items in two columns.
        auto* view = qobject_cast<TForm_EncomendaView*>(m_app->form->CurrentScreen());
        QVERIFY(view);
        view->ComboBox_EncomendaView->showPopup();
        QVERIFY(view->ComboBox_EncomendaView->view()->isVisible());
        saveShot(view->ComboBox_EncomendaView->view()->window(), QString(language) + "_orders_filter");
        view->ComboBox_EncomendaView->hidePopup();
        QCOMPARE(m_app->messages.count(), 0);
    }
};

QTEST_MAIN(TestPurchaseOrders)
#include "tst_purchaseorders.moc"
