#include "formattraits.h"

namespace jetwriter {

const FormatTraits &FormatTraits::of(Format format)
{
    static const FormatTraits jet3{Format::Jet3, 2048, 8, 133, 126, 1};
    static const FormatTraits jet4{Format::Jet4, 4096, 12, 69, 128, 2};
    return format == Format::Jet4 ? jet4 : jet3;
}

} // namespace jetwriter
