// A router's message about its networks goes into the report: a network held busy or closed explains the
// answer times and the devices given up behind it.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht.h"

void SC_BERICHT_NETZ(const IP_PORT *stRouter, unsigned uTyp, unsigned uGrund, const std::uint16_t *ausNetz,
                     int iAnz) {
    SC_BERICHT_Struct &b = stSC_Bericht;
    if (b.sDatei.empty() || b.vNetz.size() >= SC_NETZBERICHT_MAX) return;
    const char *c = QX04_BN_ADR2A(stRouter);
    SC_NETZBERICHT_Struct n{c != nullptr ? c : "", uTyp, uGrund, {}, UT_MSEK() - b.ulBeginnMs};
    for (int i = 0; i < iAnz; i++)
        n.vNetze.push_back(ausNetz[i]);
    b.vNetz.push_back(n);
}
