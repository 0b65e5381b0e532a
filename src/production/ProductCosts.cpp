#include "production/ProductCosts.h"

#include "store/DecimalText.h"

#include <QHash>
#include <cmath>

namespace Production {

QString CostText(const std::optional<double>& value)
{
    return value ? DecimalText::FormatFloat(QStringLiteral("#,##0.00"), *value) : UndefinedText();
}

QStringList CostRowTexts(const CostRow& row)
{
    return {row.product,
            row.equipment,
            row.rate ? DecimalText::FormatFloat(QStringLiteral("0"), RoundHalfEven(*row.rate)) : UndefinedText(),
            CostText(row.machineCost),
            CostText(row.materialCost),
            CostText(row.total)};
}

namespace {

// The first record of each raw material, in file order, and its price; a record whose price is no
// number is named once and left out, so that the next record of that material comes first.
class FirstPrices {
public:
    FirstPrices(const std::vector<MateriaPrimaRecord>& materials, std::vector<BadText>& bad)
        : m_materials(materials), m_bad(bad)
    {
        for (size_t i = 0; i < materials.size(); ++i)
            m_records[materials[i].MateriaPrima.text()].push_back(i);
    }

    std::optional<double> priceOf(const QString& material)
    {
        auto known = m_prices.constFind(material);
        if (known != m_prices.constEnd())
            return known.value();
        std::optional<double> price;
        const auto records = m_records.constFind(material);
        if (records != m_records.constEnd()) {
            for (size_t i : records.value()) {
                const MateriaPrimaRecord& m = m_materials[i];
                if ((price = DecimalText::parse(m.Preco.text())))
                    break;
                m_bad.push_back({DataFile::MateriasPrimas, qint64(i) + 1, QStringLiteral("Preco"), m.Preco.text()});
            }
        }
        m_prices.insert(material, price);
        return price;
    }

private:
    const std::vector<MateriaPrimaRecord>& m_materials;
    std::vector<BadText>& m_bad;
    QHash<QString, std::vector<size_t>> m_records;
    QHash<QString, std::optional<double>> m_prices;
};

} // namespace

ProductCostList ProductCosts(const std::vector<HorasProducaoRecord>& entries, const std::vector<EquipamentoRecord>& equipment,
                             const std::vector<ProdutoRecord>& products, const std::vector<MateriaPrimaRecord>& materials)
{
    ProductCostList out;
    ProductionEntries read = ReadProductionEntries(entries, ReadEntered | ReadProductionSetup);
    out.bad = std::move(read.bad);

    // Rate per product and equipment, rows in order of first appearance.
    QHash<quint64, size_t> rowOf;
    std::vector<bool> listed(read.products.size(), false);
    for (const ProductionEntry& e : read.entries) {
        const double hours = e.productionAndSetup();
        const quint64 key = quint64(e.productId) << 32 | quint64(e.equipmentId);
        auto it = rowOf.constFind(key);
        if (it == rowOf.constEnd()) {
            it = rowOf.insert(key, out.rows.size());
            CostRow row;
            row.product = e.product;
            row.equipment = e.equipment;
            out.rows.push_back(std::move(row));
            if (!listed[size_t(e.productId)]) {
                listed[size_t(e.productId)] = true;
                out.products << e.product;
            }
        }
        if (hours == 0)
            continue; // no hours: the rate stays as it is
        std::optional<double>& rate = out.rows[it.value()].rate;
        const double achieved = e.entered / hours;
        rate = rate ? (*rate + achieved) / 2 : achieved;
    }

    // Cost per hour of each equipment; of two records with one name the last counts.
    QHash<QString, double> costPerHour;
    for (size_t i = 0; i < equipment.size(); ++i) {
        const EquipamentoRecord& q = equipment[i];
        if (const auto c = DecimalText::parse(q.Custo.text()))
            costPerHour.insert(q.Equipamento.text(), *c);
        else
            out.bad.push_back({DataFile::Equipamentos, qint64(i) + 1, QStringLiteral("Custo"), q.Custo.text()});
    }

    // Raw-material cost of each product listed: every line of its composition whose material has a
    // record adds quantity x the price of the material's first record (a component product has
    // none and adds nothing). One pass over Produtos.DAT.
    FirstPrices prices(materials, out.bad);
    QHash<QString, double> materialCost;
    for (const QString& p : out.products)
        materialCost.insert(p, 0.0);
    for (size_t i = 0; i < products.size(); ++i) {
        const ProdutoRecord& line = products[i];
        auto cost = materialCost.find(line.Produto.text() + QLatin1Char(' ') + line.Tipo.text());
        if (cost == materialCost.end())
            continue;
        const auto price = prices.priceOf(line.MateriaPrima.text());
        if (!price)
            continue;
        const auto quantity = DecimalText::parse(line.Quant.text());
        if (!quantity) {
            out.bad.push_back({DataFile::Produtos, qint64(i) + 1, QStringLiteral("Quant"), line.Quant.text()});
            continue;
        }
        cost.value() += *quantity * *price;
    }

    for (CostRow& row : out.rows) {
        row.materialCost = materialCost.value(row.product);
        const auto perHour = costPerHour.constFind(row.equipment);
        if (row.rate && *row.rate != 0 && perHour != costPerHour.constEnd())
            row.machineCost = perHour.value() / *row.rate;
        if (row.machineCost)
            row.total = *row.machineCost + row.materialCost;
    }
    return out;
}

} // namespace Production
