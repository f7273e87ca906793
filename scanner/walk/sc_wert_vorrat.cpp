// An object-list element read ahead, handed to its step as the value it was decoded to, or as its refusal,
// an Error whose class the answer did not hand on.
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

SC_WERT_Struct SC_WERT_VORRAT(int iTag, std::uint32_t ulWert) {
    SC_WERT_Struct w;
    QX04_BN_WERTLESEN(nullptr, nullptr, &w.stWert);
    w.iPdu = SC_ABGELEHNT(iTag) ? QX04_PDU_ERROR : QX04_PDU_COMPLEX_ACK;
    w.iKlasse = -1;
    w.iCode = SC_ABGELEHNT(iTag) ? QX04_MSG_FEHLER - iTag : -1;
    if (!SC_ABGELEHNT(iTag)) w.stWert.iTag = iTag, w.stWert.ulWert = iTag >= 0 ? ulWert : ulUT_fUNDEF;
    return w;
}
