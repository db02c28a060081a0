#pragma once

// Before the application object exists: keeps each font drawing its own
// glyph forms whatever the user's locale. HarfBuzz, which lays out Qt's text,
// shapes every text in the language of the locale it first sees, and the CJK
// faces then switch to that language's forms: under a Japanese locale the
// Chinese face draws Japanese forms of Chinese text, and the other way round.
// Here HarfBuzz first sees the "C" locale, which names no language.
void keepGlyphFormsOfEachFace();
