// One measurement from the file-system statistics of the working directory: its size, or with bFrei the
// bytes available to unprivileged programs; 0 when the statistics cannot be read.
#include <sys/vfs.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

std::uint32_t SY_SF_MESS(const char *cName, bool bFrei) {
    struct statfs sf;
    int iier = statfs(".", &sf);
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", cName, "Nach STATFS   iier : %d", iier);
        if (iier == 0)
            UT_TRC_CONT("\n    BSIZE : %ld    BLOCKS : %ld\n    BFREE : %ld    BAVAIL : %ld",
                        (long)sf.f_bsize, (long)sf.f_blocks, (long)sf.f_bfree, (long)sf.f_bavail);
    }
    if (iier != 0) return 0;
    return SY_SF_BYTES(static_cast<unsigned long>(sf.f_bsize), bFrei ? sf.f_bavail : sf.f_blocks);
}
