// Records the route of a device: claims a record for a new device, updates the record of a known one.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RT_SET";

int QX04_BN_RT_SET(std::uint32_t ulObjId, std::uint16_t usSNET, unsigned char ucSLEN,
                   const unsigned char *ucSADR, const IP_PORT *stPort) {
    const std::uint32_t ulInst = ulObjId & 0x3FFFFF;
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  SDEV : %lu   SNET : %u   SLEN : %u", (unsigned long)ulInst,
               usSNET, ucSLEN);
        if (ucSLEN != 0 && ucSADR != nullptr) {
            UT_TRC_CONT("   SADR : 0x");
            for (int i = 0; i < ucSLEN; i++)
                UT_TRC_CONT("%02X", ucSADR[i]);
            std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
        }
    }
    int ier = -1;
    if (QX04_BN_OBJTYPE(ulObjId) != 8 || ulInst == 0x3FFFFF) {
        // 4194303 is no device's instance: lookups by address rely on no record holding it
        ier = -2;
    } else if (ucSLEN > QX04_SADR_MAX || (ucSLEN > 0 && ucSADR == nullptr) || stPort == nullptr) {
        ier = -3; // an address the record cannot hold is not recorded
    } else if (ulInst < ulQX04_DevMin || ulInst > ulQX04_DevMax) {
        ier = -4; // outside the range asked for: neither learned nor scanned
    } else {
        for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
            QX04_BN_ROUTE *r = &BN_ROUTE_QX04_Struct[i];
            if (r->ulSDEV == 0xFFFFFFFF) r->ulSDEV = ulInst; // records are claimed without gaps
            if (r->ulSDEV != ulInst) continue;
            if (r->usSNET != 0xFFFF && (r->usSNET != usSNET || r->ucSLEN != ucSLEN ||
                                        (ucSLEN > 0 && std::memcmp(r->ucSADR, ucSADR, ucSLEN) != 0)))
                UT_ERR_LOG(cRoutine, -1, (int)ulObjId, "neue Route");
            r->usSNET = usSNET;
            r->ucSLEN = ucSLEN;
            if (ucSLEN > 0) std::memcpy(r->ucSADR, ucSADR, ucSLEN);
            r->stPort = *stPort; // a device that moved to another endpoint is no new route
            if (r->iStatus == 1) r->iStatus = 2;
            r->ulZeit = ulUT_LOOPZeit;
            ier = (int)i;
            break;
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
