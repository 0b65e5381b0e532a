#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One safety copy of chosen data files of a company, kept beside each data file as "_BaK_" + its
// name, and putting it back. There is one generation: a backup replaces the previous one. Files are
// copied whole, byte for byte, through a temporary file renamed over the target, so a copy that
// fails (disk full, a target that cannot be written) leaves the target as it was.
namespace Backup {

inline const QString Prefix = QStringLiteral("_BaK_");

// The kinds of data a user chooses from, in the order of the backup panel's check boxes. The
// equipment file belongs to none of them.
enum Kind {
    ProductDefinitions,  // Produtos.DAT
    MaterialDefinitions, // MateriasPrimas.DAT
    ClientDefinitions,   // Clientes.DAT
    SupplierDefinitions, // Fornecedores.DAT
    MaterialStocks,      // StockMateria.DAT
    ProductStocks,       // StockProduto.DAT
    ProductionHours,     // HorasProducao.DAT
    MaterialOrders,      // EncomMateria.DAT
    ProductOrders,       // EncomProduto.DAT
    Movements,           // MovimMateria.DAT, MovimProduto.DAT
    KindCount
};

QStringList DataFilesOf(int kind);
QString BackupFileName(const QString& dataFileName);

enum Direction {
    Save,   // each data file to its backup file
    Revert, // each backup file over its data file
};

struct Outcome {
    int copied = 0;
    QStringList copiedFiles; // the data files whose copy was made
    QStringList failures;    // one per file that could not be copied: its path and the system's reason
};

// Copies the files of the kinds, in the order of the kinds, each file on its own: a file whose
// source (the data file, or for a revert its backup) does not exist is skipped; a failure is
// recorded and the other files are still copied.
Outcome Copy(const QString& companyFolder, const QList<int>& kinds, Direction direction);

// When the backup files of a kind were made (their last change), oldest first; files made within a
// minute of each other count as one backup, given by its first file. Empty when there is no backup
// of the kind.
QList<QDateTime> BackupTimes(const QString& companyFolder, int kind);

} // namespace Backup
