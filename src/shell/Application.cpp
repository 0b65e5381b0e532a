#include "shell/Application.h"

#include "i18n/Language.h"
#include "shell/MessageBox.h"
#include "store/StoreError.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quorvale"));
    setApplicationVersion(QStringLiteral("%1.%2.%3")
                              .arg(QUORVALE_VERSION_MAJOR)
                              .arg(QUORVALE_VERSION_MINOR)
                              .arg(QUORVALE_VERSION_PATCH));
}

void ShowErrorOf(const std::exception& e)
{
    if (const auto* s = dynamic_cast<const StoreError*>(&e))
        MessageBox::error(s->message());
    else if (const auto* c = dynamic_cast<const ConversionError*>(&e))
        MessageBox::error(c->message());
    else
        MessageBox::error(QString::fromLocal8Bit(e.what()));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        // The hourglass of the interrupted action must not stay on.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        ShowErrorOf(e);
    } catch (...) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        MessageBox::error(LangText(QStringLiteral("msg_UnexpectedError"), QStringLiteral("Unexpected error")));
    }
    return false;
}
