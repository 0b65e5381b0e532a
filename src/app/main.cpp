#include "shell/Application.h"

#include <QMainWindow>

int main(int argc, char** argv)
{
    Application app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvale"));
    window.resize(800, 560);
    window.show();
    return app.exec();
}
