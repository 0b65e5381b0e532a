// The lists filled from the master files, the unit column, the open-order lists and the product
// lookup.
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/ListFillers.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/RegionalSettings.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>

using namespace testsupport;

namespace {

QStringList items(const QComboBox& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

FornecedorRecord company(const QString& name)
{
    auto r = EmptyRecord<FornecedorRecord>();
    r.Nome = name;
    return r;
}

MateriaPrimaRecord material(const QString& name, const QString& unit)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = name;
    r.Un = unit;
    return r;
}

ProdutoRecord product(const QString& name, const QString& type, const QString& operation)
{
    auto r = EmptyRecord<ProdutoRecord>();
    r.Produto = name;
    r.Tipo = type;
    r.Operacao = operation;
    return r;
}

EquipamentoRecord equipment(const QString& name, const QString& operation)
{
    auto r = EmptyRecord<EquipamentoRecord>();
    r.Equipamento = name;
    r.Operacao = operation;
    return r;
}

EncomProdutoRecord productOrder(const QString& ref, const QString& name, const QString& type, const QString& qty,
                                const QString& delivered, OrderState state)
{
    auto r = EmptyRecord<EncomProdutoRecord>();
    r.reference = ref;
    r.product = name;
    r.type = type;
    r.quantity = qty;
    r.delivered = delivered;
    r.state = state;
    return r;
}

} // namespace

