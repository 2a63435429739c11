#include "app/PathText.h"

#include <QFile>

namespace hollowsweep::app {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString DisplayText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace hollowsweep::app
