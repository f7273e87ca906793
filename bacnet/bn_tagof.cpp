// Number of bytes before a tag's content, for a tag of valid total length iLen.
#include "bacnet/bn.h"

int QX04_BN_TAGOFS(const unsigned char *ucTag, int iLen) {
    if (iLen <= 1) return 0; // one-byte tags: a Boolean's value lies in the tag byte itself
    if ((ucTag[0] & 7) != 5) return 1;
    if (ucTag[1] <= 253) return 2;
    return ucTag[1] == 254 ? 4 : 6;
}
