// The About window and Help: the maker's addresses.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void aboutWindowAndHelpOpenTheMakersAddresses() {
        RunningProgram program;
        program.Find<QPushButton>("helpButton")->click();
        program.Find<QAction>("helpAction")->trigger();
        QVERIFY(WithModal([&] { program.Find<QAction>("aboutAction")->trigger(); },
                          [](QWidget* dialog) {
                              auto* about = qobject_cast<AboutDialog*>(dialog);
                              QCOMPARE(about->windowTitle(), QString("About"));
                              QCOMPARE(about->productLabel->text(),
                                       QString("Tarnwick Hollowsweep ") +
                                           DisplayText(ProgramVersion));
                              QTest::mouseClick(about->webLink, Qt::LeftButton);
                              QTest::mouseClick(about->mailLink, Qt::LeftButton);
                              about->close();
                          }));
        QCOMPARE(program.Dialogs.Opened.size(), 4);
        QCOMPARE(program.Dialogs.Opened[0], QUrl("https://hollowsweep.example.org/"));
        QCOMPARE(program.Dialogs.Opened[1], program.Dialogs.Opened[0]);
        QCOMPARE(program.Dialogs.Opened[2], program.Dialogs.Opened[0]);
        QCOMPARE(program.Dialogs.Opened[3], QUrl("mailto:mail@hollowsweep.example.org"));
    }
};

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
