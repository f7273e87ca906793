// An answer from a node (acknowledgement, Error, Reject or Abort) takes the request of its invoke id to that
// node off the list of open ones; so does the age of an entry.
#include "runtime/ut/ut.h"
#include "scanner/securelink/sc_sicher.h"

void SC_SICHER_ERLEDIGT(const IP_PORT *stVon, const unsigned char *ucFrame) {
    const int iTyp = QX04_BN_PDUTYP(ucFrame);
    const bool bAntwort = iTyp == QX04_PDU_SIMPLE_ACK || iTyp == QX04_PDU_COMPLEX_ACK ||
                          iTyp == QX04_PDU_ERROR || iTyp == QX04_PDU_REJECT || iTyp == QX04_PDU_ABORT;
    const int iInvoke = bAntwort ? QX04_BN_INVOKE(ucFrame) : -1;
    const std::uint32_t ulJetzt = UT_MSEK();
    for (SC_OFFEN_Struct &o : astSC_Offen) {
        if (!o.bBelegt) continue;
        if (ulJetzt - o.ulMs > SC_OFFEN_MS ||
            (o.ucInvoke == iInvoke && o.stZiel.ulAdr == stVon->ulAdr && o.stZiel.usPort == stVon->usPort))
            o.bBelegt = false;
    }
}
