#include "filekind.h"

#include <algorithm>
#include <iterator>

namespace movement {

const FileKindWords &wordsOf(FileKind kind)
{
    return *std::find_if(std::begin(kFileKindWords), std::end(kFileKindWords),
                         [kind](const FileKindWords &words) { return words.kind == kind; });
}

QDate reportedDay(FileKind kind, QDate typed)
{
    return kind == FileKind::Schema ? typed.addDays(-1) : typed;
}

QDate typedDay(FileKind kind, QDate day)
{
    return kind == FileKind::Schema ? day.addDays(1) : day;
}

} // namespace movement
