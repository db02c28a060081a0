// Writes a demo picture set beside the programs, so that a fresh build shows a
// working window at once: for every picture a program reads, a simply drawn
// face with the morph's region of the face marked, its list text and its number.
// Usage: demo_pictures <program directory>

#include "expression_catalogue.h"
#include "qelview_catalogue.h"
#include "velview_catalogue.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <set>

namespace {
constexpr int pictureSide = 300;

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Where each region of the face lies, by category ordinal; 0 marks them all.
QRectF regionOf(int ordinal)
{
    switch (ordinal) {
    case 1:
        return {78, 78, 144, 30};
    case 2:
        return {78, 106, 144, 42};
    case 3:
        return {108, 170, 84, 44};
    default:
        return {50, 28, 200, 228};
    }
}

QColor accentFor(int pictureNumber)
{
    return QColor::fromHsv((pictureNumber * 47) % 360, 200, 210);
}

void drawFace(QPainter& painter)
{
    painter.setPen(QPen(QColor(90, 60, 50), 2));
    painter.setBrush(QColor(255, 226, 204));
    painter.drawEllipse(QRectF(60, 38, 180, 210));

    QPainterPath hair;
    hair.moveTo(58, 130);
    hair.cubicTo(50, 20, 250, 20, 242, 130);
    hair.cubicTo(220, 60, 80, 60, 58, 130);
    painter.setBrush(QColor(70, 50, 60));
    painter.drawPath(hair);

    painter.setPen(QPen(QColor(60, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(92, 96), QPointF(132, 92));
    painter.drawLine(QPointF(168, 92), QPointF(208, 96));

    painter.setPen(QPen(QColor(40, 30, 40), 2));
    painter.setBrush(QColor(80, 110, 170));
    painter.drawEllipse(QRectF(98, 112, 30, 30));
    painter.drawEllipse(QRectF(172, 112, 30, 30));

    painter.setPen(QPen(QColor(170, 60, 70), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(125, 176, 50, 26), 200 * 16, 140 * 16);
}

void markRegion(QPainter& painter, int ordinal, const QColor& accent)
{
    QColor fill = accent;
    fill.setAlpha(60);
    painter.setPen(QPen(accent, 3, Qt::DashLine));
    painter.setBrush(fill);
    painter.drawRoundedRect(regionOf(ordinal), 8, 8);
}

QImage drawPicture(int pictureNumber, int ordinal, const QString& title)
{
    QImage image(pictureSide, pictureSide, QImage::Format_RGB32);
    const QColor accent = accentFor(pictureNumber);
    image.fill(QColor::fromHsv(accent.hue(), 30, 252));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    if (ordinal == 0) {
        for (int region = 1; region <= 4; ++region)
            markRegion(painter, region, accentFor(region * 11));
    } else {
        markRegion(painter, ordinal, accent);
    }

    painter.fillRect(QRectF(0, 254, pictureSide, 46), Qt::white);
    painter.setPen(accent.darker(160));
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(22);
    painter.setFont(font);
    painter.drawText(QRectF(10, 254, 280, 46), Qt::AlignCenter, title.trimmed());
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(8, 4, 80, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("#%1").arg(pictureNumber));
    return image;
}

bool writePicture(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "demo_pictures: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

bool writeSet(const ExpressionCatalogue& catalogue, const QDir& programDirectory)
{
    const QString folder = toQString(catalogue.pictureFolder);
    if (!programDirectory.mkpath(folder))
        return false;
    const QDir pictures(programDirectory.filePath(folder));

    std::set<int> written;
    for (const Category& category : catalogue.categories) {
        for (const CatalogueEntry& entry : category.entries) {
            const QImage image =
                drawPicture(entry.pictureNumber, category.ordinal, toQString(entry.listText));
            const QString path =
                pictures.filePath(QStringLiteral("%1.jpg").arg(entry.pictureNumber));
            if (!writePicture(image, path))
                return false;
            written.insert(entry.pictureNumber);
        }
    }
    // The overview belongs to no entry: it is drawn for a start-up or reset
    // picture that no entry has.
    std::set<int> fixedPictures{catalogue.resetPicture};
    if (catalogue.startupPicture)
        fixedPictures.insert(*catalogue.startupPicture);
    for (const int number : fixedPictures) {
        if (written.contains(number))
            continue;
        const QImage overview = drawPicture(number, 0, QStringLiteral("全景"));
        if (!writePicture(overview, pictures.filePath(QStringLiteral("%1.jpg").arg(number))))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_pictures <program directory>\n");
        return 2;
    }
    const QDir programDirectory(QString::fromLocal8Bit(argv[1]));
    const bool written = writeSet(qelviewCatalogue(), programDirectory) &&
                         writeSet(velviewCatalogue(), programDirectory);
    return written ? 0 : 1;
}
