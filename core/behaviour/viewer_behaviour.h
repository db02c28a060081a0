#pragma once

#include "expression_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the window's handlers decide, apart from any toolkit. A front end reads
// a list's index or sees a double-click, hands it here, and carries out the
// answer: load this picture file and, once it shows, name it for screen
// readers; write this description. Loading can fail; a failed load changes
// nothing and is reported nowhere, and the description is written all the same.

// Where a picture comes from: a file, or the picture the program carries.
enum class PictureSource { File, BuiltIn };

// A picture for the window: where to read it, the text that names the
// picture for screen readers once it shows, and what they are told once it
// shows (empty: nothing). The built-in picture has no path.
struct PictureToShow {
    std::filesystem::path path;
    std::u16string name;
    std::u16string announcement;
    PictureSource source = PictureSource::File;
};

// What a pick of an entry asks for: its picture first, then its description,
// then telling screen readers the announcement, whether the picture loaded or
// not.
struct PickOutcome {
    std::optional<PictureToShow> picture;
    std::u16string description;
    std::u16string announcement;
};

// What screen readers hear for the picture the program carries, shown until a
// picture file replaces it.
inline constexpr std::u16string_view BuiltInPictureName = u"内置图片";

class ViewerBehaviour {
public:
    // programDirectory is the folder the picture folder lies in, exactly as
    // the platform reports it.
    ViewerBehaviour(const ExpressionCatalogue& catalogue, std::filesystem::path programDirectory);

    // The pictures to try when the window loads, in order: the first that
    // loads shows. The built-in picture stands in for a start-up picture that
    // cannot be loaded, and shows from the start where there is none.
    std::vector<PictureToShow> startupPictures() const;

    // A pick in the list at this position (0 for the eyebrows) that now
    // reports this index, taken as the list's signed 16-bit index: nothing
    // when it names no entry (-1 among them), so that nothing changes.
    std::optional<PickOutcome> pick(std::size_t list, std::int64_t listIndex) const;

    // A double-click on the picture: the reset picture file, announced by its
    // name once it shows.
    std::optional<PictureToShow> doubleClick() const;

    // The text that names this picture file for screen readers: its file
    // under the picture folder, joined by the platform's own separator, and
    // the morph it shows, for example "Qel/3.jpg：にこり" ("Qel\3.jpg：にこり"
    // on Windows).
    std::u16string pictureName(int pictureNumber) const;

private:
    std::optional<PictureToShow> pictureFile(int pictureNumber) const;

    const ExpressionCatalogue& m_catalogue;
    std::filesystem::path m_programDirectory;
};
