#include "viewer_fixture.h"

#include "caption_label.h"
#include "catalogue_rules.h"
#include "picture_area.h"
#include "qt_text.h"

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

int colourDistance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

ViewerFixture::ViewerFixture(const Deliverable& deliverable, bool withPictures,
                             QString programDirectory)
    : m_deliverable(deliverable),
      m_programDirectory(programDirectory.isEmpty() ? QDir::toNativeSeparators(m_directory.path())
                                                    : std::move(programDirectory))
{
    if (withPictures)
        writePictures();
    m_window = std::make_unique<ViewerWindow>(deliverable, m_programDirectory);
    m_window->load();
}

QString ViewerFixture::folder() const
{
    return toQString(m_deliverable.catalogue.pictureFolder);
}

QString ViewerFixture::folderPath() const
{
    return m_programDirectory + QLatin1Char('/') + folder();
}

QString ViewerFixture::picturePath(int number) const
{
    return toQString(
        *PicturePath(m_deliverable.catalogue, m_programDirectory.toStdU16String(), number));
}

void ViewerFixture::writePictures()
{
    QVERIFY(QDir().mkpath(folderPath()));
    for (int number = 0; number <= 56; ++number)
        if (usesPicture(m_deliverable.catalogue, number))
            writePicture(picturePath(number), number);
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
    const QColor centre = picture()->grab().toImage().pixelColor(150, 150);
    for (int number = 0; number <= 56; ++number)
        if (colourDistance(centre, colourOf(number)) < 24)
            return number;
    return -1;
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
    const auto entry = FindEntry(m_deliverable.catalogue.categories[std::size_t(ordinal - 1)],
                                 std::int16_t(index));
    return toQString(DescriptionText(*entry));
}
