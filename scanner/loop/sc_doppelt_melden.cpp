// Names every device instance that two addresses claimed during the scan, before the verdict: the address the
// scan used (the first to speak for it), scanned or not (the scan may have ended or given up before it), and
// the other one. Nothing when there was none.
#include <cstdio>
#include "bacnet/bn.h"
#include "ip/ip.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"

// "a.b.c.d#port", and behind a router " Netz n MAC hh..".
static void SC_DOPPELT_ADR(char *cOut, std::size_t uSize, std::uint16_t usNet, unsigned char ucLen,
                           const unsigned char *ucMac, const IP_PORT *stPort) {
    const char *cPort = QX04_BN_ADR2A(stPort);
    std::size_t n =
        static_cast<std::size_t>(std::snprintf(cOut, uSize, "%s", cPort != nullptr ? cPort : "?"));
    if (ucLen > 0 && n < uSize)
        n += static_cast<std::size_t>(std::snprintf(cOut + n, uSize - n, " Netz %u MAC ", usNet));
    for (int i = 0; i < ucLen && n < uSize; i++)
        n += static_cast<std::size_t>(std::snprintf(cOut + n, uSize - n, "%02X", ucMac[i]));
}

void SC_DOPPELT_MELDEN() {
    for (int i = 0; i < iQX04_Anz_Doppelt; i++) {
        const QX04_BN_DOPPELT *d = &BN_DOPPELT_QX04_Struct[i];
        const QX04_BN_ROUTE *r = QX04_BN_RT_FIND(d->ulSDEV, 0xFFFF, 255, nullptr, nullptr);
        if (r == nullptr) continue; // only a confirmed record has duplicates, and records stay
        char cGescannt[64], cAuch[64];
        SC_DOPPELT_ADR(cGescannt, sizeof cGescannt, r->usSNET, r->ucSLEN, r->ucSADR, &r->stPort);
        SC_DOPPELT_ADR(cAuch, sizeof cAuch, d->usSNET, d->ucSLEN, d->ucSADR, &d->stPort);
        const bool bGescannt = SC_DEV_GESCANNT(static_cast<std::uint32_t>(r - BN_ROUTE_QX04_Struct));
        std::printf("\n\n***  Device %lu doppelt vergeben : %s %s, auch gemeldet von %s  ***",
                    static_cast<unsigned long>(d->ulSDEV), bGescannt ? "gescannt" : "nicht gescannt",
                    cGescannt, cAuch);
    }
    if (iQX04_Doppelt_Voll != 0)
        std::printf("\n\n***  Weitere doppelte Device-Nummern nicht aufgef\x81hrt  ***");
    std::fflush(stdout);
}
