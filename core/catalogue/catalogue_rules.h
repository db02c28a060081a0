#pragma once

#include "catalogue_entry.h"
#include "category.h"
#include "expression_catalogue.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The entry at the position a list reports, or nothing for -1 and for every
// other index outside the list.
std::optional<CatalogueEntry> FindEntry(const Category& category, std::int16_t listIndex);

// True for the picture numbers a program reads: its entries' pictures and its
// start-up and reset pictures.
bool usesPicture(const ExpressionCatalogue& catalogue, int pictureNumber);

// The program directory exactly as given, joined with the picture folder and
// "N.jpg"; nothing for a number the program does not read, so no other file
// name is ever formed.
std::optional<std::filesystem::path> PicturePath(const ExpressionCatalogue& catalogue,
                                                 const std::filesystem::path& programDirectory,
                                                 int pictureNumber);

// The description label's text for an entry: the heading line, CR LF, three
// spaces and the entry's description.
std::u16string DescriptionText(const CatalogueEntry& entry);

// The description label's text before anything is picked.
inline constexpr std::u16string_view DescriptionHeading = u" [表情说明]";
