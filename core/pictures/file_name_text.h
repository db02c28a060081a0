#pragma once

#include <optional>
#include <string>
#include <string_view>

// File names on Linux are bytes, which desktops write in UTF-8; a folder
// unpacked from an archive made elsewhere may be named in another encoding.
// So that such a name still reaches the file system unchanged, each byte that
// is not part of valid UTF-8 is carried in the text as the unpaired surrogate
// U+DC80 to U+DCFF that holds it, and written back as that byte.

// The text of a file name: its UTF-8 decoded, any other byte escaped.
std::u16string fileNameText(std::string_view bytes);

// The bytes of a file name given as text, escapes written back as the bytes
// they hold; nothing for a NUL or any other unpaired surrogate, which no file
// name holds.
std::optional<std::string> fileNameBytes(std::u16string_view text);
