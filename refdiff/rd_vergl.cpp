// Pairs the data points of OLD and NEW by their key through one hash table, in file order among points of
// equal key, and sorts each pair into changed, renumbered or unchanged.
#include <cstdio>
#include <unordered_map>
#include "refdiff/rd.h"

static const char cRoutine[] = "RD_VERGLEICH";

// OLD: the points of one key still to be paired, as a chain in file order.
struct RD_KETTE_Struct {
    std::size_t uKopf, uEnde;
};

static void DOPPELT(int iDatei, std::size_t uErst, std::size_t uZweit) {
    const RD_DATEI_Struct &st = stRD_Datei[iDatei];
    const RD_PUNKT_Struct &stP = st.vPunkt[uZweit];
    char cText[uRD_MELDUNG_MAX];
    const std::string_view sKey = RD_ANZEIGE(stP.sKey);
    std::snprintf(cText, sizeof cText, "Schlüssel %.*s doppelt, zuerst in Zeile %lu",
                  static_cast<int>(sKey.size()), sKey.data(), st.vPunkt[uErst].ulZeile);
    RD_MELDUNG(cRoutine, 1, st.cName, stP.ulZeile, cText);
    stRD_Erg.vDopp.push_back({iDatei, uErst, uZweit});
}

void RD_VERGLEICH() {
    const std::vector<RD_PUNKT_Struct> &vAlt = stRD_Datei[0].vPunkt, &vNeu = stRD_Datei[1].vPunkt;
    std::unordered_map<std::string_view, RD_KETTE_Struct> mAlt(vAlt.size());
    std::vector<std::size_t> vNaechst(vAlt.size(), uRD_KEINER);
    for (std::size_t i = 0; i < vAlt.size(); i++) {
        auto [it, bNeu] = mAlt.try_emplace(vAlt[i].sKey, RD_KETTE_Struct{i, i});
        if (bNeu) continue;
        DOPPELT(0, it->second.uKopf, i);
        vNaechst[it->second.uEnde] = i;
        it->second.uEnde = i;
    }

    std::unordered_map<std::string_view, std::size_t> mNeu(vNeu.size()); // only to name a key seen twice
    std::vector<bool> vGepaart(vAlt.size(), false);
    for (std::size_t j = 0; j < vNeu.size(); j++) {
        if (auto [it, bNeu] = mNeu.try_emplace(vNeu[j].sKey, j); !bNeu) DOPPELT(1, it->second, j);
        auto it = mAlt.find(vNeu[j].sKey);
        if (it == mAlt.end() || it->second.uKopf == uRD_KEINER) {
            stRD_Erg.vDiff.push_back({'+', uRD_KEINER, j, 0});
            stRD_Erg.ulNeu++;
            continue;
        }
        const std::size_t i = it->second.uKopf;
        it->second.uKopf = vNaechst[i];
        vGepaart[i] = true;
        if (unsigned u = RD_FELDER(vAlt[i], vNeu[j]); u != 0) {
            stRD_Erg.vDiff.push_back({'~', i, j, u});
            stRD_Erg.ulGeaendert++;
        } else if (vAlt[i].sNr != vNeu[j].sNr) {
            stRD_Erg.ulUmnum++;
        } else {
            stRD_Erg.ulGleich++;
        }
    }
    for (std::size_t i = 0; i < vAlt.size(); i++)
        if (!vGepaart[i]) {
            stRD_Erg.vDiff.push_back({'-', i, uRD_KEINER, 0});
            stRD_Erg.ulWeg++;
        }
}
