#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Renaming a product (its name and type) or a raw material (its name) in every data file of a
// company that names it:
//
//   product:      Produtos.DAT (Produto and Tipo; the component "name type" of composite lines),
//                 StockProduto.DAT, HorasProducao.DAT, EncomProduto.DAT (product and type),
//                 MovimProduto.DAT (item "name type")
//   raw material: MateriasPrimas.DAT, the material of the non-composite lines of Produtos.DAT,
//                 StockMateria.DAT, EncomMateria.DAT, MovimMateria.DAT
//
// Names are compared exactly (bytes of the stored text; case and blanks count), and each new text is
// cut to its field (a product's name to 30, its type to 20, a raw material's name and a movement
// item to 40). A file that does not exist is skipped.
//
// A rename is all or nothing: every file is read and changed in memory, then all the changed files
// are written to temporary files and only then renamed over the originals. It never makes two
// items one: when a record of any of those files already names the new item, nothing is written.
struct RenameRequest {
    enum Kind { Product, RawMaterial };
    Kind kind = Product;
    QString oldName;
    QString oldType; // products only
    QString newName;
    QString newType; // products only
};

struct RenameResult {
    enum Status {
        Renamed,         // every record that named the old item names the new one
        NothingToChange, // no new name (or type), or the new item is the old one
        NotFound,        // no record names the old item
        AlreadyExists,   // some record already names the new item; nothing written
        Failed,          // the file system failed (error); see replacedFiles
    };
    Status status = NothingToChange;
    QString oldItem; // the items as the files name them: "name type" for a product
    QString newItem;
    QList<QPair<QString, int>> changes; // file name and records changed, in file order
    int changedRecords = 0;
    QString error;             // Failed: the path and the system's reason
    QStringList replacedFiles; // Failed: the files that already hold the new name (empty when the
                               // failure came before the first rename, so that nothing changed)
};

// The longest new texts the rename boxes accept.
namespace RenameLimits {
inline constexpr int ProductName = 20;
inline constexpr int ProductType = 20;
inline constexpr int RawMaterialName = 40;
} // namespace RenameLimits

// NothingToChange without reading a file: an empty (or blank) new name, for a product an empty new
// type, or the new item equal to the old one once cut to its fields.
bool RenameHasNothingToChange(const RenameRequest& request);

// Everything but the writing: what a rename would change, or why it would not (NothingToChange,
// NotFound, AlreadyExists, or Failed when a file cannot be read). Status Renamed means it can run.
RenameResult CheckRename(const QString& companyFolder, const RenameRequest& request);

// The rename itself (checked again first).
RenameResult RenameItem(const QString& companyFolder, const RenameRequest& request);
