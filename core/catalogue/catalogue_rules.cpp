#include "catalogue_rules.h"

#include <algorithm>
#include <cstddef>

std::optional<CatalogueEntry> FindEntry(const Category& category, std::int16_t listIndex)
{
    // One unsigned comparison turns -1 and every other negative index into a
    // value above any real position.
    const auto position = static_cast<std::uint16_t>(listIndex);
    if (category.entries.empty() || position > category.entries.size() - 1)
        return std::nullopt;
    return category.entries[position];
}

bool usesPicture(const ExpressionCatalogue& catalogue, int pictureNumber)
{
    if (pictureNumber == catalogue.startupPicture || pictureNumber == catalogue.resetPicture)
        return true;
    return std::ranges::any_of(catalogue.categories, [pictureNumber](const Category& category) {
        return std::ranges::any_of(category.entries, [pictureNumber](const CatalogueEntry& entry) {
            return entry.pictureNumber == pictureNumber;
        });
    });
}

std::optional<std::u16string> PicturePath(const ExpressionCatalogue& catalogue,
                                          std::u16string_view programDirectory, int pictureNumber)
{
    if (!usesPicture(catalogue, pictureNumber))
        return std::nullopt;

    std::u16string path(programDirectory);
    path += PathSeparator;
    path += catalogue.pictureFolder;
    path += PathSeparator;
    const std::string digits = std::to_string(pictureNumber);
    path.append(digits.begin(), digits.end());
    path += u".jpg";
    return path;
}

std::u16string DescriptionText(const CatalogueEntry& entry)
{
    std::u16string text(DescriptionHeading);
    text += u"\r\n   ";
    text += entry.description;
    return text;
}
