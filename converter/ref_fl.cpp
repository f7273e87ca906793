// Writes the data lines that TK_REF_WRITE gathered; the stream is unbuffered, so a failure shows here.
#include "converter/tk.h"

int TK_REF_FLUSH() {
    std::size_t uLen = uTK_REF_Fill;
    uTK_REF_Fill = 0;
    if (uLen == 0) return 0;
    return std::fwrite(cTK_REF_Blk, 1, uLen, fpTK_REF) == uLen ? 0 : -23;
}
