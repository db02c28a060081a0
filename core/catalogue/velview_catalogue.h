#pragma once

#include "expression_catalogue.h"

// The catalogue of Velview, fixed at build time.
const ExpressionCatalogue& velviewCatalogue();
