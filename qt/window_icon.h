#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

#include <optional>
#include <string_view>

// The first image of an icon file. Images stored uncompressed at 16 bits per
// pixel (five bits each of red, green and blue) are decoded here, since Qt's
// own icon reader refuses them; their transparency mask makes the pixels whose
// bit is set transparent. Any other kind of image is left to Qt. Nothing when
// the bytes hold no readable icon.
std::optional<QImage> decodeIconFile(const QByteArray& bytes);

// The icon in the file at this path, typically a Qt resource; an empty icon
// when it cannot be read or decoded.
QIcon loadWindowIcon(std::string_view path);
