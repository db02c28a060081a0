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
#include "screen_reader_announcement.h"
#include "window_fonts.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <algorithm>
#include <cstdint>

namespace {
QString controlName(const char* kind, std::size_t position)
{
    return QString::fromLatin1(kind) + QString::number(position + 1);
}
} // namespace

ViewerWindow::ViewerWindow(const ViewerProgram& program, std::filesystem::path programDirectory,
                           QWidget* parent)
    : QWidget(parent), m_program(program),
      m_behaviour(program.program.catalogue, std::move(programDirectory))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(program.program.windowCaption));
    // A fixed dialog frame: title bar, window menu and close box, but no
    // maximise or minimise; the fixed size keeps every frame from resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(
        QString::fromLatin1(program.windowIcon.data(), qsizetype(program.windowIcon.size()))));
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
    m_picture->setAccessibleDescription(toQString(BuiltInPictureName));
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
    caption->setText(toQString(m_program.program.catalogue.categories[position].caption));
    caption->setFont(chineseLabelFont(CaptionFont));
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Screen readers announce each list by its caption.
    caption->setBuddy(m_lists[position]);
}

void ViewerWindow::createList(std::size_t position)
{
    const Category& category = m_program.program.catalogue.categories[position];
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

    const QFont listFont = fittingListFont(m_lists);
    for (QComboBox* list : m_lists)
        list->setFont(listFont);

    std::array<QComboBox*, 4> byTabIndex = m_lists;
    std::ranges::sort(byTabIndex, {}, [](const QComboBox* list) {
        return controlLayout(list->objectName().toStdString()).tabIndex;
    });
    for (std::size_t i = 0; i + 1 < byTabIndex.size(); ++i)
        setTabOrder(byTabIndex[i], byTabIndex[i + 1]);
}

void ViewerWindow::showBuiltInPicture()
{
    QFile resource(QString::fromLatin1(m_program.builtInPicture.data(),
                                       qsizetype(m_program.builtInPicture.size())));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    if (const auto image = decodePicture(resource.readAll(), m_picture->deviceSize()))
        m_picture->setPicture(std::move(*image));
}

void ViewerWindow::load()
{
    requestStaysOnTop(*this);
    showPictureFile(m_behaviour.load());
    // The built-in picture shows until a picture file replaces it; decoding it
    // only when the start-up picture did not load saves a decode at start.
    if (m_picture->picture().isNull())
        showBuiltInPicture();
}

void ViewerWindow::onListClick(std::size_t position)
{
    const auto pick = m_behaviour.pick(position, m_lists[position]->currentIndex());
    if (!pick)
        return;
    showPictureFile(pick->picture);
    m_description->setCaption(toQString(pick->description));
    announce(pick->announcement);
}

void ViewerWindow::onPictureDoubleClick()
{
    const auto reset = m_behaviour.doubleClick();
    if (showPictureFile(reset))
        announce(reset->announcement);
}

bool ViewerWindow::showPictureFile(const std::optional<PictureToShow>& file)
{
    if (!file)
        return false;
    auto image = LoadPicture(file->path, m_picture->deviceSize());
    if (!image)
        return false;
    m_picture->setPicture(std::move(*image));
    m_picture->setAccessibleDescription(toQString(file->name));
    return true;
}

void ViewerWindow::announce(const std::u16string& text)
{
    // The description panel and the picture never take the focus; screen
    // readers hear their news from the control that has it.
    if (QWidget* focus = focusWidget(); focus && !text.empty())
        announceToScreenReaders(*focus, toQString(text));
}
