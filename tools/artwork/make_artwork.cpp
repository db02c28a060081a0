// Draws the programs' artwork and writes it into the assets folder, where it is
// committed: each program's built-in picture, its window icon, the same icon's
// image as a raw resource for Windows, and its desktop icons in three sizes.
// Usage: make_artwork <assets folder>

#include "icon_writer.h"
#include "jfif_writer.h"
#include "qelview_face.h"
#include "velview_badge.h"
#include "velview_face.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace {
constexpr int pictureSide = 300;
constexpr int iconSide = 48;
constexpr int pictureQuality = 92;
constexpr int desktopIconSides[] = {48, 128, 256};

using Painting = std::function<void(QPainter&)>;

struct ProgramArtwork {
    const char* folder;
    // Paints the 300 x 300 built-in picture.
    Painting picture;
    // Paints the icon on a 48 x 48 canvas.
    Painting icon;
};

// Qelview's icon is its face from the brows to the chin, in the rendering of
// its built-in picture.
void paintQelviewCloseUp(QPainter& painter)
{
    const QRectF closeUp(72, 96, 156, 156);
    painter.scale(iconSide / closeUp.width(), iconSide / closeUp.height());
    painter.translate(-closeUp.topLeft());
    paintQelviewFace(painter);
}

QImage render(int side, qreal canvasSide, const Painting& paint)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / canvasSide, side / canvasSide);
    paint(painter);
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

bool writePng(const QString& path, const QImage& image)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "make_artwork: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeArtwork(const ProgramArtwork& artwork, const QDir& assets)
{
    if (!assets.mkpath(QString::fromLatin1(artwork.folder)))
        return false;
    const QDir folder(assets.filePath(QString::fromLatin1(artwork.folder)));

    const QImage picture = render(pictureSide, pictureSide, artwork.picture);
    if (!writeFile(folder.filePath(QStringLiteral("built-in-picture.jpg")),
                   encodeJfif(picture, pictureQuality)))
        return false;

    const QByteArray icon = encodeIcon16(render(iconSide, iconSide, artwork.icon));
    if (!writeFile(folder.filePath(QStringLiteral("window-icon.ico")), icon) ||
        !writeFile(folder.filePath(QStringLiteral("icon-image.bin")), iconImage(icon)))
        return false;

    for (const int side : desktopIconSides) {
        if (!writePng(folder.filePath(QStringLiteral("icon-%1.png").arg(side)),
                      render(side, iconSide, artwork.icon)))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork <assets folder>\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    const ProgramArtwork programs[] = {
        {"qelview", paintQelviewFace, paintQelviewCloseUp},
        {"velview", paintVelviewFace, paintVelviewBadge},
    };
    for (const ProgramArtwork& program : programs)
        if (!writeArtwork(program, assets))
            return 1;
    return 0;
}
