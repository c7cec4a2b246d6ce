#pragma once

#include "description.h"

namespace jetwriter {

// The layout constants that differ between the two file versions.
struct FormatTraits
{
    Format format;
    int pageSize;
    int rowCountOffset;  // in data pages: the row count, followed by the row offsets
    int mapRowSize;      // a usage map: type byte, then start page and bitmap, or page references
    int scrambledHeader; // header bytes scrambled from offset 0x18
    int textCharSize;    // bytes a text character takes in a column's stored length

    bool jet4() const { return format == Format::Jet4; }
    // The longest row a data page can hold: one row alone with its offset entry.
    int maxRowSize() const { return pageSize - rowCountOffset - 4; }

    static const FormatTraits &of(Format format);
};

} // namespace jetwriter