class TestListFillers : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempFolder> m_folder;
    QString file(const QString& name) const { return m_folder->file(name); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempFolder>();
        DatabaseFolder = m_folder->path();
    }
    void cleanup() { m_folder.reset(); }

    void uniqueItemsIgnoreCase()
    {
        QComboBox list;
        QVERIFY(AddUniqueItem(&list, "Parafuso"));
        QVERIFY(!AddUniqueItem(&list, "PARAFUSO"));
        QVERIFY(AddUniqueItem(&list, "Porca"));
        QCOMPARE(items(list), QStringList({"Parafuso", "Porca"}));
        QListWidget box;
        QVERIFY(AddUniqueItem(&box, "Ana"));
        QVERIFY(!AddUniqueItem(&box, "ana"));
        QCOMPARE(box.count(), 1);

        // A sorted list puts each item in its place.
        QComboBox sorted;
        SetListSorted(&sorted);
        for (const QString t : {"c", "A", "b", "10", "9", "B2"})
            AddUniqueItem(&sorted, t);
        QCOMPARE(items(sorted), QStringList({"10", "9", "A", "b", "B2", "c"}));
    }

    void suppliersAndClients()
    {
        QComboBox list;
        FillSupplierList(&list); // missing: created empty
        QVERIFY(QFileInfo::exists(file("Fornecedores.DAT")));
        QCOMPARE(list.count(), 0);
        WriteAllRecords<FornecedorRecord>(file("Fornecedores.DAT"), {company("Zeta"), company("Alfa"), company("Zeta")});
        FillSupplierList(&list);
        QCOMPARE(items(list), QStringList({"Zeta", "Alfa", "Zeta"})); // file order, duplicates kept
        QComboBox clients;
        WriteAllRecords<FornecedorRecord>(file("Clientes.DAT"), {company("Cliente A")});
        FillClientList(&clients);
        QCOMPARE(items(clients), QStringList({"Cliente A"}));
    }

    void rawMaterialsAndProducts()
    {
        ScriptedMessages messages;
        WriteAllRecords<MateriaPrimaRecord>(file("MateriasPrimas.DAT"),
                                            {material("Aço", "kg"), material("aço", "kg"), material("Tinta", "l")});
        QComboBox materials;
        materials.addItem("TINTA"); // already there in other case
        FillRawMaterialList(&materials);
        QCOMPARE(items(materials), QStringList({"TINTA", "Aço"}));

        QComboBox names, types;
        FillProductLists(&names, &types);
        QCOMPARE(messages.texts(), QStringList({LangMsg[14]}));
        QVERIFY(QFileInfo::exists(file("Produtos.DAT")));
        WriteAllRecords<ProdutoRecord>(file("Produtos.DAT"), {product("Copo", "Azul", "Inj"), product("Copo", "Verde", "Inj"),
                                                              product("Prato", "azul", "Mont")});
        FillProductLists(&names, &types);
        QCOMPARE(items(names), QStringList({"Copo", "Prato"}));
        QCOMPARE(items(types), QStringList({"Azul", "Verde"}));
        QCOMPARE(messages.count(), 1);

        messages.clear();
        QVERIFY(ProductExists("Copo Verde"));
        QVERIFY(!ProductExists("Copo verde")); // exact
        QVERIFY(!ProductExists("Copo  Verde"));
        QCOMPARE(messages.texts(), QStringList({LangMsg[9], LangMsg[9]}));
    }

    void equipmentAndOperations()
    {
        FakeShell shell;
        QComboBox list;
        FillEquipmentList(&list); // none yet: the user is sent to define equipment
        QCOMPARE(shell.calls, QStringList({"ParkOverlayPanels", "RunMenuCommand menu_EditEquip"}));
        QCOMPARE(list.count(), 0);
        QVERIFY(!QFileInfo::exists(file("Equipamentos.DAT")));

        shell.calls.clear();
        WriteAllRecords<EquipamentoRecord>(file("Equipamentos.DAT"),
                                           {equipment("Prensa 2", "Inj"), equipment("Prensa 1", "Corte"), equipment("Prensa 2", "inj")});
        FillEquipmentList(&list);
        QCOMPARE(items(list), QStringList({"Prensa 2", "Prensa 1", "Prensa 2"}));
        QVERIFY(shell.calls.isEmpty());

        QComboBox operations;
        FillOperationList(&operations, "Prod"); // products missing: equipment only
        QCOMPARE(items(operations), QStringList({"Inj", "Corte"}));
        WriteAllRecords<ProdutoRecord>(file("Produtos.DAT"), {product("Copo", "Azul", "Mont"), product("Copo", "Verde", "CORTE")});
        operations.clear();
        FillOperationList(&operations, "Equip");
        QCOMPARE(items(operations), QStringList({"Inj", "Corte", "Mont"}));
    }

    void unitColumn()
    {
        ScriptedMessages messages;
        StringGrid grid;
        grid.setColCount(3);
        grid.setRowCount(4);
        grid.setRowTexts(1, {"Aço", "10", " "});
        grid.setRowTexts(2, {"Tinta", "3", " "});
        grid.setRowTexts(3, {"Cola"});
        FillUnitColumn(&grid, 2);
        QCOMPARE(messages.texts(), QStringList({LangMsg[13]}));
        QCOMPARE(grid.Cells(2, 1), QString(" "));

        WriteAllRecords<MateriaPrimaRecord>(file("MateriasPrimas.DAT"),
                                            {material("Aço", "kg"), material("Tinta", "l"), material("Aço", "t")});
        grid.setRow(2);
        FillUnitColumn(&grid, 2);
        QCOMPARE(grid.Cells(2, 1), QString("t")); // the last record of a material decides
        QCOMPARE(grid.Cells(2, 2), QString("l"));
        QCOMPARE(grid.Cells(2, 3), QString());
        QCOMPARE(grid.Row(), 2);
    }

    void openOrders()
    {
        ScriptedMessages messages;
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        QComboBox list;
        FillOpenProductOrders("EncomProduto.DAT", &list);
        QCOMPARE(messages.texts(), QStringList({LangMsg[19]}));
        QCOMPARE(list.count(), 0);

        WriteAllRecords<EncomProdutoRecord>(
            file("EncomProduto.DAT"),
            {productOrder("000001", "Copo", "Azul", "100", "25.5", OrderActive),
             productOrder("000002", "Prato", "Verde", "10", "0", OrderArchived),
             productOrder("A7", "Um nome de produto muito comprido", "tipo", "5", "0", OrderActive),
             productOrder("000004", "Copo", "Azul", "1", "0", OrderOnHold)});
        FillOpenProductOrders("EncomProduto.DAT", &list);
        QCOMPARE(items(list), QStringList({"",
                                           "000001\tCopo                 \tAzul                \t74.5\tun",
                                           "A7\tUm nome de produto mu\ttipo                \t5\tun"}));
        QCOMPARE(list.itemText(1).mid(7, 21), QString("Copo").leftJustified(21));
        const OpenOrderItem item = ParseOpenOrderLine(list.itemText(2));
        QCOMPARE(item.reference, QString("A7"));
        QCOMPARE(item.first, QString("Um nome de produto mu"));
        QCOMPARE(item.openQuantity, QString("5"));
        QCOMPARE(ParseOpenOrderLine("").reference, QString());

        auto order = EmptyRecord<EncomMateriaRecord>();
        order.reference = "C00001";
        order.material = "Aço";
        order.materialReference = "REF-9";
        order.quantity = "12";
        order.received = "2.25";
        QComboBox materials;
        FillOpenMaterialOrders("EncomMateria.DAT", &materials);
        QCOMPARE(messages.texts().last(), LangMsg[18]);
        WriteAllRecords<EncomMateriaRecord>(file("EncomMateria.DAT"), {order});
        FillOpenMaterialOrders("EncomMateria.DAT", &materials);
        QCOMPARE(items(materials), QStringList({"", "C00001\t" + PadOrCut("Aço", 21) + "\t" + PadOrCut("REF-9", 20) + "\t9.75\tun"}));
    }
};

QTEST_MAIN(TestListFillers)
#include "tst_listfillers.moc"
