#include "accessories/ProgramIcon.h"
#include "accessories/ProgramInfo.h"
#include "shell/Application.h"
#include "shell/MessageBox.h"
#include "shell/SingleInstance.h"
#include "shell/TForm1.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    SingleInstance instance;
    if (!instance.TryAcquire()) {
        MessageBox::information(SingleInstance::AlreadyRunningText());
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    // Ties the windows to the installed quorvale.desktop (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvale"));
    TForm1 form;
    if (form.TerminateRequested())
        return 1; // the installation is incomplete or the language file is missing; the user was told
    form.show();
    return app.exec();
}
