// Whether the disk is so full that a log file or queue must lose its oldest fifth: at most 11 MiB free on a
// disk of more than 20 MiB, or at most 30 KiB free on any disk. The free space is asked for each test, after
// the size, so that the disk figures are read (and traced) in the order the limits name them.
#include "runtime/ut/ut.h"

bool UT_DISK_KNAPP(std::uint32_t (*fnFrei)()) {
    return (UT_DISKSIZE() > 0x1400000 && fnFrei() <= 0xB00000) || fnFrei() <= 0x7800;
}
