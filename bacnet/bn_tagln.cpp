// Total length of a tag (tag byte, length bytes and content); 0 for an invalid length or, when an end is
// given, for a tag that does not end before it.
#include <climits>
#include <cstddef>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_TAGLEN";

int QX04_BN_TAGLEN(const unsigned char *ucTag, const unsigned char *ucEnd) {
    const std::ptrdiff_t lRest = ucEnd != nullptr ? ucEnd - ucTag : PTRDIFF_MAX; // bytes that may be read
    if (UT_TRC_IN()) {
        if (lRest > 0)
            UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Tag : 0x%02X", *ucTag);
        else
            UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Tag : * NULL *");
    }
    long long llLen = 0;
    if (lRest > 0) {
        const unsigned char ucByte = *ucTag;
        const int iLvt = ucByte & 7;
        if (iLvt >= 6) {
            llLen = 1;
        } else if (iLvt == 5) {
            if (lRest >= 2) {
                const unsigned b = ucTag[1];
                if (b >= 5 && b <= 253)
                    llLen = b + 2;
                else if (b == 254 && lRest >= 4)
                    llLen = 4 + ((unsigned)ucTag[2] << 8 | ucTag[3]);
                else if (b == 255 && lRest >= 6)
                    llLen = 6 + (long long)((std::uint32_t)ucTag[2] << 24 | (std::uint32_t)ucTag[3] << 16 |
                                            (std::uint32_t)ucTag[4] << 8 | ucTag[5]);
            }
        } else if ((ucByte & 0xF8) == 0x00 || (ucByte & 0xF8) == 0x10) {
            llLen = 1; // Null has no content, a Boolean keeps its value in the tag byte
        } else {
            llLen = iLvt + 1;
        }
    }
    if (llLen > lRest || llLen > INT_MAX) llLen = 0;
    const int ier = (int)llLen;
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
