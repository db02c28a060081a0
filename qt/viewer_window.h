#pragma once

#include "viewer_behaviour.h"
#include "viewer_program.h"

#include <QEvent>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

class CaptionLabel;
class PictureArea;
class QComboBox;
class QScreen;
class TitleStrip;

// The one window of a program: a picture of the face, the description of the
// last morph picked, and a drop-down list of morphs per region of the face.
// Object names follow the controls' traditional names (Form1, Combo1 to
// Combo4, Label1 to Label5, Image1).
class ViewerWindow : public QWidget {
    Q_OBJECT

public:
    // programDirectory is the folder the picture folder is looked up in, as the
    // platform reports it.
    ViewerWindow(const ViewerProgram& program, std::filesystem::path programDirectory,
                 QWidget* parent = nullptr);

    // Runs once before the window is first shown: asks to stay on top, then
    // shows the first of the start-up pictures that loads.
    void load();

    // Shows the window for the first time: without a taskbar button, centred
    // on its screen.
    void present();

protected:
    // Refits texts and colours when the desktop's font or theme changes, and
    // follows the window onto a screen of another scale or font resolution;
    // leaves a maximised state the window system imposed.
    bool event(QEvent* event) override;

private:
    void createControls();
    void createList(std::size_t position);
    void createCaption(std::size_t position);
    // The window's size: the client area of the layout table, below the
    // title strip where the window draws one.
    QSize windowSize() const;
    int contentTop() const;
    void applyLayout();
    void fitLabels();
    QFont fittingListFont() const;
    void setListFont(const QFont& font);
    void refitTexts();
    void applyColours();
    void followScreen(QScreen* screen);
    void letCompositorSize();
    void keepOwnSize(QEvent::Type change);
    bool showBuiltInPicture();

    // Handlers of a pick in a list and of a double-click on the picture.
    void onListClick(std::size_t position);
    void onPictureDoubleClick();

    // Shows the picture file and names it for screen readers; when it cannot
    // be loaded, the picture shown and its name stay as they are. True when
    // it shows.
    bool showPictureFile(const std::optional<PictureToShow>& file);
    bool showPicture(const PictureToShow& picture);

    // Has screen readers speak what the core decided, if anything.
    void announce(const std::u16string& text);

    const ViewerProgram& m_program;
    const ViewerBehaviour m_behaviour;
    // Every text the lists show, their items and the texts they start with.
    const QStringList m_listTexts;
    std::array<QComboBox*, 4> m_lists{};
    bool m_settingListFont = false;
    CaptionLabel* m_description = nullptr;
    PictureArea* m_picture = nullptr;
    // Only where the window system draws no title bar the window wants.
    TitleStrip* m_titleStrip = nullptr;
    // The picture shown, decoded again at the device pixels of a new scale.
    std::optional<PictureToShow> m_shownPicture;
    QScreen* m_screen = nullptr;
    bool m_keepsOwnSize = false;
};
