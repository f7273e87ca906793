// Whether the disk has room for another line of the error log or the operating protocol: more than 10 MiB
// free, or on a disk of at most 10 MiB more than 10 KiB.
#include "runtime/ut/ut.h"

bool UT_DISK_PLATZ() {
    return UT_DISKFREE() > 0xA00000 || (UT_DISKSIZE() <= 0xA00000 && UT_DISKFREE() > 0x2800);
}
