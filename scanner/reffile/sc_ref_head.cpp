// Writes the header line of the reference file, dated with the loop time of the program start, and flushes
// it so that a file that cannot take it is noticed during set-up.
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"

int SC_REF_HEAD() {
    constexpr std::size_t uSize = sizeof cSC_REF_Buf;
    std::size_t n = static_cast<std::size_t>(UT_ZDB_HEAD(cSC_REF_Buf, uSize, "BACnet nach ZDB (NETSCN)"));
    n += static_cast<std::size_t>(std::snprintf(cSC_REF_Buf + n, uSize - n, "\n"));
    if (fpSC_REF == nullptr || std::fwrite(cSC_REF_Buf, 1, n, fpSC_REF) != n || std::fflush(fpSC_REF) != 0)
        return -21;
    return 0;
}
