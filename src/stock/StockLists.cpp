#include "stock/StockLists.h"

#include "i18n/Language.h"
#include "shell/MailtoText.h"
#include "store/Cp1252.h"
#include "store/DateText.h"

#include <QSet>

namespace StockLists {

namespace {

// Adds the text to the items unless one equal to it ignoring letter case is there already.
class FoldedItems {
public:
    void add(const QString& text)
    {
        if (!m_seen.contains(text.toCaseFolded())) {
            m_seen.insert(text.toCaseFolded());
            m_items << text;
        }
    }
    QStringList items() const { return m_items; }

private:
    QSet<QString> m_seen;
    QStringList m_items;
};

QString ProductItem(const StockProdutoRecord& r) { return r.product.text() + QLatin1Char('\t') + r.type.text(); }

} // namespace

QString ProductText(const QString& name, const QString& type)
{
    return ((name + QLatin1Char(' ')).left(31) + type).left(51);
}

std::vector<QStringList> MaterialStockRows(const std::vector<StockMateriaRecord>& records, const QString& material)
{
    const bool all = material.isEmpty() || material == ShowAll;
    const QByteArray wanted = Cp1252::encode(material);
    std::vector<QStringList> rows;
    rows.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const StockMateriaRecord& r = records[i];
        if (!all && !r.material.equals(wanted))
            continue;
        rows.push_back({r.material.text(), r.stock.text(), QStringLiteral(" "), r.reserved.text(), r.onOrder.text(),
                        r.date.text(), QString::number(i + 1)});
    }
    return rows;
}

QStringList MaterialItems(const std::vector<StockMateriaRecord>& records)
{
    FoldedItems items;
    for (const StockMateriaRecord& r : records)
        items.add(r.material.text());
    return items.items();
}

std::vector<QStringList> ProductStockRows(const std::vector<StockProdutoRecord>& records, const QString& item)
{
    const bool all = item.isEmpty() || item == ShowAllProducts;
    const qsizetype tab = item.indexOf(QLatin1Char('\t'));
    const QByteArray name = Cp1252::encode(tab < 0 ? item : item.left(tab));
    const QByteArray type = Cp1252::encode(tab < 0 ? QString() : item.mid(tab + 1));
    std::vector<QStringList> rows;
    rows.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const StockProdutoRecord& r = records[i];
        if (!all && !(r.product.equals(name) && r.type.equals(type)))
            continue;
        rows.push_back({ProductText(r.product.text(), r.type.text()), r.stock.text(), r.available.text(),
                        r.ordered.text(), r.date.text(), QString::number(i + 1)});
    }
    return rows;
}

QStringList ProductItems(const std::vector<StockProdutoRecord>& records)
{
    FoldedItems items;
    for (const StockProdutoRecord& r : records)
        items.add(ProductItem(r));
    return items.items();
}

QStringList StockMailLines(const std::vector<ListedStock>& listed)
{
    QStringList lines;
    for (const ListedStock& row : listed)
        if (row.stock != QLatin1String("0"))
            lines << row.product + QStringLiteral(" =  ") + row.stock;
    return lines;
}

QString StockMailSubject(const QDate& today)
{
    return LangText(QStringLiteral("msg_StockMailSubject"), QStringLiteral("Stocks de cx. em ")) + DateText::DateToStr(today);
}

QString StockMailHeading()
{
    return LangText(QStringLiteral("msg_StockMailHeading"), QString::fromUtf8("Os stocks de produto acabado de cx. são: "));
}

QString StockMailLink(const QString& address, const QDate& today, const QStringList& lines, const QString& from)
{
    const QString lineBreak = QStringLiteral("%0A");
    QString link = QStringLiteral("mailto:") + MailtoAddress(address.trimmed()) + QStringLiteral("?subject=")
                   + MailtoText(StockMailSubject(today)) + QStringLiteral("&body=") + MailtoText(StockMailHeading())
                   + lineBreak;
    for (const QString& line : lines)
        link += lineBreak + MailtoText(line);
    if (!from.trimmed().isEmpty())
        link += QStringLiteral("&From=") + MailtoAddress(from.trimmed());
    return link + QStringLiteral("&bcc=");
}

std::vector<QStringList> ClientRows(const std::vector<FornecedorRecord>& clients)
{
    std::vector<QStringList> rows;
    rows.reserve(clients.size());
    for (const FornecedorRecord& c : clients)
        rows.push_back({c.Nome.text(), c.Contacto.text(), c.Email.text()});
    return rows;
}

} // namespace StockLists
