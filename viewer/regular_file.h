#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The whole content of the regular file at exactly this path, or nothing when
// the path names no regular file (a directory, FIFO, device or socket, or a
// link to one), cannot be read, or holds more than maxBytes. Never blocks on a
// special file.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);
