#include "i18n/Backup.h"

#include "store/RecordFile.h"
#include "store/Records.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <algorithm>

namespace Backup {

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QStringList DataFilesOf(int kind)
{
    switch (kind) {
    case ProductDefinitions: return {DataFile::Produtos};
    case MaterialDefinitions: return {DataFile::MateriasPrimas};
    case ClientDefinitions: return {DataFile::Clientes};
    case SupplierDefinitions: return {DataFile::Fornecedores};
    case MaterialStocks: return {DataFile::StockMateria};
    case ProductStocks: return {DataFile::StockProduto};
    case ProductionHours: return {DataFile::HorasProducao};
    case MaterialOrders: return {DataFile::EncomMateria};
    case ProductOrders: return {DataFile::EncomProduto};
    case Movements: return {DataFile::MovimMateria, DataFile::MovimProduto};
    }
    return {};
}

QString BackupFileName(const QString& dataFileName) { return Prefix + dataFileName; }

Outcome Copy(const QString& companyFolder, const QList<int>& kinds, Direction direction)
{
    const QString folder = withSlash(companyFolder);
    Outcome outcome;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (!kinds.contains(kind))
            continue;
        for (const QString& name : DataFilesOf(kind)) {
            const QString data = folder + name;
            const QString backup = folder + BackupFileName(name);
            const QString& from = direction == Save ? data : backup;
            const QString& to = direction == Save ? backup : data;
            if (!QFileInfo::exists(from))
                continue;
            try {
                ReplaceFileContents(to, ReadFileContents(from));
                ++outcome.copied;
                outcome.copiedFiles << name;
            } catch (const StoreError& e) {
                outcome.failures << e.message();
            }
        }
    }
    return outcome;
}

QList<QDateTime> BackupTimes(const QString& companyFolder, int kind)
{
    const QString folder = withSlash(companyFolder);
    QList<QDateTime> all;
    for (const QString& name : DataFilesOf(kind)) {
        const QFileInfo backup(folder + BackupFileName(name));
        if (backup.isFile())
            all << backup.lastModified();
    }
    std::sort(all.begin(), all.end());
    // Files copied by one backup, a moment apart, show as that backup's moment (its first file's).
    QList<QDateTime> times;
    for (const QDateTime& t : all)
        if (times.isEmpty() || times.last().secsTo(t) > 60)
            times << t;
    return times;
}

} // namespace Backup
