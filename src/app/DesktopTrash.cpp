#include "app/DesktopTrash.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace hollowsweep::app {

namespace {

bool OnOneFileSystem(const std::string& path, const QString& other) {
    struct stat first {};
    struct stat second {};
    return ::lstat(path.c_str(), &first) == 0 &&
           ::stat(QFile::encodeName(other).constData(), &second) == 0 &&
           first.st_dev == second.st_dev;
}

// The folder that holds the home trash, made when missing as a desktop
// session has it; empty when it cannot be.
QString HomeTrashParent() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data) || !QFileInfo(data).isWritable()) {
        return {};
    }
    return data;
}

} // namespace

// Qt 6.4 takes the current folder for the trash when it cannot set one up,
// and says the move succeeded. So only the home trash is used, on the home's
// file system, its folder made first; a move that still lands anywhere else
// is undone.
bool MoveToDesktopTrash(const std::string& path) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (QFile::encodeName(name).toStdString() != path) {
        return false;
    }
    const QString data = HomeTrashParent();
    if (data.isEmpty() || !OnOneFileSystem(path, data) ||
        !OnOneFileSystem(path, QDir::homePath())) {
        return false;
    }
    QString inTrash;
    if (!QFile::moveToTrash(name, &inTrash)) {
        return false;
    }
    const QString trashFiles = QDir(data).filePath("Trash/files") + '/';
    if (QDir::isAbsolutePath(inTrash) && inTrash.startsWith(trashFiles)) {
        return true;
    }
    // Back to where it was, but never over whatever took its place meanwhile:
    // a plain rename would replace an empty folder there.
    ::renameat2(AT_FDCWD, QFile::encodeName(inTrash).constData(), AT_FDCWD, path.c_str(),
                RENAME_NOREPLACE);
    return false;
}

} // namespace hollowsweep::app
