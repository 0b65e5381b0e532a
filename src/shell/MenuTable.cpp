#include "shell/MenuTable.h"

#include "i18n/Language.h"
#include "masterdata/TForm_Cliente.h"
#include "masterdata/TForm_Equipamento.h"
#include "masterdata/TForm_Fornecedor.h"
#include "masterdata/TForm_MateriaPrima.h"
#include "masterdata/TForm_Produto.h"
#include "masterdata/TForm_ProdutoView.h"
#include "orders/TForm_CompraMateria.h"
#include "orders/TForm_EncomProduto.h"
#include "orders/TForm_EncomendaView.h"
#include "production/TForm_Custo.h"
#include "production/TForm_ProdEntrada.h"
#include "production/TForm_ProducaoPlan.h"
#include "production/TForm_Utiliz.h"
#include "production/TForm_ViewProducQuant.h"
#include "stock/TForm_GeralView.h"
#include "stock/TForm_MovimView.h"
#include "stock/TForm_Stock.h"
#include "stock/TForm_StockProd.h"
#include "stock/TForm_StockProdView.h"
#include "stock/TForm_StockView.h"
#include "store/Records.h"

QString MenuCommand::ScreenTitle() const
{
    const QString t = LangTitle[title];
    return view ? t + QStringLiteral(" (view)") : t;
}

QString MenuCommand::MissingText() const
{
    QStringList parts;
    for (int m : missingMessage)
        parts << LangMsg[m];
    return parts.join(QLatin1Char('\r'));
}

namespace {

// The product-order screen in one of its variants.
template <TForm_EncomProduto::Mode mode>
ScreenForm* OrderScreen(QWidget* parent)
{
    return new TForm_EncomProduto(parent, mode);
}

// The movements view of raw materials or of products.
template <TForm_MovimView::Variant variant>
ScreenForm* NewMovimView(QWidget* parent)
{
    return new TForm_MovimView(parent, variant);
}

// The raw-material stock screen in one of its variants.
template <TForm_Stock::Mode mode>
ScreenForm* StockScreen(QWidget* parent)
{
    return new TForm_Stock(parent, mode);
}

// The orders view of product orders or of purchase orders.
template <OrderViews::Kind kind>
ScreenForm* NewOrdersView(QWidget* parent)
{
    return new TForm_EncomendaView(parent, kind);
}

} // namespace

std::vector<MenuCommand>& MenuTable()
{
    using namespace DataFile;
    // item, screen factory, title, view, help context, required files, message, record needed
    static std::vector<MenuCommand> table{
        {"menu_EditMateriaPrima", NewScreen<TForm_MateriaPrima>, 0, false, 211, {}, {}},
        {"menu_EditProduto", NewScreen<TForm_Produto>, 1, false, 212, {}, {}},
        {"menu_EditFornecedor", NewScreen<TForm_Fornecedor>, 2, false, 213, {}, {}},
        {"menu_EditCliente", NewScreen<TForm_Cliente>, 3, false, 214, {}, {}},
        {"menu_EditEquip", NewScreen<TForm_Equipamento>, 4, false, 215, {}, {}},
        {"menu_EditStockMatPrima", StockScreen<TForm_Stock::StockEntry>, 5, false, 221, {}, {}},
        {"menu_EditStockProduto", NewScreen<TForm_StockProd>, 6, false, 222, {}, {}},
        {"menu_EditProducaoEntradas", NewScreen<TForm_ProdEntrada>, 7, false, 23, {}, {}},
        {"menu_EditEncomMatPrima", NewScreen<TForm_CompraMateria>, 8, false, 241, {}, {}},
        {"menu_EditEncomProduto", OrderScreen<TForm_EncomProduto::OrderEntry>, 9, false, 242, {}, {}},
        {"menu_PlanStockMatPrima", StockScreen<TForm_Stock::StockPlanning>, 10, false, 31, {}, {}},
        {"menu_PlanEncomenda", OrderScreen<TForm_EncomProduto::OrderPlanning>, 11, false, 32, {}, {}},
        {"menu_PlanProducao", NewScreen<TForm_ProducaoPlan>, 12, false, 33, {EncomProduto}, {23}},
        {"menu_ViewGlobal", NewScreen<TForm_GeralView>, 23, false, 55, {}, {}},
        {"menu_ViewStockMatPrima", NewScreen<TForm_StockView>, 5, true, 411, {StockMateria}, {17}},
        {"menu_ViewStockProduto", NewScreen<TForm_StockProdView>, 6, true, 412, {StockProduto}, {17}},
        {"menu_ViewProdDefinicao", NewScreen<TForm_ProdutoView>, 13, false, 42, {Produtos}, {16}},
        {"menu_ViewMovimMatPrima", NewMovimView<TForm_MovimView::RawMaterials>, 14, false, 431, {MovimMateria}, {21}},
        {"menu_ViewMovimProduto", NewMovimView<TForm_MovimView::Products>, 15, false, 432, {MovimProduto}, {21}},
        {"menu_ViewEncomMatPrima", NewOrdersView<OrderViews::Kind::MaterialOrders>, 8, true, 451, {EncomMateria}, {18}},
        {"menu_ViewEncomProduto", NewOrdersView<OrderViews::Kind::ProductOrders>, 9, true, 451, {EncomProduto}, {19}},
        {"menu_ToolsCustosProduto", NewScreen<TForm_Custo>, 18, false, 53, {MateriasPrimas, Equipamentos, HorasProducao, Produtos}, {46, 47}},
        {"menu_ViewProducIndicesUtil", NewScreen<TForm_Utiliz>, 16, false, 441, {HorasProducao}, {26}, true},
        {"menu_ViewProducQuantidades", NewScreen<TForm_ViewProducQuant>, 17, false, 442, {HorasProducao}, {27}, true},
    };
    return table;
}

MenuCommand* FindMenuCommand(const QString& item)
{
    for (auto& c : MenuTable())
        if (c.item == item)
            return &c;
    return nullptr;
}
