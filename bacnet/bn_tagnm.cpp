// Kind of a tag: application tag number, context-specific, opening or closing tag.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_TAGNUM";

int QX04_BN_TAGNUM(const unsigned char *ucTag) {
    const unsigned char ucByte = *ucTag;
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  BN-Tag : 0x%02X", ucByte);
    int ier;
    if ((ucByte & 7) == 6)
        ier = QX04_TAG_OPEN;
    else if ((ucByte & 7) == 7)
        ier = QX04_TAG_CLOSE;
    else if (ucByte & 0x08)
        ier = QX04_TAG_CONTEXT;
    else if ((ucByte >> 4) <= 12)
        ier = ucByte >> 4;
    else
        ier = -1; // application tags 13 to 15 are not defined
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
