// The column dialog, opened from the list's header.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

class ColumnDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void columnDialogOkHidesAndCancelKeeps() {
        RunningProgram program;
        QVERIFY(WithModal([&] { program.ClickHeader(0, Qt::RightButton); },
                          [](QWidget* dialog) {
                              auto* config = qobject_cast<ColumnDialog*>(dialog);
                              QCOMPARE(config->windowTitle(), QString("Config visible columns"));
                              QCOMPARE(config->columnList->count(), 2);
                              QCOMPARE(config->columnList->item(1)->text(), QString("Full Path"));
                              config->columnList->item(1)->setCheckState(Qt::Unchecked);
                              config->cancelButton->click();
                          }));
        QVERIFY(!program.Header()->isSectionHidden(1));
        QCOMPARE(ReadWholeFile(ConfigFile()), std::string(DefaultConfigText));

        QVERIFY(WithModal([&] { program.ClickHeader(0, Qt::RightButton); },
                          [](QWidget* dialog) {
                              auto* config = qobject_cast<ColumnDialog*>(dialog);
                              config->columnList->item(1)->setCheckState(Qt::Unchecked);
                              config->okButton->click();
                          }));
        QVERIFY(program.Header()->isSectionHidden(1));
        QVERIFY(ReadWholeFile(ConfigFile()).find("Name=\"Full Path\" Visible=\"False\"") !=
                std::string::npos);
    }

    // The last shown column cannot go: OK waits, and says why. Escape
    // cancels, Return presses OK.
    void atLeastOneColumnStaysAndTheKeysAnswer() {
        RunningProgram program;
        QVERIFY(WithModal([&] { program.ClickHeader(0, Qt::RightButton); },
                          [](QWidget* dialog) {
                              auto* config = qobject_cast<ColumnDialog*>(dialog);
                              config->columnList->item(0)->setCheckState(Qt::Unchecked);
                              config->columnList->item(1)->setCheckState(Qt::Unchecked);
                              QVERIFY(!config->okButton->isEnabled());
                              QCOMPARE(config->okButton->toolTip(),
                                       QString("Keep at least one column visible."));
                              QTest::keyClick(config->columnList, Qt::Key_Return);
                              QVERIFY(config->isVisible());
                              QTest::keyClick(config->columnList, Qt::Key_Escape);
                          }));
        QVERIFY(!program.Header()->isSectionHidden(0) && !program.Header()->isSectionHidden(1));

        QVERIFY(WithModal([&] { program.ClickHeader(0, Qt::RightButton); },
                          [](QWidget* dialog) {
                              auto* config = qobject_cast<ColumnDialog*>(dialog);
                              config->columnList->item(0)->setCheckState(Qt::Unchecked);
                              QVERIFY(config->okButton->isEnabled());
                              QTest::keyClick(config->columnList, Qt::Key_Return);
                          }));
        QVERIFY(program.Header()->isSectionHidden(0));
        QVERIFY(!program.Header()->isSectionHidden(1));
    }
};

QTEST_MAIN(ColumnDialogTest)
#include "ColumnDialogTest.moc"
