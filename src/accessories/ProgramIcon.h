#pragma once

#include <QIcon>

// The program's icon in all its sizes (the window icon of every window).
QIcon ProgramIcon();
