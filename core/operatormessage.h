#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

namespace core {

// The longest a value shows in a message: a longer one (a whole file read as a path, say) is cut,
// so that the message stays readable and the box quick to lay out.
inline constexpr qsizetype kLongestShownValue = 200;

// A message for the operator: `pattern` with %1 to %9 replaced, in one pass, by the values, each
// cut to kLongestShownValue characters followed by "...". A "%" inside a value is never taken for
// a placeholder, as it is when arg() calls are chained over the operator's own text.
QString operatorMessage(QStringView pattern, std::initializer_list<QStringView> values);

} // namespace core
