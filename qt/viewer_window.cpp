#include "viewer_window.h"

#include "caption_label.h"
#include "catalogue_rules.h"
#include "first_show_centring.h"
#include "form_appearance.h"
#include "form_layout.h"
#include "picture_area.h"
#include "picture_loading.h"
#include "platform.h"
#include "qt_colour.h"
#include "qt_layout.h"
#include "qt_text.h"
#include "screen_reader_announcement.h"
#include "title_strip.h"
#include "window_fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdint>

namespace {
QString controlName(const char* kind, std::size_t position)
{
    return QString::fromLatin1(kind) + QString::number(position + 1);
}

// The icon is a PNG, which Qt reads itself. Named as one, it is read without
// loading every image plugin to ask whether it knows the file better, which
// an icon made from the file's name does at start-up.
QIcon windowIconFrom(std::string_view resourcePath)
{
    QFile file(QString::fromLatin1(resourcePath.data(), qsizetype(resourcePath.size())));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

QStringList listTexts(const ExpressionCatalogue& catalogue)
{
    QStringList texts;
    for (const Category& category : catalogue.categories) {
        texts.append(toQString(category.initialText));
        for (const CatalogueEntry& entry : category.entries)
            texts.append(toQString(entry.listText));
    }
    return texts;
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

ViewerWindow::ViewerWindow(const ViewerProgram& program, std::filesystem::path programDirectory,
                           QWidget* parent)
    : QWidget(parent), m_program(program),
      m_behaviour(program.program.catalogue, std::move(programDirectory)),
      m_listTexts(listTexts(program.program.catalogue))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(program.program.windowCaption));
    // A fixed dialog frame: title bar, window menu and close box, but no
    // maximise or minimise; the fixed size keeps every frame from resizing.
    // Qt 6.4 on Wayland draws its own title bar, with maximise and minimise
    // buttons whatever the flags, and the compositor offers none. There the
    // window goes without a frame (Qt drops that hint beside any title bar
    // hint) and draws a title strip of its own above the controls.
    if (onWayland())
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    else
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(windowIconFrom(program.windowIcon));
    if (onWayland())
        m_titleStrip = new TitleStrip(*this);
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
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setAutoFillBackground(true);
    applyColours();

    // The lists take their font from the window, so that each is made in it:
    // no other size of the face is loaded, and a list whose own font is set
    // makes its drop-down part at once rather than when first opened. The
    // labels have fonts of their own.
    setListFont(fittingListFont());
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
    // Centred on its list's line, which the list's field centres as well.
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Screen readers announce each list by its caption.
    caption->setBuddy(m_lists[position]);
}

void ViewerWindow::createList(std::size_t position)
{
    const Category& category = m_program.program.catalogue.categories[position];
    auto* list = new QComboBox(this);
    list->setObjectName(controlName("Combo", position));
    // An editable list, made from its field: typing completes nothing, and a
    // field that brings a completer of its own keeps the list from building
    // one over its items only to drop it. Made editable this way, a list also
    // makes its drop-down part when first opened rather than at once.
    auto* field = new QLineEdit(list);
    field->setPalette(list->palette());
    field->setCompleter(new QCompleter(field));
    list->setLineEdit(field);
    field->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
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

QSize ViewerWindow::windowSize() const
{
    return toQSize(formClientSize()) + QSize(0, contentTop());
}

int ViewerWindow::contentTop() const
{
    return m_titleStrip ? TitleStrip::Height : 0;
}

void ViewerWindow::applyLayout()
{
    setFixedSize(windowSize());
    if (m_titleStrip)
        m_titleStrip->setGeometry(0, 0, width(), TitleStrip::Height);
    // Raising from the last control to the first leaves the first on top.
    for (auto control = formControls.rbegin(); control != formControls.rend(); ++control) {
        auto* widget = findChild<QWidget*>(
            QString::fromLatin1(control->objectName.data(), qsizetype(control->objectName.size())),
            Qt::FindDirectChildrenOnly);
        // The layout table places the controls in the client area, which
        // starts below the title strip where the window draws one.
        widget->setGeometry(toQRect(pixelRect(*control)).translated(0, contentTop()));
        widget->raise();
    }

    fitLabels();

    QWidget* previous = nullptr;
    for (const std::string_view name : controlsInTabOrder()) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())),
                                           Qt::FindDirectChildrenOnly);
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void ViewerWindow::fitLabels()
{
    for (std::size_t position = 0; position < m_lists.size(); ++position) {
        auto* caption =
            findChild<QLabel*>(controlName("Label", position), Qt::FindDirectChildrenOnly);
        caption->setFont(fittingLabelFont(*caption, CaptionFont));
    }
    m_description->setFont(fittingLabelFont(*m_description, DescriptionFont));
}

QFont ViewerWindow::fittingListFont() const
{
    return ::fittingListFont(*this, toQRect(pixelRect(controlLayout("Combo1"))).size(),
                             m_listTexts);
}

void ViewerWindow::refitTexts()
{
    // A change may reach the window while it makes its controls.
    if (!m_lists.back())
        return;
    fitLabels();
    setListFont(fittingListFont());
}

