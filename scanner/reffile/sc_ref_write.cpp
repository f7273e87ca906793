// Writes a formatted line of the reference file. It is flushed at once, so that a full disk shows at this
// line and not as a truncated file after a successful verdict.
#include "scanner/reffile/sc_ref.h"

int SC_REF_WRITE(int iLen) {
    const std::size_t n = static_cast<std::size_t>(iLen);
    if (iLen < 0 || fpSC_REF == nullptr || std::fwrite(cSC_REF_Buf, 1, n, fpSC_REF) != n ||
        std::fflush(fpSC_REF) != 0) {
        std::printf("\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei NETSCN.REF  ***");
        return -21;
    }
    return 0;
}
