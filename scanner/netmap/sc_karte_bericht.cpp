// The map's part of the scan report, asked when the report is written: the devices of the route table first,
// so that it is as complete as the scan.
#include "scanner/netmap/sc_karte_daten.h"

const char *SC_KARTE_BERICHT() {
    static std::string s;
    SC_KARTE_ROUTEN();
    s = "{\"network_map\":" + SC_KARTE_JSON() + "}";
    return s.c_str();
}
