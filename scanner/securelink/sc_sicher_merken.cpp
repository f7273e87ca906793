// Keeps a confirmed request sent through the hub until its answer comes: a new one to the same node with the
// same invoke id is the same transaction tried again and takes its entry; a full list gives up its oldest.
#include <cstring>
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_MERKEN(const IP_PORT *stZiel, const unsigned char *ucFrame, int iLen) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    if (a <= 0 || a + 2 >= iLen || (ucFrame[a] >> 4) != 0 || iLen > QX04_BUF_SIZE)
        return; // no confirmed request
    const std::uint32_t ulJetzt = UT_MSEK();
    SC_OFFEN_Struct *pFrei = nullptr, *pAlt = &astSC_Offen[0];
    for (SC_OFFEN_Struct &o : astSC_Offen) {
        const bool bGleich = o.bBelegt && o.ucInvoke == ucFrame[a + 2] && o.stZiel.ulAdr == stZiel->ulAdr &&
                             o.stZiel.usPort == stZiel->usPort;
        if (bGleich) {
            pFrei = &o;
            break;
        }
        if (!o.bBelegt && pFrei == nullptr) pFrei = &o;
        if (o.bBelegt && ulJetzt - o.ulMs > ulJetzt - pAlt->ulMs) pAlt = &o;
    }
    SC_OFFEN_Struct &o = pFrei != nullptr ? *pFrei : *pAlt;
    o.bBelegt = true;
    o.stZiel = *stZiel;
    o.ucInvoke = ucFrame[a + 2];
    o.ulMs = ulJetzt;
    o.iLen = iLen;
    std::memcpy(o.ucFrame, ucFrame, static_cast<std::size_t>(iLen));
}
