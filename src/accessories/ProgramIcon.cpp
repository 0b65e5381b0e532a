#include "accessories/ProgramIcon.h"

static void InitProgramResources() { Q_INIT_RESOURCE(quorvale); }

QIcon ProgramIcon()
{
    static const QIcon icon = [] {
        InitProgramResources();
        QIcon i;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            i.addFile(QStringLiteral(":/icons/quorvale-%1.png").arg(size), QSize(size, size));
        return i;
    }();
    return icon;
}
