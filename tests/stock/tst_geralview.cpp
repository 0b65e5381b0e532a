// The global view: which stock records it lists, its layout rule and hints, and the product and
// raw-material details in the result lists window.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "report/TForm2.h"
#include "shell/DesktopServices.h"
#include "stock/StockTestSupport.h"
#include "stock/GlobalView.h"
#include "stock/TForm_GeralView.h"
#include "store/Clock.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <functional>

using namespace testsupport;

namespace {

// Runs open (which shows the list window modally); look sees the window while it is shown, and
// its Close button closes it. Returns whether the window was seen.
bool withDetail(const std::function<void()>& open, const std::function<void(TForm2&)>& look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        if (!form)
            return;
        seen = true;
        look(*form);
        form->Button_GeralViewClose->click();
    });
    open();
    return seen;
}

} // namespace

class TestGeralView : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;

    TForm_GeralView* openScreen() { return m_app->open<TForm_GeralView>("menu_ViewGlobal"); }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
        m_app = std::make_unique<MasterScreens>();
    }
    void cleanup()
    {
        m_app.reset();
        Clock::clearFixed();
    }

    void withoutStockFilesTwoEmptyLists()
    {
        auto* s = openScreen();
        QVERIFY(s);
        QCOMPARE(s->StringGrid20->RowCount(), 2);
        QCOMPARE(s->StringGrid21->RowCount(), 2);
        QCOMPARE(s->StringGrid20->Cells(0, 1), QString());
        QCOMPARE(m_app->messages.count(), 0);
        QVERIFY(!s->Button_GeralViewDetail->isEnabled());
        // Nothing to detail.
        doubleClickCell(s->StringGrid20, 0, 1);
        QCOMPARE(m_app->messages.count(), 0);
    }

    void listsLayoutAndHints()
    {
        WriteAllRecords(m_app->path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stockProduct("Copo", "Azul", "1", "-2.5", "3.5"),
                                                        stockProduct("Copo", "Verde", "4", "0")});
        WriteAllRecords(m_app->path(DataFile::StockMateria),
                        std::vector<StockMateriaRecord>{stockMaterial("Cola", "9", "0"), stockMaterial("Resina", "1", "3"),
                                                        stockMaterial("Tinta", "3", "3")});
        auto* s = openScreen();
        QCOMPARE(s->StringGrid20->RowTexts(1), QStringList({"Copo", "Azul", "1", "3.5", "-2.5", "1"}));
        QCOMPARE(s->StringGrid20->RowCount(), 2);
        QCOMPARE(columnTexts(s->StringGrid21, 0), QStringList({"Resina", "Tinta"}));
        QCOMPARE(columnTexts(s->StringGrid21, 4), QStringList({"-2", "0"}));
        QCOMPARE(s->StringGrid21->StyleOf(4, 1).foreground, QColor(255, 0, 0));
        QCOMPARE(s->StringGrid21->StyleOf(4, 2).foreground, QColor(255, 0, 0));
        QCOMPARE(s->StringGrid20->StyleOf(4, 1).foreground, QColor(255, 0, 0));
        QCOMPARE(s->StringGrid21->Cells(2, 0), s->StringGrid20->Cells(2, 0));
        QCOMPARE(s->StringGrid21->Cells(1, 0), LangText("label_14", "Encomendas"));
        // Heights of the two lists from the screen's height.
        QCOMPARE(s->StringGrid20->height(), (s->height() - 99) / 2);
        QCOMPARE(s->StringGrid21->height(), (s->height() - 67) / 2);
        // The hints name the menu items as the menu shows them.
        const QString global = m_app->form->MenuItem("menu_ViewGlobal")->text();
        QVERIFY(global.contains('&'));
        const GlobalView::Hints hints = GlobalView::HintTexts(
            global, m_app->form->MenuItem("menu_Plan")->text(), m_app->form->MenuItem("menu_PlanStockMatPrima")->text(),
            m_app->form->MenuItem("menu_PlanEncomenda")->text());
        auto shown = [](const QLabel* l) {
            return QTextDocumentFragment::fromHtml(l->text()).toPlainText().replace(QChar(0xA0), ' ');
        };
        QCOMPARE(shown(s->Label3), QString(hints.label3).remove('&'));
        QCOMPARE(shown(s->Label1), QString(hints.label1).remove('&').replace('\r', '\n'));
        QVERIFY(s->Label1->text().contains("<u>"));
        QVERIFY(hints.label1.contains(LangText("label_65", "Calculate")));
    }

    void productDetail()
    {
        WriteAllRecords(m_app->path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stockProduct("Copo", "Azul", "0", "-110", "110"),
                                                        stockProduct("Kit", "Festa", "0", "-1", "0")});
        WriteAllRecords(m_app->path(DataFile::EncomProduto),
                        std::vector<EncomProdutoRecord>{order("Copo", "Azul", "Loja", "100", "40", OrderActive, kOrderDate),
                                                        order("Copo", "Azul", "Loja", "30", "0", OrderArchived, kOrderDate),
                                                        order("Copo", "Azul", "Bar", "50", "0", OrderActive, kOrderDate)});
        ScopedRecordingDesktop desktop;
        auto* s = openScreen();
        QStringList lastRow, firstRow, titles;
        QString caption, date;
        bool closeEnabled = true;
        const bool seen = withDetail([&] { doubleClickCell(s->StringGrid20, 0, 1); },
                                     [&](TForm2& f) {
                                         StringGrid* g = f.StringGrid201;
                                         titles = g->RowTexts(0);
                                         firstRow = g->RowTexts(1);
                                         lastRow = g->RowTexts(g->RowCount() - 1);
                                         QCOMPARE(g->RowCount(), 5);
                                         QCOMPARE(g->Cells(5, 2), QString("-50"));
                                         QCOMPARE(g->RowTexts(3).join(""), QString());
                                         caption = f.Label_caption->text();
                                         date = f.Label7->text();
                                         closeEnabled = s->Button_GeralViewClose->isEnabled();
                                         QCOMPARE(f.ShownPanel(), int(TForm2::PanelGeralView));
                                     });
        QVERIFY(seen);
        QCOMPARE(firstRow, QStringList({"Copo Azul", "Loja", "100", "10/02/2026", "40", "-60", ""}));
        QCOMPARE(lastRow.value(4), QString("Total:"));
        QCOMPARE(lastRow.value(5), QString("110"));
        QCOMPARE(titles.value(1), LangText("label_4", "Cliente"));
        QCOMPARE(titles.value(5), QString(" (dif.)"));
        QCOMPARE(caption, LangTitle[23]);
        QCOMPARE(date, QString("15/03/2026"));
        QVERIFY(!closeEnabled);
        QVERIFY(s->Button_GeralViewClose->isEnabled());
        QCOMPARE(desktop->calls, QStringList({"beep"}));

        // The Detail button opens the detail of the clicked row; nothing ordered: a message.
        clickCell(s->StringGrid20, 0, 2);
        QVERIFY(s->Button_GeralViewDetail->isEnabled());
        QCOMPARE(CurrentGrid.data(), s->StringGrid20);
        click(s->Button_GeralViewDetail);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[19]}));
    }

    void materialDetailFromTheDetailButton()
    {
        WriteAllRecords(m_app->path(DataFile::StockProduto),
                        std::vector<StockProdutoRecord>{stockProduct("Copo", "Azul", "1", "-2.5", "3.5"),
                                                        stockProduct("Tampa", "Azul", "0", "-1", "1")});
        WriteAllRecords(m_app->path(DataFile::StockMateria),
                        std::vector<StockMateriaRecord>{stockMaterial("Resina", "1", "3"), stockMaterial("Tinta", "0", "0.5")});
        WriteAllRecords(m_app->path(DataFile::Produtos),
                        std::vector<ProdutoRecord>{compositionLine("Copo", "Azul", "Resina", "0.5"),
                                                   compositionLine("Copo", "Azul", "Tinta", "1", "lt"),
                                                   compositionLine("Tampa", "Azul", "Resina", "2")});
        auto* s = openScreen();
        clickCell(s->StringGrid21, 0, 1);
        QCOMPARE(CurrentGrid.data(), s->StringGrid21);
        std::vector<QStringList> rows;
        QStringList titles;
        const bool seen = withDetail([&] { click(s->Button_GeralViewDetail); }, [&](TForm2& f) {
            titles = f.StringGrid201->RowTexts(0);
            for (int r = 1; r < f.StringGrid201->RowCount(); ++r)
                rows.push_back(f.StringGrid201->RowTexts(r));
        });
        QVERIFY(seen);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0], QStringList({"Copo Azul", "1", "3.5", "-2.5", "-1.25", "kg", ""}));
        QCOMPARE(rows[1].value(4), QString("-2"));
        QCOMPARE(titles.value(4), LangText("label_101", "Mat. Prima"));
        QCOMPARE(titles.value(5), QString("un."));
        QCOMPARE(CurrentGrid.data(), s->StringGrid21);
    }

    void closingReleasesTheListWindow()
    {
        auto* s = openScreen();
        QPointer<TForm2> form = s->ListWindow();
        QVERIFY(form);
        click(s->Button_GeralViewClose);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
    }
};

QTEST_MAIN(TestGeralView)
#include "tst_geralview.moc"
