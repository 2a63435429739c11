// The windows on a small screen: 1024 x 600 at scale 1.5, as a netbook or a
// tablet shows them. Every command stays within reach and no caption is cut,
// in English and in the longer German.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

namespace {

// Whether a widget shows whole inside the window, its text uncut.
bool ShowsWhole(const QWidget* widget, const QWidget* window) {
    const QRect shown(widget->mapTo(window, QPoint()), widget->size());
    return widget->isVisible() && window->rect().contains(shown) &&
           widget->width() >= widget->sizeHint().width() &&
           widget->height() >= widget->sizeHint().height();
}

} // namespace

class SmallScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void everyCommandIsWithinReach_data() {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("storedFrame");
        QTest::newRow("English, first start") << false << QString();
        QTest::newRow("German, first start") << true << QString();
        // Left on a larger screen that is gone, partly below this one's edge.
        QTest::newRow("German, left elsewhere")
            << true << QString(R"(max="False" left="900" top="700" height="700" width="1200")");
    }
    void everyCommandIsWithinReach() {
        QFETCH(bool, german);
        QFETCH(QString, storedFrame);
        std::optional<SpeakGerman> language;
        if (german) {
            language.emplace();
        }
        if (!storedFrame.isEmpty()) {
            std::string config(DefaultConfigText);
            const std::string unstored = R"(max="True" left="0" top="0" height="600" width="800")";
            config.replace(config.find(unstored), unstored.size(), storedFrame.toStdString());
            WriteFile(ConfigFile(), config);
        }
        RunningProgram program;
        const QRect screen = program.Main.screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(682, 400));
        QVERIFY2(screen.contains(program.Main.frameGeometry()),
                 qPrintable(QString("frame %1,%2 %3x%4")
                                .arg(program.Main.frameGeometry().x())
                                .arg(program.Main.frameGeometry().y())
                                .arg(program.Main.frameGeometry().width())
                                .arg(program.Main.frameGeometry().height())));
        for (const char* name : {"openButton", "checkAllButton", "uncheckAllButton", "deleteButton",
                                 "helpButton", "exitButton"}) {
            QVERIFY2(ShowsWhole(program.Find<QPushButton>(name), &program.Main), name);
        }
        QVERIFY(program.View()->isVisible());
        QVERIFY(program.View()->height() >= 100);
        QVERIFY(ShowsWhole(program.Find<QLabel>("statusText"), &program.Main) ||
                program.Find<QLabel>("statusText")->text().isEmpty());
        const QMenuBar* menu = program.Main.menuBar();
        for (const char* name : {"optionsAction", "aboutAction", "helpAction"}) {
            const QRect item = menu->actionGeometry(program.Find<QAction>(name));
            QVERIFY2(!item.isEmpty() && menu->rect().contains(item), name);
        }
        if (german) {
            QCOMPARE(program.Find<QPushButton>("openButton")->text(), QString("&Ordner öffnen"));
        }
    }

    void theWaitWindowShowsItsWholeText() {
        SpeakGerman language;
        RunningProgram program;
        program.Wait.SetCancellable(true);
        program.Wait.SetWaitProgress("1.234.567 Ordner durchsucht");
        program.Wait.ShowWaitForm(true);
        for (const QWidget* line : std::initializer_list<const QWidget*>{
                 program.Wait.patienceLabel, program.Wait.messageLabel, program.Wait.progressLabel,
                 program.Wait.cancelButton}) {
            QVERIFY2(ShowsWhole(line, &program.Wait), qPrintable(line->objectName()));
        }
        QVERIFY(program.Wait.screen()->availableGeometry().contains(program.Wait.frameGeometry()));
        program.Wait.SetCancellable(false);
        program.Wait.ShowWaitForm(false);
    }
};

QTEST_MAIN(SmallScreenTest)
#include "SmallScreenTest.moc"
