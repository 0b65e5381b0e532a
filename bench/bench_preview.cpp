// Time to preview a long list (20,000 rows unless a number is given): the preview command of the
// main window's preview panel until the first page is painted, and until every page is recorded
// (the event loop running meanwhile, as for a user looking at the first page). For comparison, the
// same list recorded whole before anything is shown, as the preview once did.

#include "BenchTiming.h"
#include "report/AlPreview.h"
#include "report/GridPrint.h"
#include "report/TForm5.h"
#include "shell/Globals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>

namespace {

void fillGrid(StringGrid& grid, int rows)
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
    grid.setScreenTitle("Benchmark list");
}

// Notes the moment the page area has finished its first paint after being armed.
class PaintWatch : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    double paintedMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || paintedMs >= 0)
            return false;
        // Paint now, within this paint, so that the time includes drawing the page.
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        paintedMs = elapsedMs(*clock);
        return true;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 20000;
    // bench_preview ROWS FOLDER also saves the preview as shown, on its first page while the rest
    // is being recorded and on a later page, as PNG pictures in FOLDER.
    const QString grabFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    auto* screenGrid = new StringGrid;
    fillGrid(*screenGrid, rows);
    CurrentGrid = screenGrid;

    QWidget host;
    host.resize(1000, 700);
    auto* panel = new ReportPreviewPanel(&host);
    host.show();
    QCoreApplication::processEvents();

    Timing firstShown, allKnown, wholeFirst;
    firstShown.rows = allKnown.rows = wholeFirst.rows = rows;
    int pages = 0;
    for (int run = 0; run < 3; ++run) {
        PaintWatch watch;
        QElapsedTimer clock;
        watch.clock = &clock;
        panel->tAlPreview1->PaintBox()->installEventFilter(&watch);
        clock.start();
        panel->menu_FilePrintClick(true);
        while (watch.paintedMs < 0)
            QCoreApplication::processEvents();
        firstShown.add(watch.paintedMs);
        while (!panel->tAlPreview1->AllPagesKnown())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        allKnown.add(elapsedMs(clock));
        pages = panel->tAlPreview1->PageCount();
        panel->Button_RepPreviewCloseClick();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every page recorded before the first is painted (the preview as it was).
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        auto form = BuildGridReport(screenGrid);
        tAlPreview preview;
        preview.resize(900, 700);
        form->AlReport->Preview(preview.Pages);
        preview.SetZoom(75);
        preview.First();
        QImage image(preview.PaintBox()->size(), QImage::Format_RGB32);
        preview.PaintBox()->render(&image);
        wholeFirst.add(elapsedMs(clock));
    }

    if (!grabFolder.isEmpty()) {
        panel->menu_FilePrintClick(true);
        QCoreApplication::processEvents();
        host.grab().save(grabFolder + "/preview_first.png");
        panel->tAlPreview1->SetPage(pages / 2 - 1);
        panel->Button_RepPreviewNextClick();
        QCoreApplication::processEvents();
        host.grab().save(grabFolder + "/preview_later.png");
        panel->Button_RepPreviewCloseClick();
    }

    std::printf("preview of %d rows, %d pages\n", rows, pages);
    report("first page shown", firstShown, 300);
    report("all pages known", allKnown, 0, QStringLiteral("(page count right from here on)"));
    report("every page recorded, then the first shown", wholeFirst, 0, QStringLiteral("(the preview as it was)"));
    delete screenGrid;
    return 0;
}
