#pragma once

#include <QByteArrayView>

namespace hoteldb::jet {

// RC4 stream cipher: XORs the key stream over the bytes in place (the same call undoes it).
void rc4(QByteArrayView key, char *data, qsizetype length);

} // namespace hoteldb::jet
