// After the connection came back: every request still open goes again, oldest first as the list holds them.
// A request whose answer was on its way when the connection broke may be answered twice: the exchange takes
// the first answer and drops the copy.
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

int SC_SICHER_NACHHOLEN() {
    int n = 0;
    const std::uint32_t ulJetzt = UT_MSEK();
    for (SC_OFFEN_Struct &o : astSC_Offen) {
        if (!o.bBelegt) continue;
        if (ulJetzt - o.ulMs > SC_OFFEN_MS) {
            o.bBelegt = false;
            continue;
        }
        unsigned char ucAn[BSC_VMAC_LEN];
        SC_SICHER_VMAC(&o.stZiel, ucAn);
        const int p = QX04_BN_POSNPDU(o.ucFrame);
        if (p > 0 && BSC_SENDEN(ucAn, o.ucFrame + p, o.iLen - p) == 0) n++;
    }
    return n;
}
