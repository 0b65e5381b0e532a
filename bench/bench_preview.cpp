// Time to preview a grid of 5,000 rows: laying the grid into the report form, recording the pages
// and painting the first page in the preview panel.

#include "report/AlPreview.h"
#include "report/GridPrint.h"
#include "report/TForm5.h"
#include "shell/StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 5000;

    StringGrid grid;
    {
        GridUpdate update(&grid);
        const int widths[8] = {160, 60, 40, 60, 60, 60, 80, 0};
        grid.setColCount(8);
        grid.setRowCount(rows + 1);
        for (int c = 0; c < 8; ++c) {
            grid.setColWidths(c, widths[c]);
            grid.setCells(c, 0, QString("Heading %1").arg(c));
        }
        for (int r = 1; r <= rows; ++r) {
            grid.setRowTexts(r, {QString("Product %1 type %2").arg(r).arg(r % 7), QString::number(r * 3),
                                 QString::number(r % 11), QString::number(r * 1.5), QString::number(-r),
                                 QString::number(r % 90), QString("%1/05/2024").arg(1 + r % 28, 2, 10, QChar('0')),
                                 QString::number(r)});
        }
    }
    grid.setScreenTitle("Benchmark list");

    QElapsedTimer timer;
    timer.start();
    auto form = BuildGridReport(&grid);
    const qint64 built = timer.elapsed();
    tAlPreview preview;
    preview.resize(900, 700);
    form->AlReport->Preview(preview.Pages);
    const qint64 recorded = timer.elapsed();
    preview.SetZoom(75);
    preview.First();
    QImage image(preview.PaintBox()->size(), QImage::Format_RGB32);
    preview.PaintBox()->render(&image);
    const qint64 painted = timer.elapsed();

    std::printf("preview of %d rows: %d pages; layout %lld ms, pages %lld ms, first page shown %lld ms (total)\n",
                rows, preview.PageCount(), built, recorded - built, painted);
    return 0;
}
