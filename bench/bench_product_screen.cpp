// Opening time of the product screen on a large company: the screen is created and shown as the
// main window shows it (load of Produtos.DAT into the grid, the name, type and component lists, the
// raw-material and operation lists, the sort by product), and the time until it is on screen is
// measured. The raw-material screen and the composition view are measured the same way.
//
//     bench_product_screen [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). Runs with QT_QPA_PLATFORM=offscreen
// unless another platform is set.

#include "masterdata/TForm_MateriaPrima.h"
#include "masterdata/TForm_Produto.h"
#include "masterdata/TForm_ProdutoView.h"
#include "shell/Globals.h"
#include "shell/StringGrid.h"
#include "BenchCompany.h"
#include "store/RegionalSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Timing {
    double bestMs = 1e300;
    double worstMs = 0;
    int rows = 0;
};

// Creates the screen in a host of the main window's client size, shows it and waits until its show
// handler has run; the screen is released afterwards (not timed).
template <class Screen>
Timing measure(int runs, const std::function<void(Screen*)>& check = {})
{
    QWidget host;
    host.resize(640, 400);
    host.show();
    QCoreApplication::processEvents();
    Timing t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        auto* screen = new Screen(&host);
        screen->setGeometry(0, 1, 640, 399);
        screen->show();
        QCoreApplication::processEvents(); // the first paint, as the user sees it
        const double ms = clock.nsecsElapsed() / 1e6;
        t.bestMs = std::min(t.bestMs, ms);
        t.worstMs = std::max(t.worstMs, ms);
        t.rows = screen->MainGrid()->RowCount() - 1;
        if (check)
            check(screen);
        delete screen;
        QCoreApplication::processEvents();
    }
    return t;
}

void report(const char* name, const Timing& t, double limitMs)
{
    std::printf("%-22s %8d rows  best %8.1f ms  worst %8.1f ms  (target < %.0f ms: %s)\n", name, t.rows, t.bestMs,
                t.worstMs, limitMs, t.worstMs < limitMs ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    BenchCompany company;
    company.setUp("bench_product_screen");
    DatabaseFolder = company.folder;
    const int runs = company.runs;

    std::printf("\nOpening a screen until it is painted, %d runs each (the first run reads the files cold from the "
                "system's cache)\n\n",
                runs);
    int components = 0, materials = 0;
    const Timing product = measure<TForm_Produto>(runs, [&](TForm_Produto* s) {
        components = s->ComboBox_ProdutoComposto->count() - 1;
        materials = s->ComboBox_ProdutoMateria->count();
    });
    report("TForm_Produto", product, 500);
    std::printf("%-22s component list %d products, raw-material list %d names\n", "", components, materials);
    report("TForm_ProdutoView", measure<TForm_ProdutoView>(runs), 500);
    report("TForm_MateriaPrima", measure<TForm_MateriaPrima>(runs), 500);
    std::printf("\n");
    return product.worstMs < 500 ? 0 : 2;
}
