#pragma once

#include "expression_catalogue.h"

// The catalogue of Qelview, fixed at build time.
const ExpressionCatalogue& qelviewCatalogue();
