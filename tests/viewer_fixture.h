#pragma once

#include "colour_distance.h"
#include "golden_table.h"
#include "viewer_program.h"
#include "viewer_window.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class CaptionLabel;
class PictureArea;
class QComboBox;

// Every test picture is one flat colour that names its number, so what the
// window shows can be read back from its pixels.
QColor colourOf(int pictureNumber);
void writePicture(const QString& path, int pictureNumber, QSize size = {300, 300});
// The test picture whose colour is nearest, or -1 when none is near: a
// neighbour's colour lies 25 away.
int pictureNumberOf(QColor colour);

// A program's window over a temporary program directory, by default filled
// with a test picture for every number the program reads. Paths and expected
// texts come from the golden tables, never from the program's own rules.
class ViewerFixture {
public:
    explicit ViewerFixture(const ViewerProgram& program, bool withPictures = true,
                           QString programDirectory = {});

    // "Qelview" or "Velview", the key of the golden tables.
    QString program() const;
    QString programDirectory() const { return m_programDirectory; }
    QString folder() const;
    QString folderPath() const;
    // <program directory>/<folder>/<number>.jpg
    QString picturePath(int number) const;
    void writePictures();

    ViewerWindow& window() { return *m_window; }
    QComboBox* list(int ordinal);
    CaptionLabel* description();
    PictureArea* picture();

    // The number of the test picture the picture area shows, or -1 for any
    // other picture.
    int shownPicture();
    bool showsBuiltInPicture();

    // Picks an item the way a user does: opens the list, moves to the item and
    // presses Return.
    void pick(int ordinal, int index);

    // The description label's text after a pick, from the golden table.
    QString descriptionOf(int ordinal, int index) const;

private:
    const ViewerProgram& m_program;
    QTemporaryDir m_directory;
    QString m_programDirectory;
    std::unique_ptr<ViewerWindow> m_window;
};
