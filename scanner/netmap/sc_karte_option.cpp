// The map's options: -N discovers the site network by network before the scan, -G<file> draws the map.
// Either keeps the map; the scan without them neither keeps nor sends anything for it.
#include "scanner/netmap/sc_karte_daten.h"

bool SC_KARTE_OPTION(const char *cArg) {
    if (cArg[0] != '-' || (cArg[1] != 'N' && cArg[1] != 'G')) return false;
    if (cArg[1] == 'N' && cArg[2] == '\0') stSC_Karte.bEntdecken = true;
    if (cArg[1] == 'G' && cArg[2] != '\0') stSC_Karte.sDot = cArg + 2;
    return true;
}

bool SC_KARTE_AN() {
    return stSC_Karte.bEntdecken || !stSC_Karte.sDot.empty();
}

bool SC_KARTE_ENTDECKEN() {
    return stSC_Karte.bEntdecken;
}
