// The data line of a finished object with number uZeile, formatted into the line buffer of the reference
// file.
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"

int SC_REF_TEXT(SC_OBJ_Struct *stObj, unsigned uZeile) {
    unsigned uPolar = 0;
    unsigned uAtb = SC_ATB_KODE(stObj, &uPolar);
    constexpr std::size_t uSize = sizeof cSC_REF_Buf;
    std::size_t n = static_cast<std::size_t>(
        UT_ZDB_PREFIX(cSC_REF_Buf, uSize, uZeile, stObj->cDpId, stObj->uDP_Type, (unsigned long)uAtb));
    n += static_cast<std::size_t>(std::snprintf(cSC_REF_Buf + n, uSize - n, "%-23s          %-26s%s\n",
                                                stObj->cText, stObj->cBnAdr,
                                                (stObj->uDP_Type <= 2 && uPolar != 0) ? " 00001" : ""));
    if (n >= uSize) return -1;
    SC_REF_BLANKS(cSC_REF_Buf, n - 1); // all but the line end
    return static_cast<int>(n);
}
