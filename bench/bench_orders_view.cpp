// Timings of the orders on a large company: the orders view of product orders and of purchase
// orders opened (from creation until the first paint), its filter changed to one item, to the
// archived orders and back to every order, and "Reactivar Encomenda" on an archived order (order
// and stock files written, the materials reserved); the purchase order screen opened.
//
//     bench_orders_view [company folder] [--runs N]
//
// Without a folder, the large company is first written into a temporary folder by
// quorvale_make_bigdb (found beside this program, in ../tools/). The benchmark works on a copy of
// the company, since re-activating changes its files. Runs with QT_QPA_PLATFORM=offscreen unless
// another platform is set.

#include "BenchCompany.h"
#include "BenchTiming.h"
#include "orders/TForm_CompraMateria.h"
#include "orders/TForm_EncomendaView.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/StringGrid.h"
#include "store/RegionalSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

bool allMet = true;

void check(const char* name, const Timing& t, double limitMs) { allMet = report(name, t, limitMs) && allMet; }

void choose(QComboBox* list, const QString& text) { list->setCurrentIndex(list->findText(text)); }

// The filter changes and a re-activation on an open view.
void exercise(TForm_EncomendaView* s, Timing& item, Timing& archived, Timing& all, Timing& reactivate)
{
    QComboBox* filter = s->ComboBox_EncomendaView;
    StringGrid* grid = s->StringGrid15;
    item.add(timed([&] { filter->setCurrentIndex(4 + (filter->count() - 4) / 2); }));
    item.rows = grid->RowCount() - 1;
    archived.add(timed([&] { choose(filter, QStringLiteral("(archived only)\t")); }));
    archived.rows = grid->RowCount() - 1;
    // An archived order with something still open, as a user picks it.
    int row = 1;
    for (int r = 1; r < grid->RowCount(); ++r)
        if (grid->Cells(TForm_EncomendaView::ColQuantity, r) != grid->Cells(TForm_EncomendaView::ColDone, r)) {
            row = r;
            break;
        }
    grid->setRow(row);
    s->StringGrid15Click(row);
    reactivate.add(timed([&] { s->Button_EncomendaViewUndoneClick(); }));
    reactivate.rows = grid->RowCount() - 1;
    all.add(timed([&] { filter->setCurrentIndex(0); }));
    all.rows = grid->RowCount() - 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    MessageBox::setTestMode(true); // a question would wait for a click; OK is answered
    BenchCompany company;
    company.setUp("bench_orders_view");
    QTemporaryDir copy;
    for (const QString& name : QDir(company.folder).entryList(QDir::Files))
        QFile::copy(company.folder + name, copy.path() + '/' + name);
    DatabaseFolder = copy.path() + '/';
    const int runs = company.runs;

    QWidget host;
    host.resize(1024, 700);
    host.show();
    QCoreApplication::processEvents();

    std::printf("\nOrders on %s (a copy), %d runs each (the first reads the files cold from the system's cache)\n\n",
                qPrintable(company.folder), runs);

    using Kind = OrderViews::Kind;
    for (const Kind kind : {Kind::ProductOrders, Kind::MaterialOrders}) {
        Timing open, item, archived, all, reactivate;
        for (int i = 0; i < runs; ++i)
            withScreen<TForm_EncomendaView>(
                host, open, [&](TForm_EncomendaView* s) { exercise(s, item, archived, all, reactivate); },
                [kind](QWidget* parent) { return new TForm_EncomendaView(parent, kind); });
        const bool products = kind == Kind::ProductOrders;
        check(products ? "Orders view of product orders opens" : "Orders view of purchase orders opens", open, 500);
        check("  one item chosen", item, 300);
        check("  (archived only)", archived, 300);
        check("  back to ( show all )", all, 300);
        check("  Reactivar Encomenda (files written)", reactivate, 200);
    }

    Timing purchase;
    for (int i = 0; i < runs; ++i)
        withScreen<TForm_CompraMateria>(host, purchase);
    check("TForm_CompraMateria opens", purchase, 500);
    std::printf("\n");
    return allMet ? 0 : 2;
}
