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
        QVERIFY(program.Dialogs.Calls.isEmpty());
    }

    // With no program to open an address, each way to it says what it could
    // not open, in the user's language.
    void anAddressNoProgramOpensIsNamed() {
        RunningProgram program;
        program.Dialogs.OpenAnswer = false;
        program.Find<QPushButton>("helpButton")->click();
        program.Find<QAction>("helpAction")->trigger();
        QVERIFY(WithModal([&] { program.Find<QAction>("aboutAction")->trigger(); },
                          [](QWidget* dialog) {
                              auto* about = qobject_cast<AboutDialog*>(dialog);
                              QTest::mouseClick(about->webLink, Qt::LeftButton);
                              QTest::mouseClick(about->mailLink, Qt::LeftButton);
                              about->close();
                          }));
        const QString site = "message Warning: https://hollowsweep.example.org/ could not be "
                             "opened.\nThis desktop has no program to open it with; xdg-open "
                             "(package xdg-utils) provides one.";
        QString mail = site;
        mail.replace("https://hollowsweep.example.org/", "mail@hollowsweep.example.org");
        QCOMPARE(program.Dialogs.Calls, QStringList({site, site, site, mail}));

        const SpeakGerman german;
        program.Dialogs.Calls.clear();
        program.Find<QPushButton>("helpButton")->click();
        QCOMPARE(program.Dialogs.Calls,
                 QStringList("message Warnung: https://hollowsweep.example.org/ konnte nicht "
                             "geöffnet werden.\nDieser Desktop hat kein Programm, um es zu "
                             "öffnen; xdg-open (Paket xdg-utils) stellt eines bereit."));
    }
};

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
