// Bytes of a block count, saturated whenever the product might not fit in 32 bits (4096-byte blocks: from
// 2 GiB on).
#include "runtime/sy/sy.h"

std::uint32_t SY_SF_BYTES(unsigned long ulBSize, unsigned long long ullBlocks) {
    int k = 0;
    for (unsigned long ul = ulBSize; ul != 0; ul >>= 1)
        k++;
    if (k >= 32 || (ullBlocks >> (32 - k)) != 0) return 0xFFFFFFFF;
    return static_cast<std::uint32_t>(ullBlocks * ulBSize);
}
