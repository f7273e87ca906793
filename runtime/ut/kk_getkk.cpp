// Station record, whose text from byte 1 on heads the pages of the operating protocol.
#include "runtime/ut/ut.h"

unsigned char *UT_KK_GETKK() {
    return UT_KK_CFG;
}
