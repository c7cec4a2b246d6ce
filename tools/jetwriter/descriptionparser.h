#pragma once

#include "description.h"

#include <QByteArray>

namespace jetwriter {

// Reads the JSON form of a description:
// {"format": "jet4", "tables": [{"name": ..., "columns": [{"name": ..., "type": "text",
// "size": 10}, ...], "rows": [[...], ...]}]}. JSON numbers become qint64 when they are
// whole, double otherwise; null is a database Null. Throws JetWriteError.
Description parseDescription(const QByteArray &json);

} // namespace jetwriter
