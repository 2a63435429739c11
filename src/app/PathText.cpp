#include "app/PathText.h"

#include <QFile>

namespace hollowsweep::app {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString DisplayText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QUrl LocalFileUrl(std::string_view path) {
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    // QByteArray's own encoding: QUrl's takes text, and would make it UTF-8 first.
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

} // namespace hollowsweep::app
