#include "stock/GlobalView.h"

#include "i18n/Language.h"
#include "stock/StockLists.h"
#include "store/Cp1252.h"
#include "store/DecimalText.h"

#include <QHash>
#include <cmath>

namespace GlobalView {

namespace {

// A stored number; an empty field counts 0.
std::optional<double> Number(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return DecimalText::parse(text);
}

void Note(std::vector<Problem>* problems, const QString& file, qint64 record, const QString& what, const QString& text)
{
    if (problems)
        problems->push_back({file, record, what, text});
}

} // namespace

std::vector<QStringList> ShortfallProducts(const std::vector<StockProdutoRecord>& records, std::vector<Problem>* problems)
{
    std::vector<QStringList> rows;
    for (size_t i = 0; i < records.size(); ++i) {
        const StockProdutoRecord& r = records[i];
        const QString available = r.available.text();
        const auto value = Number(available);
        if (!value) {
            Note(problems, DataFile::StockProduto, qint64(i) + 1, StockLists::ProductText(r.product, r.type), available);
            continue;
        }
        if (*value < 0)
            rows.push_back({r.product.text(), r.type.text(), r.stock.text(), r.ordered.text(), available,
                            QString::number(rows.size() + 1)});
    }
    return rows;
}

std::vector<QStringList> ReservedMaterials(const std::vector<StockMateriaRecord>& records, std::vector<Problem>* problems)
{
    std::vector<QStringList> rows;
    for (size_t i = 0; i < records.size(); ++i) {
        const StockMateriaRecord& r = records[i];
        const QString reservedText = r.reserved.text();
        const auto reserved = Number(reservedText);
        if (!reserved) {
            Note(problems, DataFile::StockMateria, qint64(i) + 1, r.material, reservedText);
            continue;
        }
        if (*reserved <= 0)
            continue;
        const QString stockText = r.stock.text(), onOrderText = r.onOrder.text();
        const auto stock = Number(stockText);
        const auto onOrder = Number(onOrderText);
        if (!stock || !onOrder) {
            Note(problems, DataFile::StockMateria, qint64(i) + 1, r.material, stock ? onOrderText : stockText);
            continue;
        }
        rows.push_back({r.material.text(), onOrderText, stockText, reservedText,
                        DecimalText::FloatToStr(*stock + *onOrder - *reserved), QString::number(rows.size() + 1)});
    }
    return rows;
}

std::vector<QStringList> ProductDetail(const std::vector<EncomProdutoRecord>& orders, const QString& product,
                                       const QString& type, std::vector<Problem>* problems)
{
    const QByteArray name = Cp1252::encode(product);
    const QByteArray kind = Cp1252::encode(type);
    const QString text = StockLists::ProductText(product, type);
    std::vector<QStringList> rows;
    double total = 0;
    for (size_t i = 0; i < orders.size(); ++i) {
        const EncomProdutoRecord& o = orders[i];
        if (o.state != OrderActive || !o.product.equals(name) || !o.type.equals(kind))
            continue;
        const QString quantity = o.quantity.text(), delivered = o.delivered.text();
        const auto q = Number(quantity);
        const auto d = Number(delivered);
        QString difference;
        if (q && d) {
            difference = DecimalText::FloatToStr(*d - *q);
            total += std::fabs(DecimalText::StrToFloat(difference));
        } else {
            Note(problems, DataFile::EncomProduto, qint64(i) + 1, text, q ? delivered : quantity);
        }
        rows.push_back({text, o.client.text(), quantity, o.date.text(), delivered, difference, QString()});
    }
    if (rows.empty())
        rows.push_back(QStringList(DetailColumns, QString()));
    rows.push_back(QStringList(DetailColumns, QString()));
    QStringList last(DetailColumns, QString());
    last[4] = QStringLiteral("Total:");
    last[5] = DecimalText::FloatToStr(total);
    rows.push_back(last);
    return rows;
}

std::vector<QStringList> MaterialDetail(const std::vector<ProdutoRecord>& composition, const QString& material,
                                        const std::vector<ListedProduct>& listed, std::vector<Problem>* problems)
{
    // The listed products by name and type, each with its rows in list order.
    QHash<QString, std::vector<size_t>> byProduct;
    for (size_t i = 0; i < listed.size(); ++i)
        byProduct[listed[i].product + QLatin1Char('\t') + listed[i].type].push_back(i);
    const QByteArray wanted = Cp1252::encode(material);
    std::vector<QStringList> rows;
    for (size_t i = 0; i < composition.size(); ++i) {
        const ProdutoRecord& line = composition[i];
        if (!line.MateriaPrima.equals(wanted))
            continue;
        const auto it = byProduct.constFind(line.Produto.text() + QLatin1Char('\t') + line.Tipo.text());
        if (it == byProduct.constEnd())
            continue;
        const QString quantText = line.Quant.text();
        const auto quant = Number(quantText);
        for (size_t j : it.value()) {
            const ListedProduct& p = listed[j];
            const auto available = Number(p.available);
            QString need;
            if (quant && available)
                need = DecimalText::FloatToStr(*available * *quant);
            else
                Note(problems, DataFile::Produtos, qint64(i) + 1, StockLists::ProductText(p.product, p.type),
                     quant ? p.available : quantText);
            rows.push_back({StockLists::ProductText(p.product, p.type), p.stock, p.ordered, p.available, need,
                            line.Un.text(), QString()});
        }
    }
    if (rows.empty())
        rows.push_back(QStringList(DetailColumns, QString()));
    return rows;
}

QString ProblemText(const std::vector<Problem>& problems, int shown)
{
    if (problems.empty())
        return QString();
    QString text = LangText(QStringLiteral("msg_GeralViewDamaged"),
                            QStringLiteral("These records hold a text where a number belongs (a damaged record) and "
                                           "are left out:"));
    text += QLatin1Char('\r');
    const QString line = LangText(QStringLiteral("msg_GeralViewDamagedLine"), QStringLiteral("%1, record %2 (%3): '%4'"));
    const int n = int(problems.size());
    for (int i = 0; i < n && i < shown; ++i) {
        const Problem& p = problems[size_t(i)];
        text += QLatin1Char('\r') + line.arg(p.file, QString::number(p.record), p.what, p.text);
    }
    if (n > shown)
        text += QLatin1Char('\r')
                + LangText(QStringLiteral("msg_MovimDamagedMore"), QStringLiteral("... and %1 more")).arg(n - shown);
    return text;
}

Hints HintTexts(const QString& viewGlobal, const QString& plan, const QString& planStock, const QString& planOrders)
{
    const QString calculate = LangText(QStringLiteral("label_65"), QStringLiteral("Calculate"));
    Hints h;
    h.label3 = LangText(QStringLiteral("label_GeralViewHint1"),
                        QStringLiteral("To get all updated data for this  '%1' you must first re-calculate"))
                   .arg(viewGlobal);
    h.label2 = LangText(QStringLiteral("label_GeralViewHint2"), QStringLiteral("on both those menus:"));
    h.label1 = plan + QStringLiteral(" > ") + planStock + QStringLiteral(" > ") + calculate + QLatin1Char('\r') + plan
               + QStringLiteral(" > ") + planOrders + QStringLiteral("  > ") + calculate;
    return h;
}

} // namespace GlobalView
