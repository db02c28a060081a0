#include "regular_file.h"

#include <QFile>
#include <QFileInfo>

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    // Windows keeps no FIFOs or device nodes among ordinary files, so a check
    // of the file's kind before opening it is enough.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxBytes)
        return std::nullopt;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.read(maxBytes + 1);
    if (content.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}
