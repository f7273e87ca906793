// Records the route of a device: claims a record for a new device, updates the record of a known one. Once
// the device has spoken from its route, the route stays for the run: another address for the same instance is
// a second device (a commissioning fault), remembered for the console and never mixed into the first one's
// scan.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RT_SET";

// "   SNET : %u   SLEN : %u" and the MAC bytes of an address, continuing a trace line.
static void ADR_TRC(std::uint16_t usSNET, unsigned char ucSLEN, const unsigned char *ucSADR) {
    UT_TRC_CONT("   SNET : %u   SLEN : %u", usSNET, ucSLEN);
    if (ucSLEN != 0 && ucSADR != nullptr) {
        UT_TRC_CONT("   SADR : 0x");
        for (int i = 0; i < ucSLEN; i++)
            UT_TRC_CONT("%02X", ucSADR[i]);
    }
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}

// One device's address, twice: behind a router the same network and MAC (whichever router passes it on),
// reached directly the same endpoint.
static bool GLEICH(std::uint16_t usNet1, unsigned char ucLen1, const unsigned char *ucAdr1,
                   const IP_PORT *stPort1, std::uint16_t usNet2, unsigned char ucLen2,
                   const unsigned char *ucAdr2, const IP_PORT *stPort2) {
    if (usNet1 != usNet2 || ucLen1 != ucLen2) return false;
    if (ucLen1 > 0) return std::memcmp(ucAdr1, ucAdr2, ucLen1) == 0;
    return stPort1->ulAdr == stPort2->ulAdr && stPort1->usPort == stPort2->usPort;
}

// Another address claiming the instance of r: remembered once, traced when first seen.
static void DOPPELT(const QX04_BN_ROUTE *r, std::uint16_t usSNET, unsigned char ucSLEN,
                    const unsigned char *ucSADR, const IP_PORT *stPort) {
    for (int i = 0; i < iQX04_Anz_Doppelt; i++) {
        const QX04_BN_DOPPELT *d = &BN_DOPPELT_QX04_Struct[i];
        if (d->ulSDEV == r->ulSDEV &&
            GLEICH(d->usSNET, d->ucSLEN, d->ucSADR, &d->stPort, usSNET, ucSLEN, ucSADR, stPort))
            return;
    }
    if (iQX04_Anz_Doppelt >= QX04_DOPPELT_MAX) {
        iQX04_Doppelt_Voll = 1;
        return;
    }
    QX04_BN_DOPPELT *d = &BN_DOPPELT_QX04_Struct[iQX04_Anz_Doppelt++];
    *d = QX04_BN_DOPPELT{r->ulSDEV, usSNET, ucSLEN, {}, *stPort};
    if (ucSLEN > 0) std::memcpy(d->ucSADR, ucSADR, ucSLEN);
    if (TEST_T_I || TEST_T_I1) {
        UT_TRC("\n\n", cRoutine, "Device %lu doppelt   Port : >%s<", (unsigned long)r->ulSDEV,
               IP_PORT2A(stPort));
        ADR_TRC(usSNET, ucSLEN, ucSADR);
        UT_TRC_CONT("\n      ROUTE : >%s<", IP_PORT2A(&r->stPort));
        ADR_TRC(r->usSNET, r->ucSLEN, r->ucSADR);
    }
}

int QX04_BN_RT_SET(std::uint32_t ulObjId, std::uint16_t usSNET, unsigned char ucSLEN,
                   const unsigned char *ucSADR, const IP_PORT *stPort) {
    const std::uint32_t ulInst = ulObjId & 0x3FFFFF;
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  SDEV : %lu", (unsigned long)ulInst);
        ADR_TRC(usSNET, ucSLEN, ucSADR);
    }
    int ier = -1;
    if (QX04_BN_OBJTYPE(ulObjId) != 8 || ulInst == 0x3FFFFF) {
        // 4194303 is no device's instance: lookups by address rely on no record holding it
        ier = -2;
    } else if (ucSLEN > QX04_SADR_MAX || (ucSLEN > 0 && ucSADR == nullptr) || stPort == nullptr) {
        ier = -3; // an address the record cannot hold is not recorded
    } else if (ulInst < ulQX04_DevMin || ulInst > ulQX04_DevMax) {
        ier = -5; // outside the range asked for: neither learned nor scanned
    } else {
        for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
            QX04_BN_ROUTE *r = &BN_ROUTE_QX04_Struct[i];
            if (r->ulSDEV == 0xFFFFFFFF) r->ulSDEV = ulInst; // records are claimed without gaps
            if (r->ulSDEV != ulInst) continue;
            if (r->ucBestaetigt != 0 &&
                !GLEICH(r->usSNET, r->ucSLEN, r->ucSADR, &r->stPort, usSNET, ucSLEN, ucSADR, stPort)) {
                DOPPELT(r, usSNET, ucSLEN, ucSADR, stPort);
                ier = -4;
                break;
            }
            if (r->usSNET != 0xFFFF && (r->usSNET != usSNET || r->ucSLEN != ucSLEN ||
                                        (ucSLEN > 0 && std::memcmp(r->ucSADR, ucSADR, ucSLEN) != 0)))
                UT_ERR_LOG(cRoutine, -1, (int)ulObjId, "neue Route");
            r->usSNET = usSNET;
            r->ucSLEN = ucSLEN;
            if (ucSLEN > 0) std::memcpy(r->ucSADR, ucSADR, ucSLEN);
            r->stPort = *stPort; // before it has spoken, a device may still move to another endpoint
            if (r->iStatus == 1) r->iStatus = 2;
            r->ulZeit = ulUT_LOOPZeit;
            ier = (int)i;
            break;
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
