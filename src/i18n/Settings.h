#pragma once

// Settings held in memory while the program runs: read at start-up from the program settings, and
// per company when a company is opened (see SettingsFiles for the keys and defaults).

extern bool SavePosition;
extern bool BlueTheme;
extern int PaperSizeIndex;   // 0 A4, 1 A5, 2 Legal, 3 Letter
extern int PaperOrientation; // 0 portrait, 1 landscape

// Of the company in use.
extern bool StockAuto;   // stock movement mode "Auto" (false: "Manual")
extern bool HourControl; // record production and equipment hours
extern bool HourStoped;  // timetable hours not entered count as no-work hours
extern int HoursPerDay;  // 0..24
extern int DaysPerWeek;  // 0..7
