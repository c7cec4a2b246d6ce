#pragma once

#include "formattraits.h"
#include "longvaluewriter.h"
#include "tablelayout.h"

#include <QByteArray>
#include <QVariantList>

namespace jetwriter {

// Turns a row of values into the bytes of a stored row: column count, fixed part,
// variable part, offset table and null mask, in the layout of the file's version.
class RowEncoder
{
public:
    RowEncoder(const FormatTraits &traits, const TableLayout &layout, LongValueWriter &longValues);

    // rowIndex counts from 0; messages count rows from 1. Throws JetWriteError naming
    // the table, the row and the column.
    QByteArray encode(const QVariantList &values, qsizetype rowIndex);

private:
    QByteArray assembleJet4(const QByteArray &fixed, const QList<QByteArray> &variable, const QByteArray &nullMask) const;
    QByteArray assembleJet3(const QByteArray &fixed, const QList<QByteArray> &variable, const QByteArray &nullMask) const;

    const FormatTraits &m_traits;
    const TableLayout &m_layout;
    LongValueWriter &m_longValues;
};

} // namespace jetwriter
