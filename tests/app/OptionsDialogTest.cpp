// The Options dialog: what it shows, stores and changes.

#include "ProgramUnderTest.h"

using namespace hollowsweep;
using namespace hollowsweep::test;

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void optionsAreStoredAndShownAtTheNextStart() {
        ScanRules rules;
        rules.ExcludedFolders = {".git", "cache*"};
        rules.JunkFiles = {"desktop.ini"};
        for (const auto name : CommonJunkFiles()) {
            if (name != "desktop.ini") {
                rules.JunkFiles.emplace_back(name);
            }
        }
        rules.OneFileSystem = true;
        rules.MinimumAge = std::chrono::hours(36);
        rules.ProtectFolders = false;
        {
            RunningProgram program;
            QVERIFY(WithModal([&] { program.Find<QAction>("optionsAction")->trigger(); },
                              [](QWidget* window) {
                                  auto* options = qobject_cast<OptionsDialog*>(window);
                                  QVERIFY(options != nullptr);
                                  QCOMPARE(options->Rules(), ScanRules{});
                                  QVERIFY(!options->MoveToTrash());
                                  options->excludedEdit->setPlainText(" .git \n\ncache*");
                                  options->junkEdit->setPlainText("desktop.ini");
                                  // The common set, one click away, adds each name once.
                                  options->commonJunkButton->click();
                                  options->commonJunkButton->click();
                                  options->oneFileSystemBox->setChecked(true);
                                  options->minimumAgeBox->setChecked(true);
                                  options->ageEdit->setValue(36);
                                  options->ageUnitBox->setCurrentText("hours");
                                  options->trashBox->setChecked(true);
                                  QVERIFY(options->protectBox->isChecked());
                                  options->protectBox->setChecked(false);
                                  options->buttons->button(QDialogButtonBox::Ok)->click();
                              }));
        }
        {
            Config stored(ConfigFile());
            QCOMPARE(ReadScanRules(*stored.Root()), rules);
            QVERIFY(ReadMoveToTrash(*stored.Root()));
        }
        const std::string saved = ReadWholeFile(ConfigFile());
        RunningProgram next;
        QVERIFY(WithModal([&] { next.Find<QAction>("optionsAction")->trigger(); },
                          [&rules](QWidget* window) {
                              auto* options = qobject_cast<OptionsDialog*>(window);
                              QVERIFY(options != nullptr);
                              QCOMPARE(options->Rules(), rules);
                              QCOMPARE(options->ageEdit->value(), 36);
                              QVERIFY(options->MoveToTrash());
                              options->oneFileSystemBox->setChecked(false);
                              options->buttons->button(QDialogButtonBox::Cancel)->click();
                          }));
        QCOMPARE(ReadWholeFile(ConfigFile()), saved);
    }

    // Folders other programs need stay out of the list; a panel counts them
    // and its hint names each with the reason. The option lists them again.
    void keptFoldersAreCountedAndTheOptionListsThem() {
        TestDir dir;
        for (const char* folder :
             {"tree/Maildir/cur", "tree/Maildir/new", "tree/Maildir/tmp", "tree/plain"}) {
            dir.MakeFolders(folder);
        }
        RunningProgram program;
        program.Main.OpenFolders({dir.Path("tree")});
        QCOMPARE(program.Column(1), QStringList({Local(dir, "tree/plain")}));
        QCOMPARE(program.Find<QLabel>("statusKept")->text(), QString("3 kept for other programs"));
        // In the order the file system lists them.
        QStringList hint = program.Find<QLabel>("statusKept")->toolTip().split('\n');
        QCOMPARE(hint.takeFirst(), QString("3 folders kept because other programs need them:"));
        hint.sort();
        QCOMPARE(hint, QStringList({Local(dir, "tree/Maildir/cur") + ": mail folder",
                                    Local(dir, "tree/Maildir/new") + ": mail folder",
                                    Local(dir, "tree/Maildir/tmp") + ": mail folder"}));

        QVERIFY(WithModal([&] { program.Find<QAction>("optionsAction")->trigger(); },
                          [](QWidget* window) {
                              auto* options = qobject_cast<OptionsDialog*>(window);
                              QVERIFY(options != nullptr);
                              options->protectBox->setChecked(false);
                              options->buttons->button(QDialogButtonBox::Ok)->click();
                          }));
        QVERIFY(ReadWholeFile(ConfigFile()).find("protectFolders=\"False\"") != std::string::npos);
        program.Main.OpenFolders({dir.Path("tree")});
        QCOMPARE(program.Model()->rowCount(), 6);
        QCOMPARE(program.Find<QLabel>("statusKept")->text(), QString());
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
