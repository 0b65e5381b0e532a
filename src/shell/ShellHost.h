#pragma once

#include "orders/OrderCalculation.h"

#include <QString>
#include <optional>

class QWidget;

// What the screens and shared routines ask of the main window. TForm1 implements it; tests may
// install a small host of their own.
class ShellHost {
public:
    virtual ~ShellHost() = default;

    virtual QWidget* MainWindow() = 0;
    // Run by every screen's Close button: resets the toolbar and caption, adds the screen's title
    // to the history list.
    virtual void ScreenClosed() = 0;
    // Runs the main menu command of the item with that objectName ("menu_EditEquip").
    virtual void RunMenuCommand(const QString& menuItemName) = 0;
    // Parks every overlay panel of the main window (out of sight, disabled).
    virtual void ParkOverlayPanels() = 0;
    virtual void SetMenuItemEnabled(const QString& menuItemName, bool enabled) = 0;

    // The first half of the order calculation on the company in use, which the product-order
    // planning, the raw-material stock calculation and the production plan run: the ordered and
    // available quantities of StockProduto.DAT are brought up to date (the file is replaced whole)
    // and the working table holds one row per product and type with active orders. A text that is
    // no number comes back as the error, with no file changed and the table empty.
    virtual std::optional<OrderCalculation::CalcError> Button_calcClick();
    // Empties the working table.
    virtual void Button_clsClick();
    // The working table and the stock records of the last Button_calcClick.
    const OrderCalculation::OrderTotals& WorkingTable() const { return m_workingTable; }
    // For a calculation that ran the first half itself, to write its files together with its own:
    // the working table as Button_calcClick would have left it.
    void KeepWorkingTable(OrderCalculation::OrderTotals totals) { m_workingTable = std::move(totals); }

protected:
    OrderCalculation::OrderTotals m_workingTable;
};

ShellHost* Shell(); // may be null (no main window, as in some tests)
void SetShell(ShellHost* host);
