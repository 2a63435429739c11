// The main window, driven as a user drives it: clicks, drops, header clicks
// and the list, with the dialogs it opens answered through its seams.

#include "PaintedTexts.h"
#include "ProgramUnderTest.h"
#include "core/errors/Errors.h"

#include <QLineEdit>
#include <cerrno>

using namespace hollowsweep;
using namespace hollowsweep::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { configFolder = std::make_unique<TestDir>(); }
    void cleanup() { configFolder.reset(); }

    void firstShowBuildsTheDefaultColumns() {
        RunningProgram program;
        QCOMPARE(program.Main.windowTitle(),
                 QString("Tarnwick Hollowsweep ") + DisplayText(ProgramVersion));
        QCOMPARE(ReadWholeFile(ConfigFile()), std::string(DefaultConfigText));
        QCOMPARE(program.Header()->count(), 2);
        QCOMPARE(program.Model()->headerData(0, Qt::Horizontal).toString(), QString("Folder Name"));
        QCOMPARE(program.Model()->headerData(1, Qt::Horizontal).toString(), QString("Full Path"));
        QCOMPARE(program.Header()->sectionSize(0), 172);
        // The last column fills the list's width.
        QCOMPARE(program.Header()->sectionSize(1), program.View()->viewport()->width() - 172);
        QCOMPARE(program.Header()->visualIndex(1), 1);
        QVERIFY(!program.Header()->isSortIndicatorShown());
        QCOMPARE(program.Header()->height(), 17);
        QCOMPARE(program.Main.centralWidget()->height() + program.Main.statusBar()->height(), 401);
        QCOMPARE(program.Main.width(), 980);
        QCOMPARE(program.Find<QPushButton>("deleteButton")->text(),
                 QString("&Delete Checked From Disk"));
        QVERIFY(program.Find<QPushButton>("deleteButton")->font().bold());
        QVERIFY(!program.Find<QPushButton>("checkAllButton")->font().bold());
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString());
        QStringList popup;
        for (const QAction* action : program.Find<QMenu>("listMenu")->actions()) {
            popup << action->text();
        }
        QCOMPARE(popup,
                 QStringList({"Export To HTML", "Export To Text", "Export To Excel",
                              "Export To SCV", "Export To XML", "", "Check Folder And Subfolders",
                              "Uncheck Folder And Subfolders"}));

        program.Fill({ResultRecord::ForFolder("/data/Old"), ResultRecord::ForFolder("/x/b")});
        QCOMPARE(program.Cell(0, 0), QString("Old"));
        QCOMPARE(program.Cell(0, 1), QString("/data/Old"));
        QCOMPARE(program.Model()->index(0, 1).data(Qt::ToolTipRole).toString(),
                 QString("Double click to open it in explorer."));
        QCOMPARE(program.Model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(239, 243, 255));
        QAbstractItemModelTester tester(program.Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        program.Find<QPushButton>("uncheckAllButton")->click();
        program.Fill({});
    }

    void dropScansEveryDroppedFolderOnce() {
        TestDir dir;
        dir.MakeFolders("a/x/y");
        dir.MakeFile("a/file");
        dir.MakeFolders("b/z");
        dir.MakeFile("b/file");
        dir.MakeFile("plain.txt");
        RunningProgram program;
        program.Drop({Local(dir, "a"), Local(dir, "b"), Local(dir, "a/x")});
        // The drop is taken at once; the scan comes after it.
        QCOMPARE(program.Model()->rowCount(), 0);
        QTRY_COMPARE(program.Column(1),
                     QStringList({Local(dir, "a/x/y"), Local(dir, "a/x"), Local(dir, "b/z")}));
        QVERIFY(program.Checked(0) && program.Checked(2));
        QVERIFY(!program.Wait.isVisible());

        program.Drop({Local(dir, "plain.txt")});
        QTRY_COMPARE(program.Dialogs.Calls,
                     QStringList("message Warning: This could not be scanned as a folder:\n" +
                                 Local(dir, "plain.txt") + ": not a folder"));
        QCOMPARE(program.Model()->rowCount(), 3);
    }

    // As the program's arguments give them: the folders among them, byte for
    // byte, after one message that names the others and why.
    void folderArgumentsAreScannedTogether() {
        TestDir dir;
        dir.MakeFolders("one/caf\xe9");
        dir.MakeFolders("two/b");
        dir.MakeFile("file.txt");
        RunningProgram program;
        program.Main.OpenFolders(
            {dir.Path("one"), dir.Path("missing"), dir.Path("file.txt"), dir.Path("two")});
        QCOMPARE(program.Dialogs.Calls,
                 QStringList("message Warning: These could not be scanned as folders:\n" +
                             Local(dir, "missing") + ": No such file or directory\n" +
                             Local(dir, "file.txt") + ": not a folder"));
        QCOMPARE(program.Main.List().Count(), 4U);
        QCOMPARE(program.Main.List().At(0).Record.Path(), dir.Path("one/caf\xe9"));

        // German, as the tool says it there.
        const SpeakGerman german;
        program.Dialogs.Calls.clear();
        program.Main.OpenFolders({dir.Path("missing")});
        QCOMPARE(program.Dialogs.Calls,
                 QStringList("message Warnung: Dies lässt sich nicht als Ordner durchsuchen:\n" +
                             Local(dir, "missing") + ": " + DisplayText(SystemErrorText(ENOENT))));
        QCOMPARE(program.Main.List().Count(), 4U);
    }

    void openFolderScansBehindTheWaitWindow() {
        TestDir dir;
        dir.MakeFolders("tree/a/b/c");
        dir.MakeFile("tree/file");
        RunningProgram program;
        program.Find<QPushButton>("openButton")->click();
        QCOMPARE(program.Model()->rowCount(), 0);
        program.Dialogs.FolderAnswer = Local(dir, "tree");
        program.Find<QPushButton>("openButton")->click();
        QCOMPARE(program.Column(0), QStringList({"c", "b", "a"}));
        // The chooser starts where the last folder was opened.
        program.Find<QPushButton>("openButton")->click();
        QCOMPARE(program.Dialogs.Calls.last(), "choose folder in " + Local(dir, "tree"));
        QCOMPARE(program.Wait.messageLabel->text(), QString("Loading info.."));
        QVERIFY(!program.Wait.isVisible());
    }

    // However the user cancels, the list stays as it was, and the scan that
    // was cancelled never comes back to replace it.
    void cancelledScanLeavesTheListAsItWas() {
        const std::pair<const char*, std::function<void(WaitWindow&)>> ways[] = {
            {"Cancel",
             [](WaitWindow& wait) {
                 wait.cancelButton->click();
             }},
            {"Escape",
             [](WaitWindow& wait) {
                 QTest::keyClick(&wait, Qt::Key_Escape);
             }},
            {"close",
             [](WaitWindow& wait) {
                 wait.close();
             }},
        };
        for (const auto& [name, cancel] : ways) {
            TestDir dir;
            dir.MakeFolders("tree/a");
            RunningProgram program;
            program.Fill({ResultRecord::ForFolder("/earlier")});
            bool held = false;
            // Holds the scan until the user has cancelled it.
            program.Main.SetScanner([&held](ResultList& found, std::span<const std::string> folders,
                                            const ScanOptions& options) {
                held = true;
                while (!options.Cancel->load()) {
                    QThread::msleep(5);
                }
                return LoadEmptyFolders(found, folders, options);
            });
            QTimer::singleShot(50, [&program, &cancel = cancel] {
                QVERIFY(program.Wait.isVisible());
                QVERIFY(program.Wait.cancelButton->isVisible());
                cancel(program.Wait);
                // The window stays until the scan has stopped.
                QVERIFY(program.Wait.isVisible());
            });
            program.Dialogs.FolderAnswer = Local(dir, "tree");
            program.Find<QPushButton>("openButton")->click();
            QVERIFY2(held, name);
            QCOMPARE(program.Column(1), QStringList({"/earlier"}));
            QVERIFY(!program.Wait.isVisible());

            // The next scan is whole again.
            program.Main.SetScanner(nullptr);
            program.Find<QPushButton>("openButton")->click();
            QCOMPARE(program.Column(1), QStringList({Local(dir, "tree/a"), Local(dir, "tree")}));
        }
    }

    // Whatever the columns shown and their order, the check boxes show in the
    // first of them: a check that cannot be seen must not be acted on.
    void checkBoxesShowInTheFirstVisibleColumn() {
        std::string config(DefaultConfigText);
        const std::string shown = "Name=\"Folder Name\" Visible=\"True\"";
        config.replace(config.find(shown), shown.size(), "Name=\"Folder Name\" Visible=\"False\"");
        hollowsweep::test::WriteFile(ConfigFile(), config);
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/d/a")});
        QVERIFY(program.Header()->isSectionHidden(0));
        QCOMPARE(program.Model()->CheckColumn(), 1);
        QVERIFY(program.Model()->flags(program.Model()->index(0, 1)) & Qt::ItemIsUserCheckable);
        QVERIFY(!program.Model()->index(0, 0).data(Qt::CheckStateRole).isValid());

        program.Header()->setSectionHidden(0, false);
        program.Header()->moveSection(program.Header()->visualIndex(1), 0);
        QCOMPARE(program.Model()->CheckColumn(), 1);
        program.Header()->moveSection(program.Header()->visualIndex(0), 0);
        QCOMPARE(program.Model()->CheckColumn(), 0);
    }

    void spaceTogglesEverySelectedRowFromAnyColumn() {
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/a"), ResultRecord::ForFolder("/b"),
                      ResultRecord::ForFolder("/c")});
        QItemSelectionModel* selection = program.View()->selectionModel();
        program.View()->setCurrentIndex(program.Model()->index(0, 1));
        selection->select(program.Model()->index(2, 1),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(program.View(), Qt::Key_Space);
        QVERIFY(!program.Checked(0) && program.Checked(1) && !program.Checked(2));
        QTest::keyClick(program.View(), Qt::Key_Space);
        QVERIFY(program.Checked(0) && program.Checked(1) && program.Checked(2));
    }

    // The grid line under a row must not hide what sits low in it: an
    // underscore, or the outline of an unchecked box.
    void rowsShowUnderscoresAndUncheckedBoxes() {
        RunningProgram program;
        const auto cellImage = [&program](const char* name) {
            program.Fill({ResultRecord::ForFolder(std::string("/d/") + name)});
            program.Find<QPushButton>("uncheckAllButton")->click();
            QApplication::processEvents();
            const QRect cell = program.View()->visualRect(program.Model()->index(0, 0));
            return program.View()->viewport()->grab(cell).toImage();
        };
        QVERIFY(cellImage("a_b") != cellImage("a b"));

        const QImage cell = cellImage("a");
        const QColor background = cell.pixelColor(cell.width() - 3, cell.height() / 2);
        int darkest = 255;
        // The box sits at the cell's left, within its first row height.
        for (int x = 0; x < cell.height() + 4 && x < cell.width(); ++x) {
            for (int y = 1; y < cell.height() - 2; ++y) {
                darkest = std::min(darkest, cell.pixelColor(x, y).lightness());
            }
        }
        QVERIFY2(background.lightness() - darkest >= 60,
                 qPrintable(QString("box %1 on %2").arg(darkest).arg(background.lightness())));
    }

    // What takes the mouse elsewhere takes a key too: Delete on the list is the
    // delete button with its question, Shift+F10 opens the list's menu, and F10
    // reaches the menu bar, whose entries Return opens.
    void theKeyboardReachesEveryCommand() {
        TestDir dir;
        dir.MakeFolders("tree/a");
        dir.MakeFile("tree/file");
        RunningProgram program;
        program.Main.OpenFolders({dir.Path("tree")});
        QCOMPARE(program.Model()->rowCount(), 1);
        // Keys reach the window the user works in.
        program.Main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program.Main));
        program.View()->setFocus();
        program.View()->setCurrentIndex(program.Model()->index(0, 0));
        QTest::keyClick(program.View(), Qt::Key_Delete);
        QVERIFY(!program.Dialogs.Calls.isEmpty());
        QCOMPARE(program.Dialogs.Calls.last(),
                 QString("ask Warning: Are you sure to delete the folders?\n\n1 folder checked"));
        QVERIFY(dir.Exists("tree/a"));

        auto* menu = program.Find<QMenu>("listMenu");
        QTest::keyClick(program.View(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        const QRect row = program.View()->visualRect(program.View()->currentIndex());
        QVERIFY(menu->geometry().contains(
            program.View()->viewport()->mapToGlobal(row.bottomLeft()) + QPoint(1, 1)));
        menu->close();

        QTest::keyClick(&program.Main, Qt::Key_F10);
        QMenuBar* bar = program.Main.menuBar();
        QCOMPARE(bar->activeAction(), program.Find<QAction>("optionsAction"));
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), program.Find<QAction>("aboutAction"));
        QVERIFY(WithModal([&] { QTest::keyClick(bar, Qt::Key_Return); },
                          [](QWidget* about) {
                              QVERIFY(qobject_cast<AboutDialog*>(about) != nullptr);
                              about->close();
                          }));
    }

    // The list's menu checks or unchecks the folder it was opened for and
    // every folder listed below it, by whole names: "a" does not hold "ab".
    // Mouse, Shift+F10 and the Menu key open it; the keyboard reaches the
    // entries; with a filter, only the folders shown change, as with "Check
    // All".
    void theListMenuChecksAFolderWithItsSubfolders() {
        TestDir dir;
        dir.MakeFolders("tree/a/b/c");
        dir.MakeFolders("tree/ab");
        dir.MakeFile("tree/keep");
        RunningProgram program;
        program.Main.OpenFolders({dir.Path("tree")});
        const QStringList paths = program.Column(1);
        QCOMPARE(paths.size(), 4);
        const auto rowOf = [&paths, &dir](const char* folder) {
            return static_cast<int>(paths.indexOf(Local(dir, folder)));
        };
        const auto checkedPaths = [&program] {
            QStringList checked;
            for (int row = 0; row < program.Model()->rowCount(); ++row) {
                if (program.Checked(row)) {
                    checked << program.Cell(row, 0);
                }
            }
            checked.sort();
            return checked;
        };
        program.Main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program.Main));
        program.View()->setFocus();
        auto* menu = program.Find<QMenu>("listMenu");
        QSignalSpy changes(program.Model(), &QAbstractItemModel::dataChanged);

        program.View()->setCurrentIndex(program.Model()->index(rowOf("tree/a"), 1));
        QTest::keyClick(program.View(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        // Up from the top wraps to the last entry.
        QTest::keyClick(menu, Qt::Key_Up);
        QCOMPARE(menu->activeAction(), program.Find<QAction>("uncheckSubtreeAction"));
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(checkedPaths(), QStringList({"ab"}));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString("4 empty folders, 1 checked"));

        // A right click, as the window delivers it to the list: for the row
        // the mouse points at, which need not be the current one.
        const auto rightClick = [&program](const QPoint& at) {
            QWidget* viewport = program.View()->viewport();
            QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &click);
        };
        program.View()->setCurrentIndex(program.Model()->index(rowOf("tree/ab"), 1));
        const QRect row = program.View()->visualRect(program.Model()->index(rowOf("tree/a/b"), 1));
        rightClick(row.center());
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(menu->geometry().contains(program.View()->viewport()->mapToGlobal(row.center()) +
                                          QPoint(1, 1)));
        program.Find<QAction>("checkSubtreeAction")->trigger();
        menu->close();
        QCOMPARE(checkedPaths(), QStringList({"ab", "b", "c"}));
        QCOMPARE(changes.count(), 2);

        // The Menu key, as the desktop delivers it: for the current row.
        program.View()->setCurrentIndex(program.Model()->index(rowOf("tree/a/b/c"), 1));
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                  program.View()->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(program.View(), &menuKey);
        QTRY_VERIFY(menu->isVisible());
        program.Find<QAction>("uncheckSubtreeAction")->trigger();
        menu->close();
        QCOMPARE(checkedPaths(), QStringList({"ab", "b"}));

        // Below the rows there is no folder to act on.
        const QPoint below(5, program.View()->viewport()->height() - 3);
        QVERIFY(!program.View()->indexAt(below).isValid());
        rightClick(below);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!program.Find<QAction>("checkSubtreeAction")->isEnabled());
        QVERIFY(!program.Find<QAction>("uncheckSubtreeAction")->isEnabled());
        menu->close();

        program.Find<QLineEdit>("filterBox")->setText("*/a");
        QCOMPARE(program.Model()->rowCount(), 1);
        program.View()->setFocus();
        program.View()->setCurrentIndex(program.Model()->index(0, 1));
        QTest::keyClick(program.View(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        program.Find<QAction>("checkSubtreeAction")->trigger();
        menu->close();
        program.Find<QLineEdit>("filterBox")->clear();
        QCOMPARE(checkedPaths(), QStringList({"a", "ab", "b"}));
    }

    // A path too long for its cell keeps its beginning and its last folder's
    // whole name around an ellipsis; a path that fits is drawn whole.
    void fullPathGivesWayInTheMiddleKeepingTheLastName() {
        RunningProgram program;
        std::string deep = "/srv";
        for (int i = 0; i < 40; ++i) {
            deep += "/level" + std::to_string(i);
        }
        deep += "/the_last_folder";
        program.Fill({ResultRecord::ForFolder(deep), ResultRecord::ForFolder("/srv/short")});
        program.Main.resize(program.Main.minimumSize());
        QApplication::processEvents();
        const QStringList texts = PaintedTexts(program.View()->viewport());
        QVERIFY2(texts.contains("/srv/short"), qPrintable(texts.join(" | ")));
        QVERIFY2(texts.contains("the_last_folder"), qPrintable(texts.join(" | ")));
        const QStringList elided = texts.filter(QChar(0x2026));
        QCOMPARE(elided.size(), 1);
        QVERIFY2(elided[0].startsWith("/srv/level0/") && elided[0].endsWith("…/the_last_folder"),
                 qPrintable(elided[0]));
        const int shown = QFontMetrics(program.View()->font()).horizontalAdvance(elided[0]);
        QVERIFY(shown <= program.Header()->sectionSize(1));
        QVERIFY(shown > program.Header()->sectionSize(1) * 3 / 4);
    }

    // The last column shown fills the list at any window size; what is stored
    // at close is each column's width as the user left it, not as stretched.
    void theLastColumnFillsTheListAndTheUsersWidthsAreStored() {
        {
            RunningProgram program;
            QHeaderView* header = program.Header();
            const auto fills = [&program, header] {
                return header->length() == program.View()->viewport()->width();
            };
            QVERIFY(fills());
            program.Main.resize(program.Main.size() + QSize(300, 0));
            QVERIFY(fills());
            const int wide = header->sectionSize(1);
            QVERIFY(wide > 600);
            header->resizeSection(0, 250);
            QVERIFY(fills());
            program.Main.resize(program.Main.minimumSize());
            QVERIFY(fills());
            QVERIFY(header->sectionSize(1) < wide - 300);
            // Hidden and shown again, a column comes back at its own width.
            header->setSectionHidden(1, true);
            QCOMPARE(header->sectionSize(0), program.View()->viewport()->width());
            header->setSectionHidden(1, false);
            QCOMPARE(header->sectionSize(0), 250);
            QVERIFY(fills());
            // Moved to the end, a column stretches; the one before it has
            // its own width again.
            header->moveSection(0, 1);
            QCOMPARE(header->sectionSize(1), 320);
            QVERIFY(fills());
            header->moveSection(1, 0);
            QVERIFY(fills());
            program.Main.close();
        }
        const std::string saved = ReadWholeFile(ConfigFile());
        QVERIFY(saved.find("Name=\"Folder Name\" Visible=\"True\" Index=\"0\" "
                           "DefaultExport=\"True\" Width=\"250\"") != std::string::npos);
        QVERIFY(saved.find("Name=\"Full Path\" Visible=\"True\" Index=\"1\" "
                           "DefaultExport=\"True\" Width=\"320\"") != std::string::npos);
    }

    // Many rows take a change of marks at once; the count follows.
    void spaceOnManySelectedRowsChecksThemAllAtOnce() {
        RunningProgram program;
        std::vector<ResultRecord> records;
        records.reserve(1000);
        for (int i = 0; i < 1000; ++i) {
            records.push_back(ResultRecord::ForFolder("/f" + std::to_string(i)));
        }
        program.Fill(records);
        program.View()->setCurrentIndex(program.Model()->index(500, 0));
        program.View()->selectAll();
        QSignalSpy changes(program.Model(), &QAbstractItemModel::dataChanged);
        QTest::keyClick(program.View(), Qt::Key_Space);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(program.Model()->List().CheckedCount(), 0U);
        QVERIFY(!program.Checked(0) && !program.Checked(999));
        QCOMPARE(program.Find<QLabel>("statusText")->text(),
                 QString("1000 empty folders, 0 checked"));
        program.Find<QPushButton>("checkAllButton")->click();
        QCOMPARE(changes.count(), 2);
        QVERIFY(program.Checked(0) && program.Checked(999));
    }

    // Typed into the box, the filter narrows the rows; Check All and Space
    // act on what is shown, and the status bar tells how much that is.
    void filterBoxNarrowsTheListAndCommandsActOnWhatIsShown() {
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/srv/Photos"), ResultRecord::ForFolder("/tmp/x"),
                      ResultRecord::ForFolder("/srv/photos/raw")});
        auto* filter = program.Find<QLineEdit>("filterBox");
        program.View()->setFocus();
        QTest::keyClick(&program.Main, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(filter->hasFocus());
        QTest::keyClicks(filter, "photos");
        QCOMPARE(program.Column(1), QStringList({"/srv/Photos", "/srv/photos/raw"}));
        program.Find<QPushButton>("uncheckAllButton")->click();
        QCOMPARE(program.Find<QLabel>("statusText")->text(),
                 QString("3 empty folders, 1 checked, 2 of 3 shown"));
        program.View()->setCurrentIndex(program.Model()->index(1, 0));
        QTest::keyClick(program.View(), Qt::Key_Space);
        QVERIFY(program.Model()->List().At(2).Checked());
        QVERIFY(!program.Model()->List().At(0).Checked());
        filter->setText("*/x");
        QCOMPARE(program.Column(1), QStringList({"/tmp/x"}));
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(program.Model()->rowCount(), 3);
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString("3 empty folders, 2 checked"));
    }

    // A dark theme's white text must not land on the list's fixed light cells.
    void aDarkPaletteKeepsTheListReadable() {
        const QPalette original = QApplication::palette();
        QPalette dark = original;
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::ToolTipBase, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        {
            RunningProgram program;
            program.Fill({ResultRecord::ForFolder("/d/a")});
            for (int column = 0; column < program.Model()->columnCount(); ++column) {
                const QModelIndex cell = program.Model()->index(0, column);
                const QVariant background = cell.data(Qt::BackgroundRole);
                const QColor text = cell.data(Qt::ForegroundRole).isValid()
                                        ? cell.data(Qt::ForegroundRole).value<QColor>()
                                        : dark.color(QPalette::Text);
                const QColor under =
                    background.isValid() ? background.value<QColor>() : dark.color(QPalette::Base);
                QVERIFY2(std::abs(text.lightness() - under.lightness()) >= 128,
                         qPrintable(QString("column %1").arg(column)));
                // The rows stay as dark as the rest of the list.
                QVERIFY2(under.lightness() < 100, qPrintable(QString("column %1").arg(column)));
            }
        }
        QApplication::setPalette(original);
    }

    // The status bar counts the list and names what the scan could not read.
    void statusBarCountsFoldersChecksAndUnreadableFolders() {
        TestDir dir;
        dir.MakeFolders("tree/a");
        dir.MakeFolders("tree/b");
        RunningProgram program;
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString());
        program.Main.OpenFolders({dir.Path("tree"), dir.Path("gone")});
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString("3 empty folders, 3 checked"));
        QCOMPARE(program.Find<QLabel>("statusCount")->text(), QString());
        QVERIFY(program.Model()->setData(program.Model()->index(0, 0), Qt::Unchecked,
                                         Qt::CheckStateRole));
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString("3 empty folders, 2 checked"));

        // A scan that met a folder it could not read says so.
        ResultList list;
        list.SetScannedFolders({dir.Path("tree")});
        list.AddUnreadableFolder({dir.Path("tree/locked"), EACCES});
        program.Main.List().Replace(std::move(list));
        QCOMPARE(program.Find<QLabel>("statusText")->text(), QString("0 empty folders, 0 checked"));
        QCOMPARE(program.Find<QLabel>("statusCount")->text(), QString("1 unreadable"));
        QCOMPARE(program.Find<QLabel>("statusCount")->toolTip(), "1 folder could not be read:\n" +
                                                                     Local(dir, "tree/locked") +
                                                                     ": Permission denied");
    }

    void theWindowOpensAtItsSizeAndTheListGrowsWithIt() {
        RunningProgram program;
        const QSize opened = program.Main.size();
        QCOMPARE(opened.width(), 980);
        const QSize list = program.View()->size();
        program.Main.resize(opened + QSize(300, 200));
        QCOMPARE(program.View()->size(), list + QSize(300, 200));
        // It can be made smaller than it opens, down to what a small screen
        // shows whole.
        program.Main.resize(QSize(100, 100));
        QCOMPARE(program.Main.size(), program.Main.minimumSize());
        QVERIFY(program.Main.width() < opened.width() && program.Main.height() < opened.height());
    }

    // The window opens where it was left, as large, and maximised when it was.
    void theWindowsPlaceIsKeptForTheNextStart() {
        {
            RunningProgram program;
            QVERIFY(!program.Main.isMaximized());
            program.Main.resize(1100, 520);
            program.Main.move(30, 20);
            QVERIFY(program.Main.close());
        }
        const std::string normal = "<frame max=\"False\" left=\"30\" top=\"20\" height=\"520\" "
                                   "width=\"1100\">";
        QVERIFY(ReadWholeFile(ConfigFile()).find(normal) != std::string::npos);
        {
            RunningProgram next;
            QCOMPARE(next.Main.pos(), QPoint(30, 20));
            QCOMPARE(next.Main.size(), QSize(1100, 520));
            next.Main.showMaximized();
            QVERIFY(next.Main.close());
        }
        // Maximised, it keeps the place it goes back to.
        QVERIFY(ReadWholeFile(ConfigFile())
                    .find("<frame max=\"True\" left=\"30\" top=\"20\" "
                          "height=\"520\" width=\"1100\">") != std::string::npos);
        RunningProgram last;
        QVERIFY(last.Main.isMaximized());
    }

    // With the trash option set, the checked folders go to the desktop's
    // trash, a chain as one item, and the account says so; where the trash
    // cannot take them, the account says why.
    void theTrashTakesTheFoldersWhenTheOptionIsSet() {
        TestDir home;
        hollowsweep::test::ScopedEnvironment environment;
        environment.Set("HOME", home.Root());
        environment.Set("XDG_DATA_HOME", home.Path("data"));
        std::string config(DefaultConfigText);
        config.insert(config.rfind("</config>"), "<removal moveToTrash=\"True\"/>");
        hollowsweep::test::WriteFile(ConfigFile(), config);
        home.MakeFolders("tree/a/b");
        home.MakeFolders("tree/odd\xff");
        home.MakeFile("tree/file");
        RunningProgram program;
        program.Main.OpenFolders({home.Path("tree")});
        QCOMPARE(program.Model()->rowCount(), 3);
        program.Dialogs.YesAnswer = true;
        program.Find<QPushButton>("deleteButton")->click();
        QCOMPARE(program.Dialogs.Calls.at(program.Dialogs.Calls.size() - 2),
                 QString("ask Warning: Are you sure to delete the folders?\n\n3 folders checked, "
                         "to be moved to the trash"));
        QCOMPARE(program.Dialogs.Calls.last(),
                 QString("report Delete Checked From Disk: 3 folders moved to the trash."));
        QCOMPARE(program.Model()->rowCount(), 0);
        QVERIFY(!home.Exists("tree/a"));
        QVERIFY(home.Exists("data/Trash/files/a/b"));
        QVERIFY(!home.Exists("data/Trash/files/b"));
        QVERIFY(home.Exists("data/Trash/files/odd\xff"));
        QVERIFY(ReadWholeFile(home.Path("data/Trash/info/odd\xff.trashinfo"))
                    .find("\nPath=" + home.Path("tree/odd%FF") + "\n") != std::string::npos);

        // A trash that cannot be set up takes nothing, and GIO says why.
        std::filesystem::rename(home.Path("data/Trash"), home.Path("data/Trash.old"));
        home.MakeFile("data/Trash");
        home.MakeFolders("tree/c");
        program.Main.OpenFolders({home.Path("tree")});
        program.Find<QPushButton>("deleteButton")->click();
        const QString report = program.Dialogs.Calls.last();
        QVERIFY2(report.startsWith("report Delete Checked From Disk: 0 folders moved to the "
                                   "trash.\n1 folder could not be moved to the trash. | " +
                                   QString::fromStdString(home.Path("tree/c")) +
                                   ": could not be moved to the trash: "),
                 qPrintable(report));
        QVERIFY2(report.size() > report.lastIndexOf(": ") + 3, qPrintable(report));
        QVERIFY(home.Exists("tree/c"));
    }

    // In German the windows speak German; the texts that the tests compare
    // are English again as soon as the English locale is back.
    void theWindowsSpeakTheUsersLanguage() {
        {
            const SpeakGerman german;
            RunningProgram program;
            QCOMPARE(program.Find<QPushButton>("openButton")->text(), QString("&Ordner öffnen"));
            QCOMPARE(program.Find<QAction>("optionsAction")->text(), QString("Einstellungen..."));
            QCOMPARE(program.Wait.cancelButton->text(), QString("Abbrechen"));
            QCOMPARE(program.Find<QMenu>("listMenu")->actions().first()->text(),
                     QString("Als HTML exportieren"));
            QCOMPARE(program.Find<QAction>("checkSubtreeAction")->text(),
                     QString("Ordner und Unterordner markieren"));
        }
        RunningProgram program;
        QCOMPARE(program.Find<QPushButton>("openButton")->text(), QString("&Open Folder"));
        QCOMPARE(program.Find<QMenu>("listMenu")->actions().first()->text(),
                 QString("Export To HTML"));
    }

    // German words agree with the count where English ones need not, so one
    // folder and two read differently beyond the noun.
    void germanCountsAgreeInNumber() {
        const SpeakGerman german;
        const struct {
            const char* made;
            int unreadable;
            QString counts;
            QString hint;
        } cases[] = {
            {"tree", 1, "1 leerer Ordner, 1 markiert", "1 Ordner konnte nicht gelesen werden:"},
            {"tree/a", 2, "2 leere Ordner, 2 markiert", "2 Ordner konnten nicht gelesen werden:"},
        };
        for (const auto& [made, unreadable, counts, hint] : cases) {
            TestDir dir;
            dir.MakeFolders(made);
            RunningProgram program;
            program.Main.OpenFolders({dir.Path("tree")});
            QCOMPARE(program.Find<QLabel>("statusText")->text(), counts);
            ResultList list;
            list.SetScannedFolders({dir.Path("tree")});
            for (int i = 0; i < unreadable; ++i) {
                list.AddUnreadableFolder({dir.Path("locked" + std::to_string(i)), EACCES});
            }
            program.Main.List().Replace(std::move(list));
            QVERIFY(program.Find<QLabel>("statusCount")->toolTip().startsWith(hint + "\n"));
        }
    }

    void checkAllAndUncheckAll() {
        RunningProgram program;
        program.Find<QPushButton>("checkAllButton")->click();
        program.Fill({ResultRecord::ForFolder("/a"), ResultRecord::ForFolder("/b")});
        program.Find<QPushButton>("uncheckAllButton")->click();
        QVERIFY(!program.Checked(0) && !program.Checked(1));
        QVERIFY(program.Model()->setData(program.Model()->index(1, 0), Qt::Checked,
                                         Qt::CheckStateRole));
        QVERIFY(!program.Checked(0) && program.Checked(1));
        // Marks change, the rest stays: the selection survives "Check All".
        program.View()->setCurrentIndex(program.Model()->index(1, 1));
        program.Find<QPushButton>("checkAllButton")->click();
        QVERIFY(program.Checked(0) && program.Checked(1));
        QCOMPARE(program.View()->currentIndex().row(), 1);
        QVERIFY(program.View()->selectionModel()->isRowSelected(1, {}));
    }

    void deleteAsksFirstAndRemovesOnlyEmptyCheckedFolders() {
        TestDir dir;
        dir.MakeFolders("tree/a/b/c");
        dir.MakeFolders("tree/later");
        dir.MakeFile("tree/file");
        RunningProgram program;
        program.Drop({Local(dir, "tree")});
        QTRY_COMPARE(program.Model()->rowCount(), 4);
        dir.MakeFile("tree/later/new.txt");

        program.Find<QPushButton>("deleteButton")->click();
        QCOMPARE(program.Dialogs.Calls.last(),
                 QString("ask Warning: Are you sure to delete the folders?\n\n4 folders checked"));
        QCOMPARE(program.Model()->rowCount(), 4);
        QVERIFY(dir.Exists("tree/a/b/c"));

        // The removal runs behind the wait window, which counts it.
        program.Dialogs.YesAnswer = true;
        QStringList progress;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (program.Wait.isVisible()) {
                progress << program.Wait.messageLabel->text();
            }
        });
        watch.start(1);
        program.Find<QPushButton>("deleteButton")->click();
        QVERIFY(progress.contains("Removing folders.."));
        QCOMPARE(program.Column(1), QStringList({Local(dir, "tree/later")}));
        QVERIFY(program.Checked(0));
        QCOMPARE(program.Model()->index(0, 1).data(Qt::ToolTipRole).toString(),
                 ResultListModel::Hint() + "\nNot removed: Directory not empty");
        QVERIFY(!dir.Exists("tree/a"));
        QVERIFY(dir.Exists("tree/later/new.txt"));
        // And afterwards says what happened, the reasons behind "Show Details".
        QCOMPARE(program.Dialogs.Calls.last(),
                 "report Delete Checked From Disk: 3 folders removed.\n1 folder could not be "
                 "removed. | " +
                     Local(dir, "tree/later") + ": Directory not empty\n");

        // With nothing checked there is nothing to confirm.
        program.Find<QPushButton>("uncheckAllButton")->click();
        const auto calls = program.Dialogs.Calls.size();
        program.Find<QPushButton>("deleteButton")->click();
        QCOMPARE(program.Dialogs.Calls.size(), calls);
    }

    // A cancelled removal stops after the folders in flight; the list and
    // the account agree with the disk.
    void cancelledRemovalLeavesAListThatMatchesTheDisk() {
        TestDir dir;
        constexpr int Count = 4000;
        for (int i = 0; i < Count; ++i) {
            dir.MakeFolders("tree/" + std::to_string(i));
        }
        RunningProgram program;
        program.Main.OpenFolders({dir.Path("tree")});
        QCOMPARE(program.Main.List().Count(), std::size_t{Count} + 1);
        program.Dialogs.YesAnswer = true;
        bool cancelled = false;
        QTimer::singleShot(20, [&] {
            if (program.Wait.isVisible()) {
                program.Wait.cancelButton->click();
                cancelled = true;
            }
        });
        program.Find<QPushButton>("deleteButton")->click();
        QVERIFY2(cancelled, "the removal was over before it could be cancelled");
        std::size_t left = dir.Exists("tree") ? 1 : 0;
        for (int i = 0; i < Count; ++i) {
            left += dir.Exists("tree/" + std::to_string(i)) ? 1 : 0;
        }
        // A cancel that came after the last folder changes nothing; one that
        // came in time left folders, and the account says so.
        QCOMPARE(program.Dialogs.Calls.last().contains("The removal was cancelled"), left > 0);
        // Every folder still there is listed, and nothing else.
        QCOMPARE(program.Main.List().Count(), left);
        for (const ResultEntry& entry : program.Main.List()) {
            QVERIFY(std::filesystem::exists(std::string(entry.Record.Path())));
        }
    }

    void scanRulesInTheConfigurationSteerScanAndRemoval() {
        std::string config(DefaultConfigText);
        config.insert(config.rfind("</config>"),
                      "<scanRules><exclude name=\".git\"/><junk name=\"Thumbs.db\"/></scanRules>");
        hollowsweep::test::WriteFile(ConfigFile(), config);
        TestDir dir;
        dir.MakeFolders("tree/repo/.git/refs");
        dir.MakeFile("tree/photos/Thumbs.db");
        dir.MakeFile("tree/file");
        RunningProgram program;
        program.Dialogs.FolderAnswer = Local(dir, "tree");
        program.Find<QPushButton>("openButton")->click();
        QCOMPARE(program.Column(1), QStringList({Local(dir, "tree/photos")}));
        program.Dialogs.YesAnswer = true;
        program.Find<QPushButton>("deleteButton")->click();
        QCOMPARE(program.Model()->rowCount(), 0);
        QVERIFY(!dir.Exists("tree/photos"));
        QVERIFY(dir.Exists("tree/repo/.git/refs"));
    }

    void scanRulesThatCannotBeReadStopTheScanWithAMessage() {
        std::string config(DefaultConfigText);
        config.insert(config.rfind("</config>"), "<scanRules olderThan=\"soon\"/>");
        hollowsweep::test::WriteFile(ConfigFile(), config);
        TestDir dir;
        dir.MakeFolders("tree/empty");
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/earlier")});
        program.Dialogs.FolderAnswer = Local(dir, "tree");
        program.Find<QPushButton>("openButton")->click();
        QCOMPARE(program.Column(1), QStringList({"/earlier"}));
        QVERIFY(program.Dialogs.Calls.last().startsWith(
            "message Warning: The scan rules could not be read, so nothing was scanned: "));
        QVERIFY(program.Dialogs.Calls.last().contains("olderThan"));
    }

    void headerClicksSortAndFlipTheDirection() {
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/b/Zed"), ResultRecord::ForFolder("/a/alpha"),
                      ResultRecord::ForFolder("/C/beta")});
        program.ClickHeader(1);
        QCOMPARE(program.Column(1), QStringList({"/a/alpha", "/b/Zed", "/C/beta"}));
        QCOMPARE(program.Header()->sortIndicatorOrder(), Qt::AscendingOrder);
        program.ClickHeader(1);
        QCOMPARE(program.Column(1), QStringList({"/C/beta", "/b/Zed", "/a/alpha"}));
        program.ClickHeader(1);
        program.ClickHeader(0);
        QCOMPARE(program.Column(0), QStringList({"Zed", "beta", "alpha"}));
        QCOMPARE(program.Header()->sortIndicatorSection(), 0);
        QCOMPARE(program.Header()->sortIndicatorOrder(), Qt::DescendingOrder);

        // A right click opens the column dialog and never sorts.
        QVERIFY(WithModal(
            [&] { program.ClickHeader(1, Qt::RightButton); },
            [](QWidget* dialog) { qobject_cast<ColumnDialog*>(dialog)->cancelButton->click(); }));
        QCOMPARE(program.Column(0), QStringList({"Zed", "beta", "alpha"}));
        QTest::mouseClick(program.Header()->viewport(), Qt::MiddleButton, {}, QPoint(10, 8));
        QCOMPARE(program.Column(0), QStringList({"Zed", "beta", "alpha"}));

        // A new scan's rows come in the walk's order, and the mark goes; the
        // next click sorts ascending again.
        TestDir dir;
        dir.MakeFolders("tree/b");
        program.Main.OpenFolders({dir.Path("tree")});
        QVERIFY(!program.Header()->isSortIndicatorShown());
        program.ClickHeader(0);
        QCOMPARE(program.Header()->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    void numberAndDateColumnsSortByValue() {
        hollowsweep::test::WriteFile(
            ConfigFile(), "<config><nodes>"
                          "<node Name=\"File Size\" Visible=\"True\" Index=\"0\" Width=\"90\" "
                          "ReadOnly=\"False\" Align=\"right\"/>"
                          "<node Name=\"Write Time\" Visible=\"True\" Index=\"7\" Width=\"150\" "
                          "ReadOnly=\"False\" Align=\"Right\"/>"
                          "</nodes></config>");
        RunningProgram program;
        QCOMPARE(program.Header()->visualIndex(1), 1);
        const QLocale locale;
        const QDateTime base(QDate(2024, 3, 1), QTime(12, 0));
        const auto record = [&](const char* size, int days) {
            ResultRecord result = ResultRecord::ForFolder("/d");
            result.SetField(FileSize, size);
            if (days >= 0) {
                result.SetField(
                    WriteTime,
                    locale.toString(base.addDays(days), QLocale::ShortFormat).toStdString());
            }
            return result;
        };
        program.Fill({record("10", 2), record("9", -1), record("abc", 1)});
        const auto alignment = [&](int column) {
            return program.Model()->index(0, column).data(Qt::TextAlignmentRole).toInt() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(0), int(Qt::AlignRight));
        QCOMPARE(alignment(1), int(Qt::AlignLeft));
        program.ClickHeader(0);
        QCOMPARE(program.Column(0), QStringList({"", "9" + locale.decimalPoint() + "00 B",
                                                 "10" + locale.decimalPoint() + "00 B"}));
        program.ClickHeader(1);
        QCOMPARE(program.Column(0).first(), QString("10" + locale.decimalPoint() + "00 B"));
        QCOMPARE(program.Column(1).last(), QString());
    }

    void doubleClickOpensTheFocusedFolder() {
        RunningProgram program;
        program.Fill({ResultRecord::ForFolder("/data/old"), ResultRecord::ForFolder("/x")});
        QTest::keyClick(program.View(), Qt::Key_Return);
        QVERIFY(program.Dialogs.Opened.isEmpty());
        const QRect row = program.View()->visualRect(program.Model()->index(0, 1));
        QTest::mouseClick(program.View()->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(program.View()->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(program.Dialogs.Opened, QList<QUrl>({QUrl::fromLocalFile("/data/old")}));
        QTest::keyClick(program.View(), Qt::Key_Return);
        QCOMPARE(program.Dialogs.Opened.size(), 2);
        QCOMPARE(program.Dialogs.Opened.last(), QUrl::fromLocalFile("/data/old"));

        // A name that is not UTF-8 opens the folder of that very name.
        program.Fill({ResultRecord::ForFolder("/data/caf\xe9 \xff")});
        program.View()->setCurrentIndex(program.Model()->index(0, 1));
        QTest::keyClick(program.View(), Qt::Key_Return);
        const QUrl opened = program.Dialogs.Opened.last();
        QCOMPARE(opened.toEncoded(), QByteArray("file:///data/caf%E9%20%FF"));
        QCOMPARE(opened.scheme(), QString("file"));
        QCOMPARE(QByteArray::fromPercentEncoding(opened.path(QUrl::FullyEncoded).toLatin1()),
                 QByteArray("/data/caf\xe9 \xff"));
        QVERIFY(program.Dialogs.Calls.isEmpty());

        // With no file manager to hand it to, the folder is named.
        program.Dialogs.OpenAnswer = false;
        program.Fill({ResultRecord::ForFolder("/data/old")});
        QTest::mouseClick(program.View()->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(program.View()->viewport(), Qt::LeftButton, {}, row.center());
        QTest::keyClick(program.View(), Qt::Key_Return);
        const QString failed = "message Warning: /data/old could not be opened.\nThis desktop "
                               "has no program to open it with; xdg-open (package xdg-utils) "
                               "provides one.";
        QCOMPARE(program.Dialogs.Calls, QStringList({failed, failed}));
    }

    void everyExportWritesThroughThePopupMenu() {
        TestDir dir;
        RunningProgram program;
        for (QAction* action : program.Find<QMenu>("listMenu")->actions()) {
            action->trigger();
        }
        QVERIFY(program.Dialogs.Calls.isEmpty());
        program.Fill({ResultRecord::ForFolder("/data/old")});
        const QStringList suffixes = {".htm", ".txt", ".xlsx", ".csv", ".xml"};
        const QStringList filters = {"HTML File|*.htm", "Text File|*.txt", "EXCEL File|*.xlsx",
                                     "CSV File|*.csv", "XML File|*.XML"};
        for (int i = 0; i < suffixes.size(); ++i) {
            program.Dialogs.Calls.clear();
            program.Dialogs.SaveAnswer = Local(dir, "out") + suffixes[i];
            program.Find<QMenu>("listMenu")->actions()[i]->trigger();
            QCOMPARE(program.Dialogs.Calls, QStringList({"save " + suffixes[i] + " " + filters[i],
                                                         "message Done: Export Finished"}));
            QVERIFY(dir.Exists("out" + suffixes[i].toStdString()));
        }
        QCOMPARE(ReadWholeFile(dir.Path("out.csv")),
                 std::string("Folder Name,Full Path,\r\nold,/data/old\r\n"));
    }

    void closingStoresTheColumnsForTheNextStart() {
        {
            RunningProgram program;
            program.Header()->resizeSection(1, 400);
            program.Header()->moveSection(1, 0);
            program.Header()->setSectionHidden(0, true);
            // A new list keeps the user's columns.
            program.Fill({ResultRecord::ForFolder("/data/old")});
            program.Find<QPushButton>("exitButton")->click();
            QVERIFY(!program.Main.isVisible());
        }
        const std::string saved = ReadWholeFile(ConfigFile());
        QVERIFY(saved.find("Name=\"Full Path\" Visible=\"True\" Index=\"0\" "
                           "DefaultExport=\"True\" Width=\"400\"") != std::string::npos);
        QVERIFY(saved.find("Name=\"Folder Name\" Visible=\"False\" Index=\"1\" "
                           "DefaultExport=\"True\" Width=\"172\"") != std::string::npos);
        RunningProgram next;
        QCOMPARE(next.Header()->visualIndex(1), 0);
        QVERIFY(next.Header()->isSectionHidden(0));
        // Alone, the column fills the list; with another after it, it has
        // its width again.
        QCOMPARE(next.Header()->sectionSize(1), next.View()->viewport()->width());
        next.Header()->setSectionHidden(0, false);
        QCOMPARE(next.Header()->sectionSize(1), 400);
    }

    // Declined, the offer of the default configuration changes nothing.
    void aBrokenConfigurationLeavesTheWindowWorking() {
        hollowsweep::test::WriteFile(ConfigFile(), "<config><nodes>");
        RunningProgram program;
        QCOMPARE(program.Main.windowTitle(),
                 QString("Tarnwick Hollowsweep ") + DisplayText(ProgramVersion));
        QCOMPARE(program.Dialogs.Calls.size(), 1);
        QVERIFY(program.Dialogs.Calls[0].startsWith(
            "ask Warning: The configuration could not be read:\n" + DisplayText(ConfigFile())));
        QCOMPARE(program.Header()->count(), 0);
        // The store at close fails too, and the window closes all the same.
        QVERIFY(program.Main.close());
        QVERIFY(!program.Main.isVisible());
        QCOMPARE(ReadWholeFile(ConfigFile()), std::string("<config><nodes>"));
        QVERIFY(!configFolder->Exists("QuillfenConfig.xml.broken"));
    }

    void aBrokenConfigurationGivesWayToTheDefaultWhenTheUserAgrees() {
        hollowsweep::test::WriteFile(ConfigFile(), "<config><nodes>");
        ScriptedDialogs dialogs;
        dialogs.YesAnswer = true;
        LazyConfig configuration(ConfigFile());
        WaitWindow wait;
        MainWindow window(dialogs, configuration, wait);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(dialogs.Calls.size(), 1);
        QVERIFY(dialogs.Calls[0].endsWith("Start from the default configuration? The file is kept "
                                          "as " +
                                          DisplayText(ConfigFile()) + ".broken."));
        QCOMPARE(window.findChild<QTableView*>("resultView")->horizontalHeader()->count(), 2);
        QCOMPARE(ReadWholeFile(ConfigFile() + ".broken"), std::string("<config><nodes>"));
        // What the window keeps at close goes into the default file.
        window.close();
        QCOMPARE(Config(ConfigFile()).Root()->GetNodes()->Count(), 2);
    }

    void aColumnThatCannotBeReadEndsTheSetUpThere() {
        hollowsweep::test::WriteFile(
            ConfigFile(), "<config><nodes>"
                          "<node Name=\"Full Path\" Visible=\"True\" Index=\"0\" Width=\"200\" "
                          "ReadOnly=\"True\" Align=\"left\"/>"
                          "<node Name=\"Folder Name\" Visible=\"True\" Index=\"1\"/>"
                          "</nodes></config>");
        RunningProgram program;
        QCOMPARE(program.Header()->count(), 2);
        QCOMPARE(program.Model()->headerData(1, Qt::Horizontal).toString(), QString("Folder Name"));
        QCOMPARE(program.Header()->sectionSize(0), 200);
        QVERIFY(!program.Main.acceptDrops());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
