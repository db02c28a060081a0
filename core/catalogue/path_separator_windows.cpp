#include "catalogue_rules.h"

const char16_t PathSeparator = u'\\';
