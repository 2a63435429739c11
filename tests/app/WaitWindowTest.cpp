// The wait window shown while work runs.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

class WaitWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void waitWindowShowsDoNotNest() {
        RunningProgram program;
        QCOMPARE(program.Wait.messageLabel->text(), QString("..."));
        QCOMPARE(program.Wait.patienceLabel->text(),
                 QString("This will take a few minutes.Please be patient..."));
        program.Wait.ShowWaitForm(false);
        program.Wait.ShowWaitForm(true);
        program.Wait.ShowWaitForm(true);
        QVERIFY(program.Wait.isVisible());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(program.Wait.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(program.Wait.windowFlags() & Qt::WindowStaysOnTopHint);
        const int frame = program.Wait.animation->Frame();
        QTRY_VERIFY(program.Wait.animation->Frame() != frame);
        program.Wait.ShowWaitForm(false);
        QVERIFY(!program.Wait.isVisible());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(WaitWindowTest)
#include "WaitWindowTest.moc"
