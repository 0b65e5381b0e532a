// Renaming a product or a raw material in every file of a company, and the rename panel run from
// the Tools menu.
#include "accessories/TRe2Buttn.h"
#include "i18n/RenameItem.h"
#include "i18n/RenameItemPanel.h"
#include "i18n/TFormOptions.h"
#include "masterdata/MasterTestSupport.h"
#include "shell/MessageBox.h"
#include "store/RecordFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using namespace testsupport;

namespace {

ProdutoRecord line(const QString& name, const QString& type, const QString& material, bool composite = false)
{
    auto r = EmptyRecord<ProdutoRecord>();
    std::memset(static_cast<void*>(&r), 'x', sizeof r); // the bytes after each text must survive
    r.Produto = name;
    r.Tipo = type;
    r.MateriaPrima = material;
    r.Quant = QStringLiteral("1");
    r.Composto = composite ? 1 : 0;
    return r;
}
template <class R>
R named(const QString& a, const QString& b = QString())
{
    auto r = EmptyRecord<R>();
    std::memset(static_cast<void*>(&r), 'y', sizeof r);
    if constexpr (requires { r.item; })
        r.item = a;
    else if constexpr (requires { r.material; })
        r.material = a;
    else if constexpr (requires { r.MateriaPrima; })
        r.MateriaPrima = a;
    else {
        r.product = a;
        r.type = b;
    }
    return r;
}

// A company holding the product P of the types T and T2 and the raw material Steel everywhere.
struct Company {
    TempFolder dir;
    QString path(const QString& name) const { return dir.file(name); }
    Company()
    {
        WriteAllRecords<ProdutoRecord>(path(DataFile::Produtos),
                                       {line("P", "T", "Steel"), line("P", "T2", "Steel"), line("X", "T", "P T", true),
                                        line("Y", "T", "P T"), line("Z", "T", "Steel", true)},
                                       "tail");
        WriteAllRecords<StockProdutoRecord>(path(DataFile::StockProduto), {named<StockProdutoRecord>("P", "T"),
                                                                           named<StockProdutoRecord>("P", "T2")});
        WriteAllRecords<HorasProducaoRecord>(path(DataFile::HorasProducao), {named<HorasProducaoRecord>("P", "T")});
        WriteAllRecords<EncomProdutoRecord>(path(DataFile::EncomProduto), {named<EncomProdutoRecord>("P", "T2"),
                                                                           named<EncomProdutoRecord>("P", "T")});
        WriteAllRecords<MovimRecord>(path(DataFile::MovimProduto), {named<MovimRecord>("P T"), named<MovimRecord>("P T2")});
        WriteAllRecords<MateriaPrimaRecord>(path(DataFile::MateriasPrimas), {named<MateriaPrimaRecord>("Steel"),
                                                                             named<MateriaPrimaRecord>("Steel"),
                                                                             named<MateriaPrimaRecord>("Iron")});
        WriteAllRecords<StockMateriaRecord>(path(DataFile::StockMateria), {named<StockMateriaRecord>("Steel")});
        WriteAllRecords<EncomMateriaRecord>(path(DataFile::EncomMateria), {named<EncomMateriaRecord>("Steel")});
        WriteAllRecords<MovimRecord>(path(DataFile::MovimMateria), {named<MovimRecord>("Steel"), named<MovimRecord>("Iron")});
    }
    QMap<QString, QByteArray> bytes() const
    {
        QMap<QString, QByteArray> all;
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            all[f] = readFile(path(f));
        return all;
    }
};

RenameRequest product(const QString& from, const QString& fromType, const QString& to, const QString& toType)
{
    return {RenameRequest::Product, from, fromType, to, toType};
}
RenameRequest material(const QString& from, const QString& to) { return {RenameRequest::RawMaterial, from, {}, to, {}}; }

// Record k of a file as bytes.
QByteArray recordBytes(const QByteArray& file, int size, int k) { return file.mid(k * size, size); }

} // namespace

