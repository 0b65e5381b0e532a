#include "i18n/Settings.h"

bool SavePosition = false;
bool BlueTheme = true;
int PaperSizeIndex = 0;
int PaperOrientation = 0;

bool StockAuto = false;
bool HourControl = true;
bool HourStoped = true;
int HoursPerDay = 24;
int DaysPerWeek = 7;
