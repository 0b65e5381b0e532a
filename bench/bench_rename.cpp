// Renaming an item and backing up or reverting data files on a large company.
//
//     bench_rename [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). The work is done on a copy of the
// folder, so the given company is never changed. Best of N runs, files in the system's cache:
//   check product / check material - what a rename would change (every file read and scanned);
//   rename product / rename material - the rename itself, there and back again (each run renames
//                     the item to a new name and then back, and counts as one of the two);
//   backup all / revert all - every kind of data copied to its backup file, and back.

#include "BenchCompany.h"
#include "i18n/Backup.h"
#include "i18n/RenameItem.h"
#include "store/AccessPatterns.h"
#include "store/Records.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

double bestOf(int runs, const std::function<void()>& work)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double ms, const QString& detail)
{
    std::printf("%-18s %9.1f ms   %s\n", what, ms, qPrintable(detail));
}

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "bench_rename: %s\n", qPrintable(why));
    std::exit(1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    BenchCompany company;
    company.setUp("bench_rename");

    QTemporaryDir work;
    const QString folder = work.path() + '/';
    qint64 bytes = 0;
    for (const QFileInfo& f : QDir(company.folder).entryInfoList(QDir::Files)) {
        if (!QFile::copy(f.filePath(), folder + f.fileName()))
            fail("cannot copy " + f.filePath());
        bytes += f.size();
    }
    std::printf("company: %s (%.1f MB of data files), best of %d runs\n", qPrintable(company.folder), bytes / 1e6,
                company.runs);

    // The product and the raw material of the first stock records.
    const auto products = ReadAllRecords<StockProdutoRecord>(folder + DataFile::StockProduto);
    const auto materials = ReadAllRecords<StockMateriaRecord>(folder + DataFile::StockMateria);
    if (products.empty() || materials.empty())
        fail("the company has no stock records");
    const QString name = products.front().product.text(), type = products.front().type.text();
    const QString materialName = materials.front().material.text();
    const RenameRequest product{RenameRequest::Product, name, type, name.left(18) + "~R", type};
    const RenameRequest productBack{RenameRequest::Product, product.newName, type, name, type};
    const RenameRequest material{RenameRequest::RawMaterial, materialName, {}, materialName.left(38) + "~R", {}};
    const RenameRequest materialBack{RenameRequest::RawMaterial, material.newName, {}, materialName, {}};

    RenameResult r;
    double ms = bestOf(company.runs, [&] { r = CheckRename(folder, product); });
    if (r.status != RenameResult::Renamed)
        fail("the product cannot be renamed: " + QString::number(r.status) + " " + r.error);
    report("check product", ms, QString("'%1': %2 records in %3 files").arg(r.oldItem).arg(r.changedRecords).arg(r.changes.size()));
    ms = bestOf(company.runs, [&] { r = CheckRename(folder, material); });
    report("check material", ms, QString("'%1': %2 records in %3 files").arg(r.oldItem).arg(r.changedRecords).arg(r.changes.size()));

    bool there = true;
    ms = bestOf(2 * company.runs, [&] {
        r = RenameItem(folder, there ? product : productBack);
        if (r.status != RenameResult::Renamed)
            fail("product rename: " + r.error);
        there = !there;
    });
    report("rename product", ms, QString("%1 records in %2 files").arg(r.changedRecords).arg(r.changes.size()));
    there = true;
    ms = bestOf(2 * company.runs, [&] {
        r = RenameItem(folder, there ? material : materialBack);
        if (r.status != RenameResult::Renamed)
            fail("material rename: " + r.error);
        there = !there;
    });
    report("rename material", ms, QString("%1 records in %2 files").arg(r.changedRecords).arg(r.changes.size()));

    QList<int> all;
    for (int kind = 0; kind < Backup::KindCount; ++kind)
        all << kind;
    Backup::Outcome o;
    ms = bestOf(company.runs, [&] { o = Backup::Copy(folder, all, Backup::Save); });
    report("backup all", ms, QString("%1 files copied, %2 failed").arg(o.copied).arg(o.failures.size()));
    ms = bestOf(company.runs, [&] { o = Backup::Copy(folder, all, Backup::Revert); });
    report("revert all", ms, QString("%1 files copied, %2 failed").arg(o.copied).arg(o.failures.size()));
    return 0;
}
