// Writes one line of tabconv.ref so that a failed write is charged to the line that failed.
#include <cstring>
#include "converter/tk.h"
#include "runtime/ut/ut.h"

int TK_REF_WRITE(const char *cLine, int iLen, bool bHead) {
    std::size_t uLen = iLen > 0 ? static_cast<std::size_t>(iLen) : 0;
    // The header, and every line while its write result is traced, goes out at once; data lines written
    // earlier go first so that the file keeps its order and their failure is found first.
    if (bHead || TEST_T_O || TEST_T_O1 || uLen > sizeof cTK_REF_Blk) {
        if (TK_REF_FLUSH() != 0) return -23;
        if (std::fwrite(cLine, 1, uLen, fpTK_REF) != uLen) return bHead ? -24 : -23;
        return 0;
    }
    if (uTK_REF_Fill + uLen > sizeof cTK_REF_Blk && TK_REF_FLUSH() != 0) return -23;
    std::memcpy(cTK_REF_Blk + uTK_REF_Fill, cLine, uLen);
    uTK_REF_Fill += uLen;
    return 0;
}
