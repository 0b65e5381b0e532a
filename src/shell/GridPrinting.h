#pragma once

#include <functional>

// File > Print Grid..., Print Preview... and their toolbar buttons hand the hosted screen's grid
// (CurrentGrid) to the grid printing, which installs its handler here; preview is false for the
// print command. Without a handler the commands do nothing.
using GridPrintHandler = std::function<void(bool preview)>;

void SetGridPrintHandler(GridPrintHandler handler);
const GridPrintHandler& InstalledGridPrintHandler();
