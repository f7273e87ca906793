// How many devices the map holds: an instance seen at two addresses is one device (and a conflict).
#include <set>
#include "scanner/netmap/sc_karte_daten.h"

std::size_t SC_KARTE_GERAETE() {
    std::set<std::uint32_t> s;
    for (const SC_KGERAET_Struct &g : stSC_Karte.vGeraet)
        s.insert(g.ulInst);
    return s.size();
}
