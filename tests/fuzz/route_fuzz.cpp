// libFuzzer target for the route file: each input is the whole content of "qx/qx04ddev.bn", which
// QX04_BN_RT_INIT reads into an empty route table of 16 records (so that a full table is within reach). The
// endpoint texts in it are converted as the scanner converts them, with name look-ups against the private
// network namespace's resolver. Afterwards the used records form an unbroken prefix, each holds a device of
// its own with a route and at most the 6 MAC bytes a line can give.
#include <cstring>
#include <sys/stat.h>
#include "bacnet/bn.h"
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"
#include "support/netns_guard.h"

constexpr int iANZ = 16;
static QX04_BN_ROUTE tabelle[iANZ];

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    FZ_TEMP_DIR();
    if (mkdir("qx", 0755) != 0) std::abort();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    BN_ROUTE_QX04_Struct = tabelle;
    uQX04_Anz_Dev = iANZ;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    for (QX04_BN_ROUTE &r : tabelle) {
        r = QX04_BN_ROUTE{};
        r.ulSDEV = 0xFFFFFFFF;
        r.usSNET = 0xFFFF;
    }
    FZ_FILE("qx/qx04ddev.bn", ucData, uSize);
    FZ_CHECK(QX04_BN_RT_INIT() == 0);
    bool bFrei = false;
    for (int i = 0; i < iANZ; i++) {
        const QX04_BN_ROUTE &r = tabelle[i];
        if (r.ulSDEV == 0xFFFFFFFF) {
            bFrei = true;
            continue;
        }
        FZ_CHECK(!bFrei && r.ulSDEV < 0x3FFFFF && r.usSNET != 0xFFFF && r.ucSLEN <= 6);
        for (int k = 0; k < i; k++)
            FZ_CHECK(tabelle[k].ulSDEV != r.ulSDEV);
    }
    return 0;
}
