#include "accessories/ProgramIcon.h"
#include "accessories/ProgramInfo.h"
#include "shell/Application.h"
#include "shell/MessageBox.h"
#include "shell/SingleInstance.h"
#include "shell/TForm1.h"

#include <QTimer>

#include <memory>

#include <cstdio>
#include <ctime>

namespace {

// With QUORVALE_REPORT_CHOOSER set, the program writes "chooser shown <processor ms>" on standard
// output as soon as the company chooser has been painted, and ends: the start-up benchmark
// (bench_screens) times process start to the chooser on screen with it.
class ChooserReport : public QObject {
public:
    explicit ChooserReport(QWidget* chooser) { chooser->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // Runs once the paint under way has finished.
            QTimer::singleShot(0, [] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("chooser shown %.1f\n", double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

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
    std::unique_ptr<ChooserReport> report;
    if (!qEnvironmentVariableIsEmpty("QUORVALE_REPORT_CHOOSER"))
        if (QWidget* chooser = form.findChild<QWidget*>(QStringLiteral("Panel_Suplier")))
            report = std::make_unique<ChooserReport>(chooser);
    form.show();
    return app.exec();
}
