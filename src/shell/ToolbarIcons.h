#pragma once

#include <QIcon>
#include <QString>

// The small pictures of the main toolbar, drawn here so that they look the same on every desktop:
// "OpenSupplier" (an open folder), "Calculator", "Print" (a printer), "PrintPreview" (a page under
// a magnifier), "CopytoMemory" (two pages), "Feedback" (an envelope), "Exit" (a door) and
// "HelpContext" (a question mark). An unknown name gives an empty icon.
QIcon ToolbarIcon(const QString& name);