class TestRenameItem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetBeforeReplaceRename({}); }

    // P of type T becomes Q: every record of that pair in every file, its movements "P T" and the
    // composite lines made of it; P of type T2 and a raw material called "P T" stay as they were.
    void productPairRenamedEverywhere()
    {
        Company c;
        const auto before = c.bytes();
        const RenameResult r = RenameItem(c.dir.path(), product("P", "T", "Q", "T"));
        QCOMPARE(r.status, RenameResult::Renamed);
        QCOMPARE(r.oldItem + " > " + r.newItem, QString("P T > Q T"));
        QCOMPARE(QPair(r.changedRecords, int(r.changes.size())), QPair(6, 5));

        const auto lines = ReadAllRecords<ProdutoRecord>(c.path(DataFile::Produtos));
        QCOMPARE(lines[0].Produto.text() + "|" + lines[0].Tipo.text(), QString("Q|T"));
        QCOMPARE(lines[2].MateriaPrima.text(), QString("Q T")); // component of a composite line
        QCOMPARE(lines[3].MateriaPrima.text(), QString("P T")); // a raw material of that name
        const QByteArray produtos = readFile(c.path(DataFile::Produtos));
        QVERIFY(produtos.endsWith("tail"));
        for (int k : {1, 3, 4})
            QCOMPARE(recordBytes(produtos, 142, k), recordBytes(before[DataFile::Produtos], 142, k));
        // Only the name's length and text changed: the old bytes after the text are kept.
        QCOMPARE(produtos.mid(2, 140), before[DataFile::Produtos].mid(2, 140));
        QCOMPARE(ReadAllRecords<StockProdutoRecord>(c.path(DataFile::StockProduto))[0].product.text(), QString("Q"));
        QCOMPARE(recordBytes(readFile(c.path(DataFile::StockProduto)), 96, 1), recordBytes(before[DataFile::StockProduto], 96, 1));
        QCOMPARE(ReadAllRecords<HorasProducaoRecord>(c.path(DataFile::HorasProducao))[0].product.text(), QString("Q"));
        const auto orders = ReadAllRecords<EncomProdutoRecord>(c.path(DataFile::EncomProduto));
        QCOMPARE(orders[0].product.text() + orders[1].product.text(), QString("PQ"));
        const auto moves = ReadAllRecords<MovimRecord>(c.path(DataFile::MovimProduto));
        QCOMPARE(moves[0].item.text() + "|" + moves[1].item.text(), QString("Q T|P T2"));
        for (const QString& f : {DataFile::MateriasPrimas, DataFile::StockMateria, DataFile::EncomMateria, DataFile::MovimMateria})
            QCOMPARE(readFile(c.path(f)), before[f]);

        // Only the type changed: the pair P T2 becomes P U.
        QCOMPARE(RenameItem(c.dir.path(), product("P", "T2", "P", "U")).changedRecords, 4);
        QCOMPARE(ReadAllRecords<StockProdutoRecord>(c.path(DataFile::StockProduto))[1].type.text(), QString("U"));
        QCOMPARE(ReadAllRecords<MovimRecord>(c.path(DataFile::MovimProduto))[1].item.text(), QString("P U"));
        QCOMPARE(ReadAllRecords<ProdutoRecord>(c.path(DataFile::Produtos))[1].Produto.text(), QString("P"));
    }

    // A raw material renamed to 45 characters is stored as their first 40 in every file that names
    // it, the composition lines of products included; composite lines name products and stay.
    void rawMaterialNameCutToItsField()
    {
        Company c;
        const QString longName = QString("M").repeated(44) + "!";
        const RenameResult r = RenameItem(c.dir.path(), material("Steel", longName));
        QCOMPARE(r.status, RenameResult::Renamed);
        const QString stored = longName.left(40);
        QCOMPARE(r.newItem, stored);
        const auto masters = ReadAllRecords<MateriaPrimaRecord>(c.path(DataFile::MateriasPrimas));
        QCOMPARE(masters[0].MateriaPrima.text() + masters[1].MateriaPrima.text(), stored + stored);
        QCOMPARE(masters[2].MateriaPrima.text(), QString("Iron"));
        QCOMPARE(ReadAllRecords<StockMateriaRecord>(c.path(DataFile::StockMateria))[0].material.text(), stored);
        QCOMPARE(ReadAllRecords<EncomMateriaRecord>(c.path(DataFile::EncomMateria))[0].material.text(), stored);
        QCOMPARE(ReadAllRecords<MovimRecord>(c.path(DataFile::MovimMateria))[0].item.text(), stored);
        const auto lines = ReadAllRecords<ProdutoRecord>(c.path(DataFile::Produtos));
        QCOMPARE(lines[0].MateriaPrima.text() + "|" + lines[1].MateriaPrima.text(), stored + "|" + stored);
        QCOMPARE(lines[4].MateriaPrima.text(), QString("Steel"));
        // The same name again, cut or not, is nothing to change.
        QVERIFY(RenameHasNothingToChange(material(stored, longName)));
    }

    void refusalsWriteNothing()
    {
        Company c;
        const auto before = c.bytes();
        QVERIFY(RenameHasNothingToChange(product("P", "T", "P", "T")));
        QVERIFY(RenameHasNothingToChange(product("P", "T", "Q", " ")));
        QVERIFY(RenameHasNothingToChange(material("Steel", "")));
        QVERIFY(!RenameHasNothingToChange(product("P", "T", "p", "T"))); // letter case counts
        QCOMPARE(RenameItem(c.dir.path(), product("P", "T", "P", "T")).status, RenameResult::NothingToChange);
        RenameResult r = RenameItem(c.dir.path(), product("P", "T9", "Q", "T"));
        QCOMPARE(r.status, RenameResult::NotFound);
        QCOMPARE(r.oldItem, QString("P T9"));
        // Onto an item that some file already names, even one file alone (an orphan movement).
        r = RenameItem(c.dir.path(), product("P", "T", "P", "T2"));
        QCOMPARE(r.status, RenameResult::AlreadyExists);
        QCOMPARE(r.newItem, QString("P T2"));
        QCOMPARE(RenameItem(c.dir.path(), material("Steel", "Iron")).status, RenameResult::AlreadyExists);
        QCOMPARE(c.bytes(), before);
        WriteAllRecords<MovimRecord>(c.path(DataFile::MovimProduto), {named<MovimRecord>("P T"), named<MovimRecord>("Q T")});
        QCOMPARE(RenameItem(c.dir.path(), product("P", "T", "Q", "T")).status, RenameResult::AlreadyExists);
        QCOMPARE(readFile(c.path(DataFile::StockProduto)), before[DataFile::StockProduto]);
    }

    // Temporary files that cannot be written in full, or a stop before the renames: every file as it
    // was, and the reason told. A stop between two renames names the files already renamed.
    void failuresLeaveTheFilesAsTheyWere()
    {
        Company c;
        std::vector<MovimRecord> many(200, named<MovimRecord>("P T"));
        WriteAllRecords<MovimRecord>(c.path(DataFile::MovimProduto), many);
        const auto before = c.bytes();
        {
            FileSizeLimit limit(8000); // below the movements' 15400 bytes
            const RenameResult r = RenameItem(c.dir.path(), product("P", "T", "Q", "T"));
            QCOMPARE(r.status, RenameResult::Failed);
            QVERIFY2(r.error.contains("MovimProduto.DAT") && r.error.contains("File too large"), qPrintable(r.error));
            QVERIFY(r.replacedFiles.isEmpty());
        }
        QCOMPARE(c.bytes(), before); // no temporary file left either

        int renames = 0;
        SetBeforeReplaceRename([&](const QString&) {
            if (++renames == 3)
                throw StoreError("Cannot write: stopped");
        });
        const RenameResult r = RenameItem(c.dir.path(), product("P", "T", "Q", "T"));
        QCOMPARE(r.status, RenameResult::Failed);
        QCOMPARE(r.replacedFiles, QStringList({DataFile::Produtos, DataFile::StockProduto}));
        QCOMPARE(r.error, QString("Cannot write: stopped"));
    }

    // The panel as a user meets it: Tools > Rename Item..., the boxes, the questions, the refusals.
    void renamePanel()
    {
        MasterScreens app;
        Company c;
        for (const QString& f : QDir(c.dir.path()).entryList(QDir::Files))
            QFile::copy(c.path(f), app.path(f));
        bool open = true;
        auto choose = [](QComboBox* list, const QString& text) {
            list->setCurrentIndex(list->findText(text));
            emit list->activated(list->currentIndex());
        };
        QTimer::singleShot(0, app.form.get(), [&] {
            auto* d = app.form->findChild<TFormOptions*>();
            RenameItemPanel& p = *d->Panel_Rename;
            QCOMPARE(d->windowTitle(), QString("Change Item name ..."));
            QVERIFY(p.isVisible() && p.pos() == QPoint(0, 0) && p.RadioButton3->isChecked() && p.Edit6->isVisible());
            QCOMPARE(p.Edit4->maxLength(), 20);
            QCOMPARE(p.ComboBox1->count(), 4); // P X Y Z
            choose(p.ComboBox1, "P");
            choose(p.ComboBox2, "T");
            QCOMPARE(p.Edit4->text() + p.Edit6->text(), QString("PT"));
            p.Button_rename->click();
            QCOMPARE(MessageBox::lastText(), LangMsg[55]);
            p.Edit6->setText("T2");
            p.Button_rename->click(); // refused, named
            QVERIFY(MessageBox::lastText().startsWith("'P T2' already exists"));
            p.Edit6->setText("T3");
            MessageBox::setNextAnswer(MessageBox::Cancel);
            p.Button_rename->click();
            QVERIFY(MessageBox::lastText().startsWith(LangMsg[56]));
            p.RadioButton4->click();
            QVERIFY(!p.Edit6->isVisible() && p.Label5->text() == QString("Raw Material"));
            QCOMPARE(p.Edit4->maxLength(), 40);
            choose(p.ComboBox1, "Steel");
            p.Edit4->setText("Copper");
            p.Button_rename->click();
            open = d->isVisible();
            if (open)
                d->reject();
        });
        app.form->MenuItem("menu_ToolsRename")->trigger();
        QVERIFY(!open); // closed after the rename
        QCOMPARE(MessageBox::lastText(), QString("'Steel' is now 'Copper': 7 records changed in 5 files."));
        QCOMPARE(recordsOf<StockMateriaRecord>(app.path(DataFile::StockMateria))[0].material.text(), QString("Copper"));
        QCOMPARE(recordsOf<StockProdutoRecord>(app.path(DataFile::StockProduto))[0].type.text(), QString("T"));
    }
};

QTEST_MAIN(TestRenameItem)
#include "tst_renameitem.moc"
