#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "app/SingleInstance.h"

namespace quorvane::testing {

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void aSecondCopyAsksTheFirstToShow() {
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QVERIFY(first.Claim());
    QSignalSpy shown(&first, &SingleInstance::ShowRequested);
    SingleInstance second(folder.path());
    QVERIFY(!second.Claim());
    QTRY_COMPARE(shown.size(), 1);
  }

  void aLockLeftByACrashDoesNotPreventTheNextStart() {
    QTemporaryDir folder;
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      QLockFile lock(folder.path() + QStringLiteral("/quorvane.lock"));
      lock.tryLock(0);
      std::raise(SIGKILL);  // dies holding the lock, as a crash would
    }
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY(QFile::exists(folder.path() + QStringLiteral("/quorvane.lock")));
    SingleInstance next(folder.path());
    QVERIFY(next.Claim());
  }
};

}  // namespace quorvane::testing

QTEST_GUILESS_MAIN(quorvane::testing::SingleInstanceTest)
#include "SingleInstanceTest.moc"
