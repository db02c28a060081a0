#include "viewer_window.h"

#include "caption_label.h"
#include "catalogue_rules.h"
#include "first_show_centring.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "picture_area.h"
#include "picture_loading.h"
#include "platform.h"
#include "qt_layout.h"
#include "qt_text.h"
#include "window_fonts.h"
#include "window_icon.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <algorithm>
#include <cstdint>

namespace {
// Names the file a picture came from and the morph it shows, for screen
// readers.
QString describePicture(const ExpressionCatalogue& catalogue, int pictureNumber)
{
    QString text = toQString(catalogue.pictureFolder) + u'/' + QString::number(pictureNumber) +
                   QStringLiteral(".jpg");
    if (pictureNumber == OverviewPicture)
        return text + QStringLiteral("：总览");
    for (const Category& category : catalogue.categories)
        for (const CatalogueEntry& entry : category.entries)
            if (entry.pictureNumber == pictureNumber)
                return text + u'：' + toQString(entry.listText).trimmed();
    return text;
}

QString controlName(const char* kind, std::size_t position)
{
    return QString::fromLatin1(kind) + QString::number(position + 1);
}
} // namespace

ViewerWindow::ViewerWindow(const Deliverable& deliverable, QString programDirectory,
                           QWidget* parent)
    : QWidget(parent), m_deliverable(deliverable), m_programDirectory(std::move(programDirectory))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(deliverable.program.windowCaption));
    // A fixed dialog frame: title bar, window menu and close box, but no
    // maximise or minimise; the fixed size keeps every frame from resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(loadWindowIcon(deliverable.windowIcon));
    createControls();
    applyLayout();
    m_lists[0]->setFocus();
    new FirstShowCentring(*this);
}

void ViewerWindow::present()
{
    hideFromTaskbar(*this);
    show();
    // Some window managers do not focus a new window that has no taskbar
    // button; the user opened it to pick from its lists, so it asks for focus.
    activateWindow();
}

void ViewerWindow::createControls()
{
    m_picture = new PictureArea(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setAccessibleName(toQString(PictureAreaName));
    m_picture->setAccessibleDescription(QStringLiteral("内置图片"));
    connect(m_picture, &PictureArea::doubleClicked, this, &ViewerWindow::onPictureDoubleClick);

    m_description = new CaptionLabel(this);
    m_description->setObjectName(QStringLiteral("Label5"));
    m_description->setCaption(toQString(DescriptionHeading));
    m_description->setFont(chineseLabelFont(DescriptionFont));
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setAutoFillBackground(true);
    QPalette pink = m_description->palette();
    pink.setColor(QPalette::Window, QColor(DescriptionBackground.red, DescriptionBackground.green,
                                           DescriptionBackground.blue));
    // The background is fixed, so the text must not follow a dark theme.
    pink.setColor(
        QPalette::WindowText,
        QColor(DescriptionForeground.red, DescriptionForeground.green, DescriptionForeground.blue));
    m_description->setPalette(pink);

    for (std::size_t position = 0; position < m_lists.size(); ++position) {
        createList(position);
        createCaption(position);
    }
}

void ViewerWindow::createCaption(std::size_t position)
{
    auto* caption = new QLabel(this);
    caption->setObjectName(controlName("Label", position));
    caption->setTextFormat(Qt::PlainText);
    caption->setText(toQString(m_deliverable.program.catalogue.categories[position].caption));
    caption->setFont(chineseLabelFont(CaptionFont));
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Screen readers announce each list by its caption.
    caption->setBuddy(m_lists[position]);
}

void ViewerWindow::createList(std::size_t position)
{
    const Category& category = m_deliverable.program.catalogue.categories[position];
    auto* list = new QComboBox(this);
    list->setObjectName(controlName("Combo", position));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setFont(japaneseListFont());
    // Qt picks the item whose text was typed once editing finishes; here only a
    // pick from the list may change anything, so typed text stays inert.
    disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    QStringList texts;
    for (const CatalogueEntry& entry : category.entries)
        texts.append(toQString(entry.listText));
    // One insertion for the whole list, rather than a model update per item.
    list->addItems(texts);
    list->setCurrentIndex(-1);
    list->setEditText(toQString(category.initialText));
    connect(list, &QComboBox::activated, this, [this, position] { onListClick(position); });
    m_lists[position] = list;
}

void ViewerWindow::applyLayout()
{
    setFixedSize(toQSize(formClientSize()));
    // Raising from the last control to the first leaves the first on top.
    for (auto control = formControls.rbegin(); control != formControls.rend(); ++control) {
        auto* widget = findChild<QWidget*>(
            QString::fromLatin1(control->objectName.data(), qsizetype(control->objectName.size())),
            Qt::FindDirectChildrenOnly);
        widget->setGeometry(toQRect(pixelRect(*control)));
        widget->raise();
    }

    std::array<QComboBox*, 4> byTabIndex = m_lists;
    std::ranges::sort(byTabIndex, {}, [](const QComboBox* list) {
        return controlLayout(list->objectName().toStdString()).tabIndex;
    });
    for (std::size_t i = 0; i + 1 < byTabIndex.size(); ++i)
        setTabOrder(byTabIndex[i], byTabIndex[i + 1]);
}

void ViewerWindow::showBuiltInPicture()
{
    QFile resource(QString::fromLatin1(m_deliverable.builtInPicture.data(),
                                       qsizetype(m_deliverable.builtInPicture.size())));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    if (const auto image = decodePicture(resource.readAll(), m_picture->deviceSize()))
        m_picture->setPicture(std::move(*image));
}

void ViewerWindow::load()
{
    requestStaysOnTop(*this);
    if (m_deliverable.program.catalogue.startupPicture)
        showPictureFile(*m_deliverable.program.catalogue.startupPicture);
    // The built-in picture shows until a picture file replaces it; decoding it
    // only when the start-up picture did not load saves a decode at start.
    if (m_picture->picture().isNull())
        showBuiltInPicture();
}

void ViewerWindow::onListClick(std::size_t position)
{
    const auto listIndex = static_cast<std::int16_t>(m_lists[position]->currentIndex());
    const auto entry = FindEntry(m_deliverable.program.catalogue.categories[position], listIndex);
    if (!entry)
        return;
    showPictureFile(entry->pictureNumber);
    m_description->setCaption(toQString(DescriptionText(*entry)));
}

void ViewerWindow::onPictureDoubleClick()
{
    showPictureFile(m_deliverable.program.catalogue.resetPicture);
}

void ViewerWindow::showPictureFile(int pictureNumber)
{
    const auto path = PicturePath(m_deliverable.program.catalogue,
                                  m_programDirectory.toStdU16String(), pictureNumber);
    if (!path)
        return;
    const auto image = LoadPicture(toQString(*path), m_picture->deviceSize());
    if (!image)
        return;
    m_picture->setPicture(std::move(*image));
    m_picture->setAccessibleDescription(
        describePicture(m_deliverable.program.catalogue, pictureNumber));
}
