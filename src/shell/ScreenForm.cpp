#include "shell/ScreenForm.h"

#include "shell/ShellHost.h"

ScreenForm::ScreenForm(QWidget* parent) : QWidget(parent) {}

ScreenForm::~ScreenForm() = default;

void ScreenForm::CloseScreen()
{
    if (m_closing)
        return;
    m_closing = true;
    FormCloseScreen();
    if (ShellHost* shell = Shell())
        shell->ScreenClosed();
    hide();
    deleteLater();
}
