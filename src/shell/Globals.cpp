#include "shell/Globals.h"

#include "shell/StringGrid.h"

#include <QAbstractButton>

QPointer<QAbstractButton> CurrentCloseButton;
QPointer<StringGrid> CurrentGrid;
