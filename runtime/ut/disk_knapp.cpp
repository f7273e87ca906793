// Whether the disk is so full that a log file or queue must lose its oldest fifth: at most 11 MiB free on a
// disk of more than 20 MiB, or at most 30 KiB free on any disk.
#include "runtime/ut/ut.h"

bool UT_DISK_KNAPP(std::uint32_t ulFrei) {
    return (UT_DISKSIZE() > 0x1400000 && ulFrei <= 0xB00000) || ulFrei <= 0x7800;
}
