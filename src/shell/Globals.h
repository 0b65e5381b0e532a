#pragma once

#include "i18n/ProgramState.h"

#include <QPointer>

class QAbstractButton;
class StringGrid;

// State of the application shell, shared by every screen: the program's folders, company and
// settings files (ProgramState) and the controls of the hosted screen.

extern QPointer<QAbstractButton> CurrentCloseButton; // Close button of the hosted screen
extern QPointer<StringGrid> CurrentGrid;             // main grid of the hosted screen