void ViewerWindow::setListFont(const QFont& font)
{
    // The window's own font change is no change of the desktop's.
    m_settingListFont = true;
    setFont(font);
    m_settingListFont = false;
}

void ViewerWindow::applyColours()
{
    if (!m_description)
        return;
    const QPalette desktop = QApplication::palette();
    const PanelColours system{toRgbColour(desktop.color(QPalette::Window)),
                              toRgbColour(desktop.color(QPalette::WindowText))};
    const PanelColours colours = descriptionColours(looksHighContrast(system), system);
    QPalette panel = m_description->palette();
    panel.setColor(QPalette::Window, toQColor(colours.background));
    panel.setColor(QPalette::WindowText, toQColor(colours.text));
    m_description->setPalette(panel);
}

bool ViewerWindow::event(QEvent* event)
{
    // Qt first hands the new font or palette down to the window, from which
    // the fit takes it.
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
        if (!m_settingListFont)
            refitTexts();
        break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        applyColours();
        break;
    case QEvent::WindowStateChange:
    case QEvent::Resize:
    case QEvent::UpdateRequest:
        if (event->spontaneous() || event->type() == QEvent::UpdateRequest)
            keepOwnSize(event->type());
        break;
    case QEvent::Show:
        letCompositorSize();
        if (QWindow* window = windowHandle(); window && !m_screen) {
            connect(window, &QWindow::screenChanged, this, &ViewerWindow::followScreen);
            followScreen(window->screen());
        }
        break;
    default:
        break;
    }
    return handled;
}

void ViewerWindow::followScreen(QScreen* screen)
{
    if (m_screen)
        disconnect(m_screen, nullptr, this, nullptr);
    const bool moved = m_screen != nullptr;
    m_screen = screen;
    if (!screen)
        return;
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &ViewerWindow::refitTexts);
    if (!moved)
        return;
    // On a screen of another scale Qt keeps the window's pixels and shrinks
    // its size; asking for the size afresh, with size hints that differ for a
    // moment, has the window manager give it the pixels of the new scale.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(windowSize());
    letCompositorSize();
    refitTexts();
    if (m_shownPicture && m_picture->picture().size() != m_picture->deviceSize())
        showPicture(*m_shownPicture);
}

void ViewerWindow::letCompositorSize()
{
    // A compositor may still maximise the window on Wayland, from a key of
    // its own, and Qt 6.4 keeps a window within its size limits even in a
    // maximised state the compositor configured, which Weston then answers by
    // closing the connection. So on Wayland the window has no upper limit and
    // keeps its size itself, going back to it after any other size the
    // compositor gives it.
    if (!onWayland())
        return;
    if (QWindow* window = windowHandle())
        window->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    m_keepsOwnSize = true;
}

void ViewerWindow::keepOwnSize(QEvent::Type change)
{
    if (!m_keepsOwnSize)
        return;
    if (windowState().testFlag(Qt::WindowMaximized)) {
        // Weston ignores a request to leave a state it has not yet seen a
        // picture of, so the request waits for the first one at its size.
        if (size() == minimumSize())
            return;
        if (change == QEvent::UpdateRequest)
            setWindowState(windowState() & ~Qt::WindowMaximized);
        else
            update();
    } else if (change != QEvent::UpdateRequest && size() != minimumSize()) {
        resize(minimumSize());
    }
}

bool ViewerWindow::showBuiltInPicture()
{
    QFile resource(QString::fromLatin1(m_program.builtInPicture.data(),
                                       qsizetype(m_program.builtInPicture.size())));
    if (!resource.open(QIODevice::ReadOnly))
        return false;
    auto image = decodePicture(resource.readAll(), m_picture->deviceSize());
    if (!image)
        return false;
    m_picture->setPicture(std::move(*image));
    return true;
}

void ViewerWindow::load()
{
    requestStaysOnTop(*this);
    // Only a picture that did not load has the next one decoded.
    for (const PictureToShow& picture : m_behaviour.startupPictures())
        if (showPicture(picture))
            break;
}

void ViewerWindow::onListClick(std::size_t position)
{
    const auto pick = m_behaviour.pick(position, m_lists[position]->currentIndex());
    if (!pick)
        return;
    showPictureFile(pick->picture);
    m_description->setCaption(toQString(pick->description));
    m_description->setFont(fittingLabelFont(*m_description, DescriptionFont));
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
    return file && showPicture(*file);
}

bool ViewerWindow::showPicture(const PictureToShow& picture)
{
    if (picture.source == PictureSource::BuiltIn) {
        if (!showBuiltInPicture())
            return false;
    } else {
        auto image = LoadPicture(picture.path, m_picture->deviceSize());
        if (!image)
            return false;
        m_picture->setPicture(std::move(*image));
    }
    m_picture->setAccessibleDescription(toQString(picture.name));
    m_shownPicture = picture;
    return true;
}

void ViewerWindow::announce(const std::u16string& text)
{
    // The description panel and the picture never take the focus; screen
    // readers hear their news from the control that has it.
    if (QWidget* focus = focusWidget(); focus && !text.empty())
        announceToScreenReaders(*focus, toQString(text));
}
