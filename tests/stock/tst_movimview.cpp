// The movements view of raw materials and of products: the file of each command, the totals, the
// item and type filters, the date-range chooser, the sorting rules of the title row, the colours,
// and damaged records.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "stock/StockTestSupport.h"
#include "stock/TForm_MovimView.h"
#include "store/Clock.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace testsupport;

class TestMovimView : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;

    TForm_MovimView* openMaterials() { return m_app->open<TForm_MovimView>("menu_ViewMovimMatPrima"); }
    TForm_MovimView* openProducts() { return m_app->open<TForm_MovimView>("menu_ViewMovimProduto"); }
    void writeMaterials(const std::vector<MovimRecord>& records)
    {
        WriteAllRecords(m_app->path(DataFile::MovimMateria), records);
    }
    static QStringList totals(TForm_MovimView* s)
    {
        return {s->Edit_MovimViewEntradas->text(), s->Edit_MovimViewSaidas->text(), s->Edit_MovimViewTotal->text()};
    }
    static void limit(TForm_MovimView* s, const QString& from, const QString& to)
    {
        click(s->Button_MovimDate);
        replaceText(s->Edit_MovimDateFrom, from);
        replaceText(s->Edit_MovimDateTo, to);
        click(s->Button_MovimDateOk);
    }

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

    void eachCommandReadsItsFile()
    {
        QVERIFY(!openMaterials());
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[21]}));
        writeMaterials({movementRecord("Resina", "5", "01/03/2026")});
        WriteAllRecords(m_app->path(DataFile::MovimProduto),
                        std::vector<MovimRecord>{movementRecord("Copo Azul", "7", "02/03/2026", "EP"),
                                                 movementRecord("Copo Azul", "-1", "03/03/2026", "SE")});
        auto* m = openMaterials();
        QVERIFY(m);
        QCOMPARE(m->StringGrid10->ScreenTitle(), LangTitle[14]);
        QCOMPARE(m->Label59->text(), LangText("label_23", QString::fromUtf8("Matéria Prima")));
        QCOMPARE(columnTexts(m->StringGrid10, 0), QStringList({"Resina"}));
        auto* p = openProducts();
        QVERIFY(p);
        QCOMPARE(p->StringGrid10->ScreenTitle(), LangTitle[15]);
        QCOMPARE(p->StringGrid10->Cells(0, 0), LangText("label_31", "Produto"));
        QCOMPARE(p->Edit_MovimViewRec->text(), QString("2"));
        QCOMPARE(p->StringGrid10->RowTexts(2),
                 QStringList({"Copo Azul", "-1", "SE", "03/03/2026", "03/03/2026", "2026-03-03", "2", ""}));
        QCOMPARE(p->ComboBox_MovimType->count(), 10);
        QCOMPARE(p->ComboBox_MovimType->itemText(7), LangText("label_118", QString::fromUtf8("HP- horas de produção")));
        QVERIFY(!p->Button_MovimDelete->isVisible());
    }

    void totalsAndTheLatestDate()
    {
        writeMaterials({movementRecord("Resina", "10", "05/01/2026"), movementRecord("Resina", "-4", "20/02/2026", "SS"),
                        movementRecord("Tinta", "0", "01/02/2026", "AS")});
        auto* s = openMaterials();
        QCOMPARE(totals(s), QStringList({"10", "-4", "6"}));
        QCOMPARE(s->Edit_MovimViewDate->text(), QString("20/02/2026"));
        QCOMPARE(s->Edit_MovimViewRec->text(), QString("3"));
        QCOMPARE(s->ComboBox_MovimView->currentText(), QString("( show all )"));
        // Exits red; production hours teal whatever their sign.
        QCOMPARE(s->StringGrid10->StyleOf(1, rowWith(s->StringGrid10, 1, "-4")).foreground, QColor(255, 0, 0));
        QVERIFY(s->StringGrid10->StyleOf(1, rowWith(s->StringGrid10, 1, "10")).foreground != QColor(255, 0, 0));
        clickCell(s->StringGrid10, 0, rowWith(s->StringGrid10, 1, "-4"));
        QCOMPARE(s->Edit_MovimViewType->text(), QString("SS"));
        QCOMPARE(s->Edit_MovimViewRec->text(), QString("2"));
    }

    void emptyFileShowsOneEmptyRow()
    {
        writeMaterials({});
        auto* s = openMaterials();
        QCOMPARE(s->StringGrid10->RowCount(), 2);
        QCOMPARE(s->StringGrid10->RowTexts(1).join(""), QString());
        QCOMPARE(totals(s), QStringList({"0", "0", "0"}));
        click(s->Button_MovimDate);
        QCOMPARE(s->Edit_MovimDateFrom->text(), QString("15/03/2026"));
        QCOMPARE(s->Edit_MovimDateTo->text(), QString("02/06/1905"));
    }

    void itemAndTypeFilters()
    {
        writeMaterials({movementRecord("Resina", "10", "05/01/2026", "SS"), movementRecord("Resina", "-4", "20/02/2026", "S"),
                        movementRecord("Tinta", "-1", "01/03/2026", "SS"), movementRecord("Tinta", "3", "02/03/2026", "ES")});
        auto* s = openMaterials();
        s->ComboBox_MovimType->setCurrentIndex(1); // "SS- ..."
        QCOMPARE(columnTexts(s->StringGrid10, 6), QStringList({"1", "3"}));
        QCOMPARE(totals(s), QStringList({"10", "-1", "9"}));
        QCOMPARE(s->Edit_MovimViewDate->text(), QString("01/03/2026"));
        s->ComboBox_MovimView->setCurrentIndex(s->ComboBox_MovimView->findText("Tinta"));
        QCOMPARE(columnTexts(s->StringGrid10, 6), QStringList({"3"}));
        s->ComboBox_MovimType->setCurrentIndex(8); // "SE- ...": none
        QCOMPARE(s->StringGrid10->RowCount(), 2);
        QCOMPARE(s->StringGrid10->Cells(0, 1), QString());
        QCOMPARE(totals(s), QStringList({"0", "0", "0"}));
        QCOMPARE(s->Edit_MovimViewDate->text(), QString("02/06/1905"));
    }

    void dateRangeChooser()
    {
        writeMaterials({movementRecord("Resina", "10", "05/01/2026"), movementRecord("Resina", "-4", "20/02/2026"),
                        movementRecord("Tinta", "2", "01/03/2026")});
        auto* s = openMaterials();
        click(s->Button_MovimDate);
        QVERIFY(s->ChooserShown());
        QCOMPARE(s->Panel_MovimDate->x(), TForm_MovimView::ChooserLeft);
        QCOMPARE(s->Edit_MovimDateFrom->text(), QString("05/01/2026"));
        QCOMPARE(s->Edit_MovimDateTo->text(), QString("01/03/2026"));
        for (QWidget* w : {static_cast<QWidget*>(s->Button_MovimDate), static_cast<QWidget*>(s->Button_MovimViewClose),
                           static_cast<QWidget*>(s->ComboBox_MovimView), static_cast<QWidget*>(s->Button_MovimDelete)})
            QVERIFY(!w->isEnabled());
        // The small bars step a day: up adds one, down takes one off.
        s->ScrollBar_MovimDateTo->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s->Edit_MovimDateTo->text(), QString("02/03/2026"));
        s->ScrollBar_MovimDateFrom->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->Edit_MovimDateFrom->text(), QString("04/01/2026"));
        QCOMPARE(s->ScrollBar_MovimDateFrom->value(), 0);

        // To before From is refused; the chooser stays and the list is unchanged.
        replaceText(s->Edit_MovimDateFrom, "21/02/2026");
        replaceText(s->Edit_MovimDateTo, "20/02/2026");
        click(s->Button_MovimDateOk);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[10]}));
        QVERIFY(s->ChooserShown());
        QCOMPARE(s->StringGrid10->RowCount(), 4);

        // Both ends are kept.
        replaceText(s->Edit_MovimDateFrom, "20/02/2026");
        replaceText(s->Edit_MovimDateTo, "01/03/2026");
        click(s->Button_MovimDateOk);
        QVERIFY(!s->ChooserShown());
        QVERIFY(s->Button_MovimViewClose->isEnabled() && s->ComboBox_MovimView->isEnabled());
        QCOMPARE(columnTexts(s->StringGrid10, 6), QStringList({"2", "3"}));
        QCOMPARE(totals(s), QStringList({"2", "-4", "-2"}));
        QCOMPARE(s->Edit_MovimViewDate->text(), QString("01/03/2026"));
        // The next filter lists every date again.
        s->ComboBox_MovimType->setCurrentIndex(1);
        s->ComboBox_MovimType->setCurrentIndex(0);
        QCOMPARE(s->StringGrid10->RowCount(), 4);

        // A text that is no date is named; cancel and the caption's close button leave the list.
        click(s->Button_MovimDate);
        replaceText(s->Edit_MovimDateFrom, "31/02/2026");
        m_app->messages.clear();
        click(s->Button_MovimDateOk);
        QCOMPARE(m_app->messages.count(), 1);
        QVERIFY(m_app->messages.texts().first().startsWith("'31/02/2026'"));
        click(s->Button_MovimDateCancel);
        QVERIFY(!s->ChooserShown());
        click(s->Button_MovimDate);
        s->SpeedButton_MovimDateClose->click();
        QVERIFY(!s->ChooserShown() && s->Button_MovimDate->isEnabled());
        QCOMPARE(s->StringGrid10->RowCount(), 4);
    }

    void titleRowSortingRules()
    {
        writeMaterials({movementRecord("B", "1", "05/01/2026", "ES", "09/01/2026"),
                        movementRecord("A", "2", "20/12/2025", "ES", "01/01/2026"),
                        movementRecord("C", "3", "01/02/2026", "ES", "02/01/2026")});
        auto* s = openMaterials();
        QCOMPARE(columnTexts(s->StringGrid10, 0), QStringList({"A", "B", "C"})); // by date
        pressTitle(s->StringGrid10, 1);
        pressTitle(s->StringGrid10, 0);
        QCOMPARE(columnTexts(s->StringGrid10, 0), QStringList({"A", "B", "C"}));
        pressTitle(s->StringGrid10, 1);
        pressTitle(s->StringGrid10, 4); // the real date does not sort
        QCOMPARE(columnTexts(s->StringGrid10, 1), QStringList({"1", "2", "3"}));
        pressTitle(s->StringGrid10, 3); // movement dates in date order, not as text
        QCOMPARE(columnTexts(s->StringGrid10, 3), QStringList({"20/12/2025", "05/01/2026", "01/02/2026"}));
    }

    void productionHoursInTeal()
    {
        WriteAllRecords(m_app->path(DataFile::MovimProduto),
                        std::vector<MovimRecord>{movementRecord("Copo Azul", "-8", "02/03/2026", "HP")});
        auto* s = openProducts();
        QCOMPARE(s->StringGrid10->StyleOf(1, 1).foreground, QColor(0, 128, 128));
    }

    void damagedDatesAreNamedOnceAndListed()
    {
        writeMaterials({movementRecord("Resina", "10", "05/01/2026"), movementRecord("Resina", "1", "3x/02/2026"),
                        movementRecord("Tinta", "1", "")});
        auto* s = openMaterials();
        QVERIFY(s);
        QCOMPARE(m_app->messages.count(), 1);
        const QString text = m_app->messages.texts().first();
        QVERIFY(text.contains("record 2 (Resina): movement date '3x/02/2026'"));
        QVERIFY(text.contains("record 3 (Tinta): movement date ''"));
        QCOMPARE(s->StringGrid10->RowCount(), 4);
        QCOMPARE(s->Edit_MovimViewDate->text(), QString("05/01/2026"));
        limit(s, "01/01/2026", "02/01/2026");
        QCOMPARE(columnTexts(s->StringGrid10, 6), QStringList({"2", "3"})); // the undated ones stay
        QCOMPARE(m_app->messages.count(), 1);
    }

    // The hidden Delete removes the row's record after the question and lists the file again.
    void hiddenDeleteRemovesTheRecord()
    {
        writeMaterials({movementRecord("Resina", "10", "05/01/2026"), movementRecord("Tinta", "2", "06/01/2026")});
        auto* s = openMaterials();
        s->StringGrid10->setRow(rowWith(s->StringGrid10, 0, "Resina"));
        m_app->messages.answer(MessageBox::Cancel);
        s->Button_MovimDeleteClick();
        QCOMPARE(recordsOf<MovimRecord>(m_app->path(DataFile::MovimMateria)).size(), size_t(2));
        QCOMPARE(m_app->messages.texts().first(),
                 LangText("msg_DeleteRecord", "?").arg("1", "MovimMateria.DAT") + "\r"
                     + LangText("msg_DeleteRecordLine", "?").arg(rowWith(s->StringGrid10, 0, "Resina")));
        s->Button_MovimDeleteClick();
        const auto left = recordsOf<MovimRecord>(m_app->path(DataFile::MovimMateria));
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].item.text(), QString("Tinta"));
        QCOMPARE(columnTexts(s->StringGrid10, 0), QStringList({"Tinta"}));
    }
};

QTEST_MAIN(TestMovimView)
#include "tst_movimview.moc"
