// The devices of the scan onto the map: every route the scan learnt (or read from the route file), and every
// other address an instance was announced from, which the route table keeps as a duplicate.
#include <algorithm>
#include <cstring>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

void GERAET(std::uint32_t ulInst, std::uint16_t usNetz, unsigned char ucSlen, const unsigned char *ucSadr,
            const IP_PORT &st) {
    SC_FAKT_Struct f;
    f.iArt = SC_FAKT_GERAET, f.ulInst = ulInst, f.usNetz = usNetz, f.stVon = st;
    f.ucMacLen = std::min<unsigned char>(ucSlen, QX04_SADR_MAX);
    std::memcpy(f.aucMac, ucSadr, f.ucMacLen);
    SC_KARTE_MELDEN(&f);
}

} // namespace

void SC_KARTE_ROUTEN() {
    for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
        const QX04_BN_ROUTE &r = BN_ROUTE_QX04_Struct[i];
        if (r.ulSDEV == 0xFFFFFFFF) break;
        if (r.usSNET != 0xFFFF) GERAET(r.ulSDEV, r.usSNET, r.ucSLEN, r.ucSADR, r.stPort);
    }
    for (int i = 0; i < iQX04_Anz_Doppelt; i++) {
        const QX04_BN_DOPPELT &d = BN_DOPPELT_QX04_Struct[i];
        GERAET(d.ulSDEV, d.usSNET, d.ucSLEN, d.ucSADR, d.stPort);
    }
}
