// Takes one fact into the map. Routers and BBMDs are known by their endpoint, devices by instance and
// address; a fact about one already known adds to its record.
#include <algorithm>
#include "scanner/netmap/sc_karte_daten.h"

namespace {

// The record of a router or BBMD by its endpoint, made on first mention.
template <class T> T &EINTRAG(std::vector<T> &v, const IP_PORT &st) {
    auto it = std::find_if(v.begin(), v.end(), [&](const T &x) { return SC_KARTE_GLEICH(x.stAdr, st); });
    if (it != v.end()) return *it;
    v.push_back(T{});
    v.back().stAdr = st;
    return v.back();
}

SC_KROUTER_Struct &ROUTER(const IP_PORT &st) {
    return EINTRAG(stSC_Karte.vRouter, st);
}

SC_KBBMD_Struct &BBMD(const IP_PORT &st) {
    return EINTRAG(stSC_Karte.vBbmd, st);
}

void MERKEN(std::vector<std::uint16_t> &v, std::uint16_t us) {
    if (std::find(v.begin(), v.end(), us) == v.end()) v.push_back(us);
}

void GERAET(const SC_FAKT_Struct &f) {
    std::vector<unsigned char> vMac(f.aucMac, f.aucMac + std::min<int>(f.ucMacLen, QX04_SADR_MAX));
    for (const SC_KGERAET_Struct &g : stSC_Karte.vGeraet)
        if (g.ulInst == f.ulInst && g.usNetz == f.usNetz && g.vMac == vMac &&
            SC_KARTE_GLEICH(g.stVon, f.stVon))
            return;
    stSC_Karte.vGeraet.push_back({f.ulInst, f.usNetz, vMac, f.stVon});
    // A device behind a router makes the router known, whether or not it answers for itself.
    if (f.usNetz != 0) ROUTER(f.stVon);
}

void TABELLE(const SC_FAKT_Struct &f) {
    SC_KROUTER_Struct &r = ROUTER(f.stVon);
    r.bAntwort = r.bTabelle = true;
    for (int i = 0; i < f.pNl->iAnzPorts; i++) {
        const QX04_NL_PORT &p = f.pNl->astPort[i];
        const bool bDa = std::any_of(r.vPorts.begin(), r.vPorts.end(),
                                     [&](const QX04_NL_PORT &q) { return q.usNetz == p.usNetz; });
        if (!bDa) r.vPorts.push_back(p); // a table that comes in several parts adds up
    }
}

void BVLL(const SC_FAKT_Struct &f) {
    SC_KBBMD_Struct &b = BBMD(f.stVon);
    const bool bBdt = f.pTab->ucFunk == QX04_BVLC_READ_BDT_ACK;
    (bBdt ? b.iBdtNak : b.iFdtNak) = f.pTab->iNak;
    (bBdt ? b.bBdt : b.bFdt) = f.pTab->iNak < 0;
    (bBdt ? b.vBdt : b.vFdt).assign(f.pTab->ast, f.pTab->ast + f.pTab->iAnz);
}

} // namespace

void SC_KARTE_MELDEN(const SC_FAKT_Struct *f) {
    SC_KARTE_Struct &k = stSC_Karte;
    switch (f->iArt) {
    case SC_FAKT_NETZNUMMER:
        // The first answer names the network; a second one that differs is the router's fault, not ours.
        if (k.lLokal < 0) k.lLokal = f->usNetz, k.bLokalKonf = f->iWert == 1, k.stLokalVon = f->stVon;
        break;
    case SC_FAKT_ROUTER: {
        SC_KROUTER_Struct &r = ROUTER(f->stVon);
        r.bAntwort = true;
        for (int i = 0; f->pNl != nullptr && i < f->pNl->iAnzNetze; i++)
            MERKEN(r.vNetze, f->pNl->ausNetz[i]);
        break;
    }
    case SC_FAKT_TABELLE:
        if (f->pNl != nullptr) TABELLE(*f);
        break;
    case SC_FAKT_GEFRAGT:
        ROUTER(f->stVon).bGefragt = true;
        break;
    case SC_FAKT_GERAET:
        GERAET(*f);
        break;
    case SC_FAKT_GESCANNT:
        k.mAusgang[f->ulInst] = f->iWert;
        break;
    case SC_FAKT_BBMD:
        BBMD(f->stVon).bLeitet |= f->iWert == 1;
        break;
    case SC_FAKT_BVLL:
        if (f->pTab != nullptr) BVLL(*f);
        break;
    case SC_FAKT_ENTDECKT:
        k.bEntdeckt = true;
        break;
    default:
        break;
    }
}
