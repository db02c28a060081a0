#include "viewer_behaviour.h"

#include "catalogue_rules.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace {
bool isBlank(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0' || c == u'\u3000';
}

// A list text without the blanks some of them carry at either end; screen
// readers would only pause on them.
std::u16string_view withoutOuterBlanks(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// What the overview picture shows, in place of a morph's name.
constexpr std::u16string_view OverviewName = u"总览";
} // namespace

ViewerBehaviour::ViewerBehaviour(const ExpressionCatalogue& catalogue,
                                 std::filesystem::path programDirectory)
    : m_catalogue(catalogue), m_programDirectory(std::move(programDirectory))
{}

std::vector<PictureToShow> ViewerBehaviour::startupPictures() const
{
    std::vector<PictureToShow> pictures;
    if (m_catalogue.startupPicture)
        if (auto file = pictureFile(*m_catalogue.startupPicture))
            pictures.push_back(std::move(*file));
    pictures.push_back({{}, std::u16string(BuiltInPictureName), {}, PictureSource::BuiltIn});
    return pictures;
}

std::optional<PickOutcome> ViewerBehaviour::pick(std::size_t list, std::int64_t listIndex) const
{
    if (list >= m_catalogue.categories.size())
        return std::nullopt;
    // A list reports its index as a signed 16-bit number; the selection rule
    // takes it as such.
    const auto entry =
        FindEntry(m_catalogue.categories[list], static_cast<std::int16_t>(listIndex));
    if (!entry)
        return std::nullopt;
    // The picture's name is not announced: the pick's item was just spoken,
    // and its description says what the picture shows.
    return PickOutcome{pictureFile(entry->pictureNumber), DescriptionText(*entry),
                       std::u16string(entry->description)};
}

std::optional<PictureToShow> ViewerBehaviour::doubleClick() const
{
    auto reset = pictureFile(m_catalogue.resetPicture);
    // Nothing else tells a user who cannot see it that the picture changed.
    if (reset)
        reset->announcement = reset->name;
    return reset;
}

std::u16string ViewerBehaviour::pictureName(int pictureNumber) const
{
    std::u16string name(m_catalogue.pictureFolder);
    // Spoken the way the user's file manager writes it.
    name += static_cast<char16_t>(std::filesystem::path::preferred_separator);
    const std::string digits = std::to_string(pictureNumber);
    name.append(digits.begin(), digits.end());
    name += u".jpg";
    if (pictureNumber == OverviewPicture)
        return name + u'：' + std::u16string(OverviewName);
    for (const Category& category : m_catalogue.categories) {
        const auto entry =
            std::ranges::find(category.entries, pictureNumber, &CatalogueEntry::pictureNumber);
        if (entry != category.entries.end())
            return name + u'：' + std::u16string(withoutOuterBlanks(entry->listText));
    }
    return name;
}

std::optional<PictureToShow> ViewerBehaviour::pictureFile(int pictureNumber) const
{
    auto path = PicturePath(m_catalogue, m_programDirectory, pictureNumber);
    if (!path)
        return std::nullopt;
    return PictureToShow{std::move(*path), pictureName(pictureNumber), {}};
}
