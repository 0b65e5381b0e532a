// Equipment: the units bar and its wrap, Add and Edit on the right record, costs, refused inputs and
// Delete of the selected row, checked in the grid and in the file.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "masterdata/MasterTestSupport.h"
#include "masterdata/TForm_Equipamento.h"

#include <QComboBox>
#include "shell/ListFillers.h"
#include "shell/MenuTable.h"
#include "shell/ScreenForm.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

using namespace testsupport;

namespace {

EquipamentoRecord machine(const QString& name, const QString& kind, const QString& units, const QString& cost,
                          const QString& operation)
{
    auto r = EmptyRecord<EquipamentoRecord>();
    r.Equipamento = name;
    r.Tipo = kind;
    r.Quant = units;
    r.Custo = cost;
    r.Operacao = operation;
    return r;
}

// A screen that needs the equipment list, as the production screens do.
class NeedsEquipment : public ScreenForm {
public:
    explicit NeedsEquipment(QWidget* parent) : ScreenForm(parent)
    {
        list = new QComboBox(this);
        grid = new StringGrid(this);
        close = new TRe2Buttn(QStringLiteral("Close"), this);
    }
    QAbstractButton* CloseButton() const override { return close; }
    StringGrid* MainGrid() const override { return grid; }
    void FillLists() override { FillEquipmentList(list); }

    QComboBox* list;
    StringGrid* grid;
    TRe2Buttn* close;
};

} // namespace

