// The next router message the BACnet layer kept since *ulGelesen (the oldest are lost when the ring ran
// over), told to the observers; a "not a router to this network" is also kept for the console, because the
// devices behind that network then stay silent and would otherwise be named only as time-outs. Null when
// none is left. Both scans read them through here.
#include <algorithm>
#include <cstdio>
#include "bacnet/bn.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"

std::vector<std::string> vSC_KeinRouter;

const QX04_NETZMELDUNG *SC_NETZ_NAECHSTE(std::uint32_t *ulGelesen) {
    if (ulQX04_NetzAnz - *ulGelesen > QX04_NETZ_MAX) *ulGelesen = ulQX04_NetzAnz - QX04_NETZ_MAX;
    if (*ulGelesen == ulQX04_NetzAnz) return nullptr;
    const QX04_NETZMELDUNG &m = stQX04_Netz[(*ulGelesen)++ % QX04_NETZ_MAX];
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_NETZ;
    e.stNetz = {m.stVon.ulAdr, m.stVon.usPort, m.ucTyp, m.ucGrund, m.ausNetz, m.iAnzNetze};
    SC_MELDEN(&e);
    if (m.ucTyp != QX04_NL_REJECT || m.ucGrund != QX04_NL_REJ_KEIN_ROUTER) return &m;
    const char *cRouter = IP_PORT2A(&m.stVon);
    for (int i = 0; i < m.iAnzNetze && i < QX04_NETZ_NETZE_MAX; i++) {
        char c[96];
        std::snprintf(c, sizeof c, "Router %s : kein Router zum Netz %u", cRouter != nullptr ? cRouter : "?",
                      static_cast<unsigned>(m.ausNetz[i]));
        if (std::find(vSC_KeinRouter.begin(), vSC_KeinRouter.end(), c) == vSC_KeinRouter.end())
            vSC_KeinRouter.emplace_back(c);
    }
    return &m;
}
