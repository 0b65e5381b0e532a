#include "orders/OrderRows.h"

#include "store/Cp1252.h"
#include "store/DateText.h"

namespace OrderRows {

QString StateText(std::uint8_t state) { return QString::number(state); }

QString DateSortKey(const QString& dateText)
{
    const auto date = DateText::parse(dateText);
    return date ? DateText::SortKey(*date) : QString();
}

QStringList PurchaseOrderRow(const EncomMateriaRecord& order, qint64 k, const QString& today)
{
    const QString date = order.date.text();
    const QString secondDate = order.secondDate.text();
    const QString materialReference = order.materialReference.text();
    return {order.material.text(),
            order.supplier.text(),
            order.quantity.text(),
            date,
            QStringLiteral(" "),
            secondDate.isEmpty() ? today : secondDate,
            QString::number(k),
            order.reference.text(),
            DateSortKey(date),
            StateText(order.state),
            order.received.text(),
            materialReference.isEmpty() ? QStringLiteral(" ") : materialReference,
            order.unitCost.text(),
            QString()};
}

} // namespace OrderRows

namespace OrderRows {

qsizetype FindMaterialPair(const std::vector<MateriaPrimaRecord>& materials, const QString& material,
                           const QString& supplier)
{
    const QByteArray m = Cp1252::encode(material);
    const QByteArray s = Cp1252::encode(supplier);
    for (size_t i = 0; i < materials.size(); ++i)
        if (materials[i].MateriaPrima.equals(m) && materials[i].Fornecedor.equals(s))
            return qsizetype(i);
    return -1;
}

qsizetype FindPairToFill(const std::vector<MateriaPrimaRecord>& materials, const QString& material)
{
    const QByteArray m = Cp1252::encode(material);
    for (size_t i = 0; i < materials.size(); ++i)
        if (materials[i].MateriaPrima.equals(m) && materials[i].Fornecedor.text().trimmed().isEmpty())
            return qsizetype(i);
    return -1;
}

MateriaPrimaRecord NewMaterialPair(const QString& material, const QString& supplier)
{
    auto r = EmptyRecord<MateriaPrimaRecord>();
    r.MateriaPrima = material;
    r.Referencia = QStringLiteral(" ");
    r.Preco = QStringLiteral("0");
    r.Fornecedor = supplier;
    r.Un = QStringLiteral("un");
    return r;
}

} // namespace OrderRows
