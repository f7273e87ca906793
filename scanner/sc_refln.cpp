// Writes the data line of a finished object to the reference file. The line is flushed at once, so that a
// full disk shows at this line and not as a truncated file after a successful verdict.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

int SC_REF_TEXT(SC_OBJ_Struct *stObj, unsigned uZeile) {
    unsigned uPolar = 0;
    unsigned uAtb = SC_ATB_KODE(stObj, &uPolar);
    constexpr std::size_t uSize = sizeof cSC_REF_Buf;
    std::size_t n = static_cast<std::size_t>(
        UT_ZDB_PREFIX(cSC_REF_Buf, uSize, uZeile, stObj->cDpId, stObj->uDP_Type, (unsigned long)uAtb));
    n += static_cast<std::size_t>(std::snprintf(cSC_REF_Buf + n, uSize - n, "%-23s          %-26s%s\n",
                                                stObj->cText, stObj->cBnAdr,
                                                (stObj->uDP_Type <= 2 && uPolar != 0) ? " 00001" : ""));
    return n >= uSize ? -1 : static_cast<int>(n);
}

int SC_REF_WRITE(int iLen) {
    const std::size_t n = static_cast<std::size_t>(iLen);
    if (iLen < 0 || fpSC_REF == nullptr || std::fwrite(cSC_REF_Buf, 1, n, fpSC_REF) != n ||
        std::fflush(fpSC_REF) != 0) {
        std::printf("\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei NETSCN.REF  ***");
        return -21;
    }
    return 0;
}

int SC_REF_LINE(SC_OBJ_Struct *stObj, unsigned *uZeile) {
    int n = SC_REF_TEXT(stObj, *uZeile);
    (*uZeile)++;
    return SC_REF_WRITE(n);
}
