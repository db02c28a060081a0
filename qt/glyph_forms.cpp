#include "glyph_forms.h"

#include <hb.h>

#include <clocale>
#include <string>

void keepGlyphFormsOfEachFace()
{
    // HarfBuzz reads the locale at its first hb_language_get_default() and
    // keeps that answer for the life of the process; Qt's own HarfBuzz on
    // Debian is this shared library.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current ? current : "C";
    std::setlocale(LC_CTYPE, "C");
    hb_language_get_default();
    std::setlocale(LC_CTYPE, saved.c_str());
}
