// Product orders through the main window's menu: what each variant lists and how, taking an order
// for editing (a production order keeps its client), the refusals of Delete, Add and Edit checked
// in the bytes of EncomProduto.DAT, and the planning's "Calculate" with its delivery-dates list.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "orders/OrderRecords.h"
#include "orders/TForm_EncomProduto.h"
#include "report/TForm2.h"
#include "shell/RecordEditing.h"
#include "shell/DesktopServices.h"
#include "store/Clock.h"
#include "support/LayoutCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>


using namespace testsupport;

namespace {

// An order of the screen's list: dated, with a second date and a reference.
EncomProdutoRecord listed(const QString& product, const QString& type, const QString& client, const QString& quantity,
                          const QString& date, OrderState state, const QString& delivered = "0")
{
    auto r = order(product, type, client, quantity, delivered, state, date);
    r.secondDate = "30/09/2026";
    r.reference = "E0001";
    return r;
}

FornecedorRecord client(const QString& name)
{
    auto r = EmptyRecord<FornecedorRecord>();
    r.Nome = name;
    return r;
}

QByteArray recordBytes(const EncomProdutoRecord& r) { return QByteArray(reinterpret_cast<const char*>(&r), sizeof r); }

} // namespace

class TestProductOrders : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;
    QString m_orders, m_stock;
    std::vector<EncomProdutoRecord> m_records;

    TForm_EncomProduto* entry() { return m_app->open<TForm_EncomProduto>("menu_EditEncomProduto"); }
    TForm_EncomProduto* planning() { return m_app->open<TForm_EncomProduto>("menu_PlanEncomenda"); }
    int row(TForm_EncomProduto* s, int record) { return rowWith(s->StringGrid6, TForm_EncomProduto::ColRecord, QString::number(record)); }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 9, 10), QTime(10, 0)));
        m_app = std::make_unique<MasterScreens>();
        m_orders = m_app->path(DataFile::EncomProduto);
        m_stock = m_app->path(DataFile::StockProduto);
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector<ProdutoRecord>{product("Mesa", "Pinho", "50", "2"), product("Vaso", "Verde", "20", "0")});
        WriteAllRecords(m_app->path(DataFile::Clientes), std::vector<FornecedorRecord>{client("Ana"), client("Rui")});
        m_records = {listed("Mesa", "Pinho", "Ana", "100", "05/09/2026", OrderActive, "30"),
                     listed("Mesa", "Pinho", "Rui", "50", "01/09/2026", OrderArchived),
                     listed("Vaso", "Verde", "Rui", "10", "03/09/2026", OrderOnHold),
                     listed("Vaso", "Verde", ProductionClient(), "40", "02/09/2026", OrderActive)};
        WriteAllRecords(m_orders, m_records);
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
    }

    // Order entry lists all but archived orders in date order, on hold in blue and production
    // orders in green; planning lists the active ones, read-only, with "Calculate" alone.
    void whatEachVariantLists()
    {
        auto* s = entry();
        QVERIFY(s);
        StringGrid* grid = s->StringGrid6;
        QCOMPARE(columnTexts(grid, TForm_EncomProduto::ColRecord), QStringList({"4", "3", "1"}));
        QCOMPARE(grid->RowTexts(3).mid(0, 11), QStringList({"Mesa", "Pinho", "Ana", "100", "05/09/2026", "30/09/2026", "1",
                                                            "E0001", "2026-09-05", "0", "30"}));
        QCOMPARE(grid->Cells(4, 0), LangText("label_11", "Date"));
        QCOMPARE(grid->StyleOf(0, row(s, 3)).foreground, QColor(0, 0, 255));
        QCOMPARE(grid->StyleOf(2, row(s, 4)).foreground, QColor(0, 128, 0));
        QVERIFY(!grid->StyleOf(0, row(s, 1)).foreground.isValid());
        for (int c = TForm_EncomProduto::ColSecondDate; c < TForm_EncomProduto::ColumnCount; ++c)
            QCOMPARE(grid->ColWidths(c), 0);
        QCOMPARE(s->Edit_EncomendaData->text(), QString("10/09/2026"));
        QVERIFY(s->Button_EncomendaAdd->isVisibleTo(s) && s->CheckBox_EncomendaDone->isVisibleTo(s));
        QVERIFY(!s->Button_EncomendaCalculate->isVisibleTo(s));
        QCOMPARE(s->OrderScreenMode(), QString("encomenda"));
        QCOMPARE(m_app->form->HelpContext(), 242);

        s = planning();
        grid = s->StringGrid6;
        QCOMPARE(columnTexts(grid, TForm_EncomProduto::ColRecord), QStringList({"4", "1"}));
        QVERIFY(s->Button_EncomendaCalculate->isVisibleTo(s));
        QVERIFY(!s->Button_EncomendaAdd->isVisibleTo(s) && !s->Edit_EncomendaQuantExec->isVisibleTo(s));
        QVERIFY(!s->Button_EncomendaDetail->isVisibleTo(s) && !s->Button_EncomendaDetail->isEnabled());
        QVERIFY(!s->Edit_EncomendaQuant->isEnabled() && !s->ComboBox_Produto->isEnabled());
        doubleClickCell(grid, 0, 1); // read-only
        QVERIFY(!IsEditMode(s->Button_EncomendaAdd));
        QCOMPARE(m_app->form->HelpContext(), 32);
    }

    // With the sample company, in both languages at both window sizes: every control inside the
    // screen, none over another, no caption cut; the delivery list likewise.
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
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_EditEncomProduto");
        VERIFY_SCREEN_LAYOUT(*app.form, "menu_PlanEncomenda");
        auto* s = app.open<TForm_EncomProduto>("menu_PlanEncomenda");
        QStringList problems{"not shown"};
        QTimer::singleShot(0, s->ResultWindow(), [&] {
            problems = LayoutProblems(s->ResultWindow());
            s->ResultWindow()->Button_EncomendaClose->click();
        });
        click(s->Button_EncomendaCalculate);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // A production order taken for editing warns and keeps its client; archiving it is stored in
    // place, every other byte as it was, and the order leaves the list.
    void productionOrderKeepsItsClient()
    {
        auto* s = entry();
        const QByteArray before = readFile(m_orders);
        doubleClickCell(s->StringGrid6, 0, row(s, 4));
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[72]}));
        QVERIFY(!s->ComboBox_EncomendaCliente->isEnabled());
        QVERIFY(IsEditMode(s->Button_EncomendaAdd));
        QVERIFY(s->CheckBox_EncomendaDone->isEnabled() && !s->CheckBox_EncomendaDone->isChecked());
        click(s->CheckBox_EncomendaHold);
        click(s->CheckBox_EncomendaDone); // one or the other
        QVERIFY(!s->CheckBox_EncomendaHold->isChecked());
        click(s->Button_EncomendaAdd);
        EncomProdutoRecord expected = m_records[3];
        expected.state = OrderArchived;
        QCOMPARE(readFile(m_orders).mid(3 * 135), recordBytes(expected));
        QCOMPARE(readFile(m_orders).left(3 * 135), before.left(3 * 135));
        QCOMPARE(row(s, 4), 0);
        QVERIFY(s->ComboBox_EncomendaCliente->isEnabled());
        QVERIFY(!IsEditMode(s->Button_EncomendaAdd) && !s->CheckBox_EncomendaDone->isEnabled());
    }

    // Delete needs the clicked row and an inactive order, and asks first.
    void deleteRefusalsAndRemoval()
    {
        auto* s = entry();
        const QByteArray before = readFile(m_orders);
        click(s->Button_EncomendaDelete);
        clickCell(s->StringGrid6, 0, row(s, 1));
        click(s->Button_EncomendaDelete);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[22], LangMsg[59]}));
        m_app->messages.clear();
        clickCell(s->StringGrid6, 0, row(s, 3));
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_EncomendaDelete);
        QCOMPARE(MessageBox::lastText(), QString("Delete record # 3 from data file EncomProduto.DAT\r(line %1 from grid)")
                                                 .arg(row(s, 3)));
        QCOMPARE(readFile(m_orders), before);
        click(s->Button_EncomendaDelete);
        QCOMPARE(readFile(m_orders), before.left(2 * 135) + before.mid(3 * 135));
        QCOMPARE(columnTexts(s->StringGrid6, TForm_EncomProduto::ColRecord), QStringList({"3", "1"}));
    }

    // Add appends exactly the record typed, its quantity normalised; Edit rewrites the record in
    // place, keeping its other fields and the bytes behind shorter texts. Wrong input writes nothing.
    void addAndEditInTheBytes()
    {
        auto* s = entry();
        const QByteArray before = readFile(m_orders);
        clickCell(s->StringGrid6, 0, row(s, 1)); // shows its 30 delivered; a new order has none
        QCOMPARE(s->Edit_EncomendaQuantExec->text(), QString("30"));
        s->ComboBox_Produto->setCurrentIndex(s->ComboBox_Produto->findText("Mesa"));
        s->ComboBox_ProdutoCor->setCurrentIndex(s->ComboBox_ProdutoCor->findText("Pinho"));
        replaceText(s->Edit_EncomendaQuant, "123456789012");
        typeInto(s->ComboBox_EncomendaCliente, "Ana");
        click(s->Button_EncomendaAdd);
        QCOMPARE(MessageBox::lastText(), "'123456789012'" + LangMsg[3]);
        QCOMPARE(s->Edit_EncomendaQuant->text(), QString("0"));
        replaceText(s->ComboBox_EncomendaCliente, "Nova Lda");
        replaceText(s->Edit_EncomendaQuant, "0012.50");
        m_app->messages.answer(MessageBox::Cancel);
        click(s->Button_EncomendaAdd);
        QCOMPARE(MessageBox::lastText(), LangMsg[35]);
        QCOMPARE(readFile(m_orders), before);

        replaceText(s->ComboBox_EncomendaCliente, "Ana");
        click(s->Button_EncomendaAdd);
        const QByteArray added = field(30, "Mesa") + field(20, "Pinho") + field(30, "Ana") + field(10, "12.5")
                                 + field(10, "10/09/2026") + field(10, "") + field(6, "") + field(10, "0") + QByteArray(1, '\0');
        QCOMPARE(readFile(m_orders), before + added);
        QCOMPARE(s->Edit_EncomendaQuant->text(), QString("0"));
        QCOMPARE(s->ComboBox_EncomendaCliente->currentText(), QString());

        doubleClickCell(s->StringGrid6, 0, row(s, 1));
        QCOMPARE(s->Edit_EncomendaQuantExec->text(), QString("30"));
        replaceText(s->Edit_EncomendaQuant, "90");
        click(s->CheckBox_EncomendaHold);
        click(s->Button_EncomendaAdd);
        QByteArray edited = before.left(135);
        edited[83] = 2;
        edited.replace(84, 2, "90"); // "100" becomes "90", its last "0" stays behind
        edited[134] = char(OrderOnHold);
        QCOMPARE(readFile(m_orders), edited + before.mid(135) + added);
        QCOMPARE(s->StringGrid6->StyleOf(0, row(s, 1)).foreground, QColor(0, 0, 255));
    }

    // "Calculate" brings StockProduto.DAT up to date, shows the delivery dates below the main
    // window with a beep, names the product without a rate once the list is on screen, and
    // alternates with "Detail ...".
    void calculateShowsTheDeliveryDates()
    {
        ScopedRecordingDesktop desktop;
        auto* s = planning();
        TForm2* form2 = s->ResultWindow();
        QStringList rows, titles;
        bool shown = false, alternated = false;
        int messagesWhileShown = -1;
        QTimer::singleShot(0, form2, [&] {
            shown = form2->isVisible() && form2->ShownPanel() == TForm2::PanelEncomenda;
            alternated = !s->Button_EncomendaCalculate->isEnabled() && s->Button_EncomendaDetail->isEnabled();
            titles = form2->StringGrid6->RowTexts(0).mid(0, 9);
            for (int r = 1; r < form2->StringGrid6->RowCount(); ++r)
                rows << form2->StringGrid6->RowTexts(r).join('|');
            QTimer::singleShot(0, form2, [&] {
                messagesWhileShown = m_app->messages.count();
                form2->Button_EncomendaClose->click();
            });
        });
        click(s->Button_EncomendaCalculate);
        QVERIFY(shown && alternated);
        QCOMPARE(titles, QStringList({LangText("label_31", "Produto"), LangText("label_6", "Tipo"),
                                      LangText("label_StockNew", "Stock (new)"), LangText("label_39", "Reservado"),
                                      LangText("label_98", "Clientes"), LangText("label_96", "Disponivel"),
                                      LangText("label_97", "Quant/dia"), LangText("label_99", "Dias"),
                                      LangText("label_47", "Data Final")}));
        // 24 hours x 50 cycles x 2 moulds = 2400 a day for the 70 open: today; no moulds, no date.
        QCOMPARE(rows, QStringList({"Mesa|Pinho|0|70| |-70|2400|0.0|10/09/2026|10/09/2026|2026-09-10|Ana\r",
                                    "Vaso|Verde|0|40| |-40|0|||10/09/2026|9999-99-99|" + ProductionClient() + "\r"}));
        QCOMPARE(messagesWhileShown, 1);
        QVERIFY(MessageBox::lastText().contains("Vaso Verde"));
        QVERIFY(desktop->calls.contains("beep"));
        QCOMPARE(form2->Label_caption->text(), LangTitle[21]);
        QVERIFY(s->Button_EncomendaCalculate->isEnabled() && !s->Button_EncomendaDetail->isEnabled());
        QCOMPARE(CurrentGrid.data(), s->StringGrid6);
        const auto stock = recordsOf<StockProdutoRecord>(m_stock);
        QCOMPARE(stock.size(), size_t(2));
        QCOMPARE(stock[0].ordered.text(), QString("70"));
        QCOMPARE(stock[1].available.text(), QString("-40"));
    }

    // Nothing to calculate, or a text that is no number: a message, no list and no file changed.
    void calculateRefusals()
    {
        m_records[0].delivered = "3O";
        WriteAllRecords(m_orders, m_records);
        auto* s = planning();
        click(s->Button_EncomendaCalculate);
        QVERIFY(MessageBox::lastText().contains("'3O'"));
        QVERIFY(!QFileInfo::exists(m_stock));
        QVERIFY(!s->ResultWindow()->isVisible());

        WriteAllRecords(m_orders, std::vector<EncomProdutoRecord>{m_records[1]});
        s = planning();
        click(s->Button_EncomendaCalculate);
        QCOMPARE(MessageBox::lastText(), LangMsg[19]);
    }
};

QTEST_MAIN(TestProductOrders)
#include "tst_productorders.moc"
