// One running program at a time: the lock named after "QuorvaleSoftware".
#include "shell/SingleInstance.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTest>

using testsupport::TempFolder;
using testsupport::writeFile;

class TestSingleInstance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theLockIsNamedAfterTheProgram()
    {
        QVERIFY(SingleInstance::DefaultLockPath().endsWith("/QuorvaleSoftware.lock"));
        QCOMPARE(SingleInstance::AlreadyRunningText(), QString("      Already one instance running..      "));
    }

    void aLiveLockRefusesASecondInstance()
    {
        TempFolder dir;
        const QString path = dir.file("QuorvaleSoftware.lock");
        SingleInstance first(path);
        QVERIFY(first.TryAcquire());
        SingleInstance second(path);
        QVERIFY(!second.TryAcquire());
        first.Release();
        QVERIFY(second.TryAcquire());
    }

    void aCrashedRunsLockIsTakenOver()
    {
        TempFolder dir;
        const QString path = dir.file("QuorvaleSoftware.lock");
        // A process that has ended leaves its lock behind, as a crash would.
        QProcess p;
        p.start("true");
        QVERIFY(p.waitForStarted());
        const qint64 deadPid = p.processId();
        QVERIFY(p.waitForFinished());
        writeFile(path, QByteArray::number(deadPid) + "\nquorvale\n" + QSysInfo::machineHostName().toLocal8Bit() + "\n");
        SingleInstance again(path);
        QVERIFY(again.TryAcquire());
        QVERIFY(again.IsHeld());
    }

    void aLockThatCannotBeCreatedRefuses()
    {
        SingleInstance nowhere("/proc/no-such-folder/QuorvaleSoftware.lock");
        QVERIFY(!nowhere.TryAcquire());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
