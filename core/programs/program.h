#pragma once

#include "expression_catalogue.h"

#include <string_view>

// What sets one program apart from the other, apart from its artwork: nothing
// but data handed to a front end.
struct Program {
    // The window's title bar text, exactly as shown.
    std::u16string_view windowCaption;
    const ExpressionCatalogue& catalogue;
    // The program's name as the system and its desktop know it.
    std::string_view name;
};

const Program& qelviewProgram();
const Program& velviewProgram();