class TestEquipment : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MasterScreens> m_app;
    QString m_file;

    TForm_Equipamento* openScreen() { return m_app->open<TForm_Equipamento>("menu_EditEquip"); }
    void stepUp(QScrollBar* bar, int times)
    {
        for (int i = 0; i < times; ++i)
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub); // the up arrow
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<MasterScreens>();
        m_file = m_app->path(DataFile::Equipamentos);
        WriteAllRecords(m_file, std::vector<EquipamentoRecord>{machine("Krauss 250", "Injectora", "2", "27.5", "Injeccao"),
                                                               machine("Engel 80T", "Injectora", "1", "18.5", "Injeccao"),
                                                               machine("Sopradora", "Sopro", "1", "22", "Sopro")});
    }
    void cleanup() { m_app.reset(); }

    void loadsSortedWithListsAndTitles()
    {
        auto* s = openScreen();
        QCOMPARE(columnTexts(s->StringGrid12, 0), QStringList({"Engel 80T", "Krauss 250", "Sopradora"}));
        QCOMPARE(columnTexts(s->StringGrid12, 5), QStringList({"2", "1", "3"}));
        QCOMPARE(s->StringGrid12->Cells(3, 0), LangText("label_33", "Qnt/un."));
        QCOMPARE(s->StringGrid12->Cells(2, 0), LangText("label_43", "Tipo"));
        QCOMPARE(s->ComboBox_EquipTipo->count(), 2);
        QCOMPARE(s->ComboBox_EquipOperacao->count(), 2);
        QCOMPARE(s->Label72->text(), QString("3"));
        QCOMPARE(s->Edit_EquipQuant->text(), QString("1"));
    }

    void unitsRunFromOneToNinetyEightAndWrap()
    {
        auto* s = openScreen();
        stepUp(s->Scroll_EquipQuant, 97);
        QCOMPARE(s->Edit_EquipQuant->text(), QString("98"));
        stepUp(s->Scroll_EquipQuant, 1);
        QCOMPARE(s->Edit_EquipQuant->text(), QString("1"));
        QCOMPARE(s->Scroll_EquipQuant->value(), -1);
        stepUp(s->Scroll_EquipQuant, 1);
        QCOMPARE(s->Edit_EquipQuant->text(), QString("2"));
        // Down from 1 stays at 1.
        s->Scroll_EquipQuant->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        s->Scroll_EquipQuant->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->Edit_EquipQuant->text(), QString("1"));
    }

    void addWithoutCostStoresTheInputs()
    {
        auto* s = openScreen();
        typeInto(s->ComboBox_Equip, "Montagem 1");
        typeInto(s->ComboBox_EquipTipo, "Posto manual");
        stepUp(s->Scroll_EquipQuant, 2);
        typeInto(s->ComboBox_EquipOperacao, "Montagem");
        click(s->Button_EquipAdd);
        QCOMPARE(m_app->messages.count(), 0);
        const auto records = recordsOf<EquipamentoRecord>(m_file);
        QCOMPARE(records.size(), size_t(4));
        QCOMPARE(records[3].Equipamento.text(), QString("Montagem 1"));
        QCOMPARE(records[3].Quant.text(), QString("3"));
        QCOMPARE(records[3].Custo.length(), 0);
        QCOMPARE(records[3].Operacao.text(), QString("Montagem"));
        // Reloaded and ready for the next one; the new names are offered.
        QCOMPARE(s->StringGrid12->Cells(0, rowWith(s->StringGrid12, 0, "Montagem 1")), QString("Montagem 1"));
        QCOMPARE(s->Edit_EquipQuant->text(), QString("1"));
        QCOMPARE(s->ComboBox_Equip->currentText(), QString());
        QVERIFY(s->ComboBox_EquipOperacao->findText("Montagem") >= 0);
        QVERIFY(s->ComboBox_EquipTipo->findText("Posto manual") >= 0);
    }

    void editReplacesTheDoubleClickedRecord()
    {
        auto* s = openScreen();
        const int row = rowWith(s->StringGrid12, 0, "Krauss 250");
        doubleClickCell(s->StringGrid12, 0, row);
        QCOMPARE(s->Button_EquipAdd->text(), QString("Edit"));
        QCOMPARE(s->Edit_EquipQuant->text(), QString("2"));
        QCOMPARE(s->Scroll_EquipQuant->value(), -2);
        QCOMPARE(s->Edit_EquipCusto->text(), QString("27.5"));
        QCOMPARE(s->Label72->text(), QString::number(row));
        stepUp(s->Scroll_EquipQuant, 1);
        replaceText(s->Edit_EquipCusto, "30");
        click(s->Button_EquipAdd);
        const auto records = recordsOf<EquipamentoRecord>(m_file);
        QCOMPARE(records.size(), size_t(3));
        QCOMPARE(records[0].Quant.text(), QString("3"));
        QCOMPARE(records[0].Custo.text(), QString("30"));
        QCOMPARE(records[1].Custo.text(), QString("18.5"));
        QCOMPARE(s->Button_EquipAdd->text(), QString("Add"));
    }

    void refusedInputsStoreNothing()
    {
        auto* s = openScreen();
        const QByteArray before = readFile(m_file);
        typeInto(s->ComboBox_Equip, "Torno");
        click(s->Button_EquipAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[1] + " :\r\r" + LangText("label_18", "Equipamento") + "\r" + LangText("label_43", "Tipo") + "\r" + LangText("label_87", QString::fromUtf8("Operação"))}));

        m_app->messages.clear();
        typeInto(s->ComboBox_EquipTipo, "CNC");
        typeInto(s->ComboBox_EquipOperacao, "Corte|Furo");
        click(s->Button_EquipAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[50]}));

        // A letter cannot be typed into the cost; a second point can, and is refused.
        m_app->messages.clear();
        replaceText(s->ComboBox_EquipOperacao, "Corte");
        typeInto(s->Edit_EquipCusto, "1a.2.3");
        QCOMPARE(s->Edit_EquipCusto->text(), QString("1.2.3"));
        click(s->Button_EquipAdd);
        QCOMPARE(m_app->messages.texts(), QStringList({"'1.2.3'" + LangMsg[4]}));
        QCOMPARE(readFile(m_file), before);
    }

    void deleteRemovesTheSelectedRow()
    {
        auto* s = openScreen();
        const int row = rowWith(s->StringGrid12, 0, "Engel 80T");
        click(s->Button_EquipDelete); // the label holds the count, not the current row
        QCOMPARE(m_app->messages.texts(), QStringList({LangMsg[22]}));
        doubleClickCell(s->StringGrid12, 0, row);
        click(s->Button_EquipDelete);
        const auto records = recordsOf<EquipamentoRecord>(m_file);
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[0].Equipamento.text(), QString("Krauss 250"));
        QCOMPARE(records[1].Equipamento.text(), QString("Sopradora"));
        QCOMPARE(columnTexts(s->StringGrid12, 0), QStringList({"Krauss 250", "Sopradora"}));
        QCOMPARE(s->Button_EquipAdd->text(), QString("Add"));
    }

    // Without Equipamentos.DAT the equipment list sends the user to the equipment screen first.
    void missingEquipmentOpensTheEquipmentScreen()
    {
        QFile::remove(m_file);
        const QPointer<ScreenForm> asking =
            m_app->form->OpenScreen(NewScreen<NeedsEquipment>, QStringLiteral("Needs equipment"), 23);
        QVERIFY(asking && asking->IsClosing() && asking->isHidden()); // the screen that asked is closed
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!asking);
        auto* s = qobject_cast<TForm_Equipamento*>(m_app->form->CurrentScreen());
        QVERIFY(s);
        QVERIFY(s->isVisible());
        QVERIFY(QFileInfo::exists(m_file));
        QCOMPARE(s->StringGrid12->RowCount(), 2);
        QCOMPARE(m_app->form->HelpContext(), 215);
        QVERIFY(m_app->form->windowTitle().endsWith(LangTitle[4]));
    }
};

QTEST_MAIN(TestEquipment)
#include "tst_equipment.moc"
