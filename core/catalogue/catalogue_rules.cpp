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

std::optional<std::filesystem::path> PicturePath(const ExpressionCatalogue& catalogue,
                                                 const std::filesystem::path& programDirectory,
                                                 int pictureNumber)
{
    if (!usesPicture(catalogue, pictureNumber))
        return std::nullopt;
    return programDirectory / catalogue.pictureFolder / (std::to_string(pictureNumber) + ".jpg");
}

std::u16string DescriptionText(const CatalogueEntry& entry)
{
    std::u16string text(DescriptionHeading);
    text += u"\r\n   ";
    text += entry.description;
    return text;
}
