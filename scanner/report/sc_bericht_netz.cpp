// A router's message about its networks goes into the report: a network held busy or closed explains the
// answer times and the devices given up behind it.
#include "bacnet/bn.h"
#include "ip/ip.h"
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_NETZ(const SC_EREIGNIS_Struct *e) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    if (b.sDatei.empty() || b.vNetz.size() >= SC_NETZBERICHT_MAX) return;
    const SC_EV_NETZ_Struct &m = e->stNetz;
    const IP_PORT stRouter{m.ulAdr, m.usPort};
    const char *c = QX04_BN_ADR2A(&stRouter);
    SC_NETZBERICHT_Struct n{c != nullptr ? c : "", m.uTyp, m.uGrund, {}, b.bScan ? e->ulMs - b.ulScanMs : 0};
    for (int i = 0; i < m.iNetze; i++)
        n.vNetze.push_back(m.ausNetz[i]);
    b.vNetz.push_back(n);
}
