#pragma once

// What the tests of the desktop program's windows share: the program as it
// starts on a configuration file of the test's own, and dialogs answered
// through the program's own seams.

#include "ScopedEnvironment.h"
#include "ScriptedDialogs.h"
#include "TestDir.h"
#include "app/AboutDialog.h"
#include "app/ColumnDialog.h"
#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "app/PathText.h"
#include "app/ResultListController.h"
#include "app/Translations.h"
#include "app/WaitWindow.h"
#include "core/config/Config.h"
#include "core/config/DefaultConfig.h"
#include "core/config/RemovalSetting.h"
#include "core/config/ScanRulesSetting.h"
#include "core/platform/MessageCatalog.h"
#include "core/platform/WholeFile.h"
#include "core/product/Product.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace hollowsweep::test {

// The tests drive the program's windows by their own names.
using namespace hollowsweep::app;

// Each test's own configuration file, in a folder of its own.
inline std::unique_ptr<TestDir> configFolder;

inline std::string ConfigFile() {
    return configFolder->Path("QuillfenConfig.xml");
}

// The program as it starts: a main window and its wait window on the test's
// configuration, shown.
// While it lives, the windows and the messages the core words speak German,
// as under a German desktop; English is back when it goes.
class SpeakGerman {
public:
    SpeakGerman() {
        environment_.emplace();
        environment_->Set("LC_ALL", "C.UTF-8");
        environment_->Set("LANGUAGE", "de");
        UseMessageCatalog();
        InstallTranslators(*QCoreApplication::instance(),
                           QLocale(QLocale::German, QLocale::Germany));
    }
    SpeakGerman(const SpeakGerman&) = delete;
    SpeakGerman& operator=(const SpeakGerman&) = delete;
    ~SpeakGerman() {
        environment_.reset();
        UseMessageCatalog();
        InstallTranslators(*QCoreApplication::instance(), QLocale::c());
    }

private:
    std::optional<ScopedEnvironment> environment_;
};

struct RunningProgram {
    ScriptedDialogs Dialogs;
    LazyConfig Configuration{ConfigFile()};
    WaitWindow Wait;
    MainWindow Main{Dialogs, Configuration, Wait};

    RunningProgram() {
        Main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Main));
    }

    // A widget or action of the main window, by its object name.
    template <class Widget> Widget* Find(const char* name) const {
        auto* found = Main.findChild<Widget*>(name);
        if (found == nullptr) {
            qFatal("the main window has no %s", name);
        }
        return found;
    }
    QTableView* View() const { return Find<QTableView>("resultView"); }
    ResultListModel* Model() const { return static_cast<ResultListModel*>(View()->model()); }
    QHeaderView* Header() const { return View()->horizontalHeader(); }

    QString Cell(int row, int column) const {
        return Model()->index(row, column).data().toString();
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < Model()->rowCount(); ++row) {
            texts << Cell(row, column);
        }
        return texts;
    }
    bool Checked(int row) const {
        return Model()
                   ->index(row, Model()->CheckColumn())
                   .data(Qt::CheckStateRole)
                   .value<Qt::CheckState>() == Qt::Checked;
    }
    void ClickHeader(int column, Qt::MouseButton button = Qt::LeftButton) const {
        const QPoint point(Header()->sectionViewportPosition(column) + 10, 8);
        QTest::mouseClick(Header()->viewport(), button, {}, point);
    }
    void Drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const auto& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        // As the desktop delivers a drop: to the window, entering first.
        const QPointF point(Find<QPushButton>("openButton")->geometry().center());
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Main.windowHandle(), &enter);
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(Main.windowHandle(), &drop);
    }
    // Fills the list with records as a scan would.
    void Fill(const std::vector<ResultRecord>& records) {
        ResultList list;
        for (const auto& record : records) {
            list.Append(record);
        }
        Main.List().Replace(std::move(list));
    }
};

// Runs open, which opens a modal dialog, and work on that dialog. False when
// a check in work failed: QVERIFY(WithModal(...)) then ends the test function
// there, and the dialog is closed, so nothing waits on it.
inline bool WithModal(const std::function<void()>& open,
                      const std::function<void(QWidget*)>& work) {
    QTimer::singleShot(0, [work] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        work(dialog);
        if (QTest::currentTestFailed() && dialog->isVisible()) {
            dialog->close();
        }
    });
    open();
    return !QTest::currentTestFailed();
}

inline QString Local(const TestDir& dir, std::string_view relative) {
    return QString::fromStdString(dir.Path(relative));
}

} // namespace hollowsweep::test
