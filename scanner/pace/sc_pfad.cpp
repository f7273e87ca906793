// A device's path: the router's address and the network behind it, or, on the IP network, the device's own
// address with network 0. Looked up by that key, so thousands of devices behind one router cost no search.
#include "bacnet/bn.h"
#include "scanner/pace/sc_pace_intern.h"

static std::uint64_t SCHLUESSEL(const IP_PORT *stVon, std::uint16_t usNetz) {
    return static_cast<std::uint64_t>(stVon->ulAdr) << 32 | static_cast<std::uint64_t>(stVon->usPort) << 16 |
           usNetz;
}

int SC_PFAD_SUCHEN(const IP_PORT *stVon, std::uint16_t usNetz) {
    const auto it = mSC_Pfad.find(SCHLUESSEL(stVon, usNetz));
    return it != mSC_Pfad.end() ? it->second : -1;
}

int SC_PFAD(std::uint32_t uDev) {
    const QX04_BN_ROUTE &r = BN_ROUTE_QX04_Struct[uDev];
    const int i = SC_PFAD_SUCHEN(&r.stPort, r.usSNET);
    if (i >= 0) return i;
    SC_PFAD_Struct p;
    p.stRouter = r.stPort;
    p.usNetz = r.usSNET;
    vSC_Pfad.push_back(p);
    mSC_Pfad[SCHLUESSEL(&r.stPort, r.usSNET)] = static_cast<int>(vSC_Pfad.size()) - 1;
    return static_cast<int>(vSC_Pfad.size()) - 1;
}
