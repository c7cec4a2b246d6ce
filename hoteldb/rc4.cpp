#include "rc4.h"

#include <array>
#include <utility>

namespace hoteldb::jet {

void rc4(QByteArrayView key, char *data, qsizetype length)
{
    std::array<quint8, 256> state;
    for (int i = 0; i < 256; ++i)
        state[i] = quint8(i);
    quint8 j = 0;
    for (int i = 0; i < 256; ++i) {
        j = quint8(j + state[i] + quint8(key[i % key.size()]));
        std::swap(state[i], state[j]);
    }
    quint8 x = 0;
    quint8 y = 0;
    for (qsizetype n = 0; n < length; ++n) {
        x = quint8(x + 1);
        y = quint8(y + state[x]);
        std::swap(state[x], state[y]);
        data[n] = char(quint8(data[n]) ^ state[quint8(state[x] + state[y])]);
    }
}

} // namespace hoteldb::jet
