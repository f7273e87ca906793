// Looks a device up in the route table, by its instance or by the address it sends from.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RT_FIND";

QX04_BN_ROUTE *QX04_BN_RT_FIND(std::uint32_t ulDev, std::uint16_t usSNET, unsigned char ucSLEN,
                               const unsigned char *ucSADR, const IP_PORT *stPort) {
    const std::uint32_t ulInst = ulDev & 0x3FFFFF;
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  SDEV : %lu   SNET : %u   SLEN : %u", (unsigned long)ulInst,
               usSNET, ucSLEN);
        if (ucSLEN != 0 && ucSLEN != 255 && ucSADR != nullptr) {
            UT_TRC_CONT("   SADR : 0x");
            for (int i = 0; i < ucSLEN; i++)
                UT_TRC_CONT("%02X", ucSADR[i]);
            std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
        }
    }
    // No record holds a longer address than QX04_SADR_MAX bytes: such a sender is found by no address.
    const bool bAdr = usSNET != 0xFFFF && ucSLEN <= QX04_SADR_MAX && (ucSLEN == 0 || ucSADR != nullptr);
    QX04_BN_ROUTE *pRet = nullptr;
    for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
        QX04_BN_ROUTE *r = &BN_ROUTE_QX04_Struct[i];
        // Records are claimed without gaps (QX04_BN_RT_SET): the first free one ends the devices known, so a
        // lookup costs what the site has, not the table's size.
        if (r->ulSDEV == 0xFFFFFFFF) break;
        if (r->ulSDEV == ulInst) {
            pRet = r;
            break;
        }
        if (bAdr && r->usSNET != 0xFFFF && r->usSNET == usSNET && r->ucSLEN == ucSLEN &&
            (ucSLEN == 0 || std::memcmp(r->ucSADR, ucSADR, ucSLEN) == 0) &&
            (stPort == nullptr || (r->stPort.ulAdr == stPort->ulAdr && r->stPort.usPort == stPort->usPort))) {
            pRet = r;
            break;
        }
    }
    if (UT_TRC_OUT()) {
        if (pRet != nullptr)
            UT_TRC("\n\n", cRoutine, "Vor  RETURN   DEV : %lu", (unsigned long)pRet->ulSDEV);
        else
            UT_TRC("\n\n", cRoutine, "Vor  RETURN   DEV : * NULL *");
    }
    return pRet;
}
