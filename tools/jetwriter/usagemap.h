#pragma once

#include "formattraits.h"
#include "pagefile.h"

#include <QByteArray>
#include <QList>

namespace jetwriter {

// A usage map row naming a set of pages: an inline bitmap from a start page when the
// pages fit its window, otherwise references to bitmap pages (type 5), which are taken
// from the end of the file, each covering its own fixed range of page numbers.
QByteArray usageMapRow(PageFile &file, const FormatTraits &traits, QList<quint32> pages);

// The file-wide map of page 1: the free pages, which are those past the end of the file.
QByteArray freePagesMapRow(const FormatTraits &traits, quint32 pageCount);

} // namespace jetwriter
