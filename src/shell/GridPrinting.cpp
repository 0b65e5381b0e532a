#include "shell/GridPrinting.h"

namespace {
GridPrintHandler& handler()
{
    static GridPrintHandler h;
    return h;
}
} // namespace

void SetGridPrintHandler(GridPrintHandler h) { handler() = std::move(h); }
const GridPrintHandler& InstalledGridPrintHandler() { return handler(); }
