// The main window's place across starts, under a real window manager that
// frames it: where the frame was left is where it opens, start after start.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

namespace {

void StoreFrame(const std::string& frame) {
    std::string config(DefaultConfigText);
    const std::string unstored = R"(max="True" left="0" top="0" height="600" width="800")";
    config.replace(config.find(unstored), unstored.size(), frame);
    WriteFile(ConfigFile(), config);
}

// The window manager frames a window a moment after it shows.
bool Framed(const QWidget& window) {
    return QTest::qWaitFor([&window] { return window.frameGeometry() != window.geometry(); });
}

} // namespace

class WindowPlaceTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void theFrameOpensWhereItWasLeft() {
        StoreFrame(R"(max="False" left="200" top="150" height="419" width="980")");
        for (int start = 1; start <= 3; ++start) {
            RunningProgram program;
            QVERIFY(Framed(program.Main));
            QCOMPARE(program.Main.frameGeometry().topLeft(), QPoint(200, 150));
            QCOMPARE(program.Main.size(), QSize(980, 419));
            QVERIFY(program.Main.close());
            QVERIFY(ReadWholeFile(ConfigFile())
                        .find(R"(max="False" left="200" top="150" height="419" width="980")") !=
                    std::string::npos);
        }
    }

    void aPlaceOffEveryScreenIsMovedBackOntoOne_data() {
        QTest::addColumn<QString>("frame");
        QTest::newRow("above the top")
            << R"(max="False" left="200" top="-2000" height="419" width="980")";
        QTest::newRow("right of the right")
            << R"(max="False" left="5000" top="100" height="419" width="980")";
        QTest::newRow("larger than the screen")
            << R"(max="False" left="-50" top="-50" height="3000" width="4000")";
    }
    void aPlaceOffEveryScreenIsMovedBackOntoOne() {
        QFETCH(QString, frame);
        StoreFrame(frame.toStdString());
        RunningProgram program;
        QVERIFY(Framed(program.Main));
        const QRect screen = program.Main.screen()->availableGeometry();
        QVERIFY2(screen.contains(program.Main.frameGeometry()),
                 qPrintable(QString("%1,%2 %3x%4")
                                .arg(program.Main.frameGeometry().x())
                                .arg(program.Main.frameGeometry().y())
                                .arg(program.Main.frameGeometry().width())
                                .arg(program.Main.frameGeometry().height())));
    }
};

QTEST_MAIN(WindowPlaceTest)
#include "WindowPlaceTest.moc"
