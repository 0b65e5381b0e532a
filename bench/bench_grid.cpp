// Timings of the string grid with 200,000 rows of 8 columns: loading from records (in memory and
// from a data file), sorting by a column of names, of numbers, and of a few repeated units (every
// row ties with thousands of others), and drawing one screenful.
#include "shell/GridRoutines.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Rows = 200000;
constexpr int Cols = 8;

std::vector<ProdutoRecord> makeRecords()
{
    QRandomGenerator random(12345);
    const QStringList types{"Azul", "Verde", "Branco", "Preto", "Amarelo", "vermelho", "Cinza", "rosa"};
    const QStringList units{"kg", "un", "m", "l"};
    std::vector<ProdutoRecord> records;
    records.reserve(Rows);
    for (int k = 0; k < Rows; ++k) {
        auto r = EmptyRecord<ProdutoRecord>();
        r.Produto = QStringLiteral("Produto %1").arg(random.bounded(3000), 4, 10, QLatin1Char('0'));
        r.Tipo = types[random.bounded(int(types.size()))];
        r.MateriaPrima = QStringLiteral("Matéria %1").arg(random.bounded(500));
        r.Quant = DecimalText::FloatToStr(random.bounded(100000) / 100.0);
        r.Un = units[random.bounded(int(units.size()))];
        r.Ciclo = QString::number(random.bounded(1, 120));
        r.QuantDia = DecimalText::FloatToStr(random.bounded(1000000) / 10.0);
        r.Operacao = QStringLiteral("Op%1").arg(random.bounded(40));
        records.push_back(r);
    }
    return records;
}

void putRow(StringGrid& grid, int row, const ProdutoRecord& r, qint64 k)
{
    auto& cells = grid.rows()[size_t(row)];
    cells.resize(Cols);
    cells[0] = r.Produto.text();
    cells[1] = r.Tipo.text();
    cells[2] = r.MateriaPrima.text();
    cells[3] = r.Quant.text();
    cells[4] = r.Un.text();
    cells[5] = r.Ciclo.text();
    cells[6] = r.QuantDia.text();
    cells[7] = QString::number(k);
}

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::vector<ProdutoRecord> records = makeRecords();
    QTemporaryDir dir;
    const QString path = dir.filePath("Produtos.DAT");
    WriteAllRecords(path, records);

    StringGrid grid;
    grid.setColCount(Cols);
    grid.resize(800, 600);
    grid.show();
    QCoreApplication::processEvents();

    QElapsedTimer t;
    // Load with setCells, as a screen writes its rows.
    t.start();
    {
        GridUpdate update(&grid);
        grid.setRowCount(Rows + 1);
        for (int k = 0; k < Rows; ++k) {
            const ProdutoRecord& r = records[size_t(k)];
            grid.setCells(0, k + 1, r.Produto.text());
            grid.setCells(1, k + 1, r.Tipo.text());
            grid.setCells(2, k + 1, r.MateriaPrima.text());
            grid.setCells(3, k + 1, r.Quant.text());
            grid.setCells(4, k + 1, r.Un.text());
            grid.setCells(5, k + 1, r.Ciclo.text());
            grid.setCells(6, k + 1, r.QuantDia.text());
            grid.setCells(7, k + 1, QString::number(k + 1));
        }
    }
    std::printf("load 200000 x 8 from records with setCells:      %8.1f ms\n", ms(t));

    // Load all from the data file, rows written directly.
    grid.ClearData();
    t.restart();
    {
        GridUpdate update(&grid);
        grid.setRowCount(Rows + 1);
        LoadAll<ProdutoRecord>(path, false, [&](qint64 k, const ProdutoRecord& r) { putRow(grid, int(k), r, k); });
    }
    std::printf("load 200000 x 8 from Produtos.DAT (file read):    %8.1f ms\n", ms(t));

    struct Case {
        int col;
        const char* what;
    };
    for (const Case c : {Case{0, "names, 3000 distinct"}, Case{3, "numbers as text"}, Case{4, "units, 4 distinct"},
                         Case{0, "names again (already sorted)"}}) {
        t.restart();
        SortGridByColumn(&grid, c.col);
        const double took = ms(t);
        bool ordered = true;
        for (int r = 2; r < grid.RowCount() && ordered; ++r)
            ordered = CompareText(grid.Cells(c.col, r - 1), grid.Cells(c.col, r)) <= 0;
        std::printf("sort by column %d (%-28s):  %8.1f ms%s\n", c.col, c.what, took, ordered ? "" : "  NOT IN ORDER");
    }

    t.restart();
    const QImage image = grid.grab().toImage();
    std::printf("draw one screenful (800 x 600):                   %8.1f ms\n", ms(t));
    // Narrow columns: most texts are cut with "…" as they are drawn.
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.setColWidths(c, 30);
    t.restart();
    const QImage cut = grid.grab().toImage();
    std::printf("draw one screenful, texts cut (800 x 600):        %8.1f ms\n", ms(t));
    t.restart();
    grid.FitColumnToContents(0);
    std::printf("fit column 0 to its 200000 texts:                 %8.1f ms\n", ms(t));
    t.restart();
    const QString text = GridText(&grid);
    std::printf("clipboard text of the grid (%lld characters):   %8.1f ms\n", static_cast<long long>(text.size()), ms(t));
    return 0;
}
