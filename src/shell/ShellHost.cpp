#include "shell/ShellHost.h"

namespace {
ShellHost* g_shell = nullptr;
}

ShellHost* Shell() { return g_shell; }
void SetShell(ShellHost* host) { g_shell = host; }
