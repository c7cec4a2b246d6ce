#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian stores into byte buffers, the only byte order of the file.
namespace jetwriter {

inline void put16(char *at, quint16 value) { qToLittleEndian(value, at); }
inline void put32(char *at, quint32 value) { qToLittleEndian(value, at); }
inline void putDouble(char *at, double value) { qToLittleEndian(value, at); }

inline void append8(QByteArray &bytes, quint8 value) { bytes.append(char(value)); }

inline void append16(QByteArray &bytes, quint16 value)
{
    char buffer[2];
    put16(buffer, value);
    bytes.append(buffer, 2);
}

inline void append32(QByteArray &bytes, quint32 value)
{
    char buffer[4];
    put32(buffer, value);
    bytes.append(buffer, 4);
}

inline quint16 get16(const char *at) { return qFromLittleEndian<quint16>(at); }

} // namespace jetwriter
