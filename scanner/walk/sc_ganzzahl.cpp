// A numeric property value as the steps take it: truncated toward zero, an object identifier as its bits.
#include <bit>
#include <cmath>
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

long SC_GANZZAHL(int iTag, std::uint32_t ulWert) {
    if (iTag == QX04_TAG_OBJID) return static_cast<long>(ulWert);
    const float f = std::bit_cast<float>(ulWert);
    if (!std::isfinite(f) || f >= 2147483648.0f || f <= -2147483649.0f) return -1;
    return static_cast<long>(f);
}
