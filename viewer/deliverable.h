#pragma once

#include "expression_catalogue.h"

#include <string_view>

// What sets one program apart from the other: nothing but data handed to the
// shared window.
struct Deliverable {
    std::u16string_view windowCaption;
    const ExpressionCatalogue& catalogue;
    // Qt resource path of the picture the window holds before any file loads.
    std::string_view builtInPicture;
};

const Deliverable& qelviewDeliverable();
const Deliverable& velviewDeliverable();
