#pragma once

#include "formattraits.h"

namespace jetwriter {

// Fills page 0: signature, version, code page and sort order, no encryption and no
// password, and the creation date given as an automation date.
void writeHeaderPage(char *page, const FormatTraits &traits, double creationDate);

} // namespace jetwriter
