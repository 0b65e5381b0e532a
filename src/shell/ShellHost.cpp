#include "shell/ShellHost.h"

#include "shell/Globals.h"

namespace {
ShellHost* g_shell = nullptr;
}

ShellHost* Shell() { return g_shell; }
void SetShell(ShellHost* host) { g_shell = host; }

std::optional<OrderCalculation::CalcError> ShellHost::Button_calcClick()
{
    Button_clsClick();
    OrderCalculation::TotalsOutcome out =
        OrderCalculation::RecalculateOrderedQuantities(DatabaseFolder, OrderCalculation::Settings::FromProgram());
    if (!out.ok())
        return out.error;
    m_workingTable = std::move(out.totals);
    return std::nullopt;
}

void ShellHost::Button_clsClick() { m_workingTable = OrderCalculation::OrderTotals(); }
