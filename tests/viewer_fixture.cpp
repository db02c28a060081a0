#include "viewer_fixture.h"

#include "caption_label.h"
#include "picture_area.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QTest>

QColor colourOf(int pictureNumber)
{
    return QColor::fromHsv((pictureNumber * 6) % 360, 255, 255);
}

void writePicture(const QString& path, int pictureNumber, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colourOf(pictureNumber));
    QVERIFY(image.save(path, "JPEG", 95));
}

int pictureNumberOf(QColor colour)
{
    int nearest = -1;
    int nearestDistance = 24;
    for (int number = 0; number <= 56; ++number) {
        const int distance = colourDistance(colour, colourOf(number));
        if (distance < nearestDistance) {
            nearest = number;
            nearestDistance = distance;
        }
    }
    return nearest;
}

ViewerFixture::ViewerFixture(const ViewerProgram& program, bool withPictures,
                             QString programDirectory)
    : m_program(program),
      m_programDirectory(programDirectory.isEmpty() ? QDir::toNativeSeparators(m_directory.path())
                                                    : std::move(programDirectory))
{
    if (withPictures)
        writePictures();
    m_window = std::make_unique<ViewerWindow>(program,
                                              QFile::encodeName(m_programDirectory).toStdString());
    m_window->load();
}

QString ViewerFixture::program() const
{
    return QString::fromLatin1(m_program.program.name.data(),
                               qsizetype(m_program.program.name.size()));
}

QString ViewerFixture::folder() const
{
    return goldenFact(program(), QStringLiteral("folder"));
}

QString ViewerFixture::folderPath() const
{
    return m_programDirectory + QLatin1Char('/') + folder();
}

QString ViewerFixture::picturePath(int number) const
{
    return QStringLiteral("%1/%2.jpg").arg(folderPath()).arg(number);
}

void ViewerFixture::writePictures()
{
    QVERIFY(QDir().mkpath(folderPath()));
    for (const GoldenEntry& entry : goldenEntries(program()))
        writePicture(picturePath(entry.picture), entry.picture);
    for (const char* key : {"startup picture", "reset picture"})
        if (const QString number = goldenFact(program(), key); !number.isEmpty())
            writePicture(picturePath(number.toInt()), number.toInt());
}

QComboBox* ViewerFixture::list(int ordinal)
{
    return m_window->findChild<QComboBox*>(QStringLiteral("Combo%1").arg(ordinal));
}

CaptionLabel* ViewerFixture::description()
{
    return m_window->findChild<CaptionLabel*>(QStringLiteral("Label5"));
}

PictureArea* ViewerFixture::picture()
{
    return m_window->findChild<PictureArea*>(QStringLiteral("Image1"));
}

int ViewerFixture::shownPicture()
{
    return pictureNumberOf(picture()->grab().toImage().pixelColor(150, 150));
}

bool ViewerFixture::showsBuiltInPicture()
{
    // Compared at the area's logical size, whatever the screen's density.
    const QImage shown = picture()->grab().toImage().scaled(300, 300);
    const QImage expected = QImage(QString::fromLatin1(m_program.builtInPicture.data(),
                                                       qsizetype(m_program.builtInPicture.size())))
                                .scaled(300, 300);
    return !expected.isNull() &&
           colourDistance(shown.pixelColor(5, 5), expected.pixelColor(5, 5)) < 12 &&
           colourDistance(shown.pixelColor(150, 150), expected.pixelColor(150, 150)) < 12;
}

void ViewerFixture::pick(int ordinal, int index)
{
    QComboBox* combo = list(ordinal);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view->viewport(), Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

QString ViewerFixture::descriptionOf(int ordinal, int index) const
{
    return goldenDescription(program(), ordinal, index);
}
