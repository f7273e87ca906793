// libFuzzer target for BVLC-SC messages as a hub sends them: each input is one WebSocket message. Its header
// and options are read (every offset inside the message, the payload its rest), then the message goes
// through the connection's receive path into the frames the BACnet layer reads: each one passes the receive
// guard, carries the NPDU byte for byte behind an Original-Unicast header, and comes from the VMAC the
// message named (or from the hub). Answers the node would send find no connection and are dropped.
#include <cstring>
#include "bsc/bsc.h"
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    const int iLen = static_cast<int>(uSize);
    BSC_KOPF k;
    const int ier = BSC_KOPF_LESEN(ucData, iLen, &k);
    FZ_CHECK(ier == 0 || ier == BSC_KOPF_KURZ || ier == BSC_KOPF_BITS || ier == BSC_KOPF_OPTION);
    if (ier == 0) {
        FZ_CHECK(k.iNutz >= 4 && k.iNutz <= iLen && k.iNutz + k.iNutzLen == iLen);
        for (const unsigned char *p : {k.ucVon, k.ucAn})
            FZ_CHECK(p == nullptr || (p >= ucData + 4 && p + BSC_VMAC_LEN <= ucData + k.iNutz));
    }
    SC_SICHER_NEU();
    stBSC.iZustand = BSC_OFFEN;
    BSC_NACHRICHT(ucData, iLen);
    unsigned char ucBuf[QX04_BUF_SIZE];
    IP_PORT stVon{};
    int n = 0;
    for (int iFrame; (iFrame = SC_SICHER_EMPFANGEN(&stVon, sizeof ucBuf, ucBuf)) >= 0; n++) {
        FZ_CHECK(ier == 0 && k.ucFunk == BSC_NPDU && !k.bUnverstanden);
        FZ_CHECK(iFrame == k.iNutzLen + 4 && QX04_BN_RXCHK(ucBuf, iFrame) == 0);
        FZ_CHECK(std::memcmp(ucBuf + 4, ucData + k.iNutz, static_cast<std::size_t>(k.iNutzLen)) == 0);
        unsigned char ucVmac[BSC_VMAC_LEN];
        SC_SICHER_VMAC(&stVon, ucVmac);
        FZ_CHECK(std::memcmp(ucVmac, k.ucVon != nullptr ? k.ucVon : stBSC.ucHubVmac, BSC_VMAC_LEN) == 0);
    }
    FZ_CHECK(n <= 1);
    return 0;
}
