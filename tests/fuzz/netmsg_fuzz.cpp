// libFuzzer target for the answers of routers and BBMDs as the site's map receives them: each input is a
// sender (address and port, 6 bytes) and a datagram, decoded as a network-layer message and as a BBMD table.
// Whatever decodes goes into the map, which keeps the facts of the last 64 inputs; its report object must be
// JSON, its picture and console lines complete. Decoded counts stay within what the records hold.
#include <nlohmann/json.hpp>
#include "bacnet/bn_netz.h"
#include "fuzz/fz.h"
#include "scanner/netmap/sc_karte.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    static unsigned uRunde = 0;
    if (uRunde++ % 64 == 0) {
        SC_KARTE_NEU();
        SC_KARTE_OPTION("-N");
        SC_FAKT_Struct f;
        f.iArt = SC_FAKT_ENTDECKT;
        SC_KARTE_MELDEN(&f);
    }
    if (uSize < 6) return 0;
    SC_FAKT_Struct f;
    f.stVon = {QX04_BN_BNL2L(ucData), QX04_BN_BNS2S(ucData + 4)};
    const unsigned char *ucFrame = ucData + 6;
    const int iLen = static_cast<int>(uSize - 6);
    static QX04_NL_MSG m;
    if (QX04_BN_NL_LESEN(ucFrame, iLen, &m) == 0) {
        FZ_CHECK(m.iAnzNetze >= 0 && m.iAnzNetze <= QX04_NL_NETZE_MAX && m.ucSlen <= QX04_SADR_MAX);
        FZ_CHECK(m.iAnzPorts >= 0 && m.iAnzPorts <= QX04_NL_PORTS_MAX &&
                 2 * m.iAnzNetze + 4 * m.iAnzPorts < iLen);
        f.pNl = &m;
        f.iArt = m.ucTyp == QX04_NL_I_AM_ROUTER   ? SC_FAKT_ROUTER
                 : m.ucTyp == QX04_NL_INIT_RT_ACK ? SC_FAKT_TABELLE
                 : m.ucTyp == QX04_NL_NETNR_IS    ? SC_FAKT_NETZNUMMER
                                                  : SC_FAKT_GERAET;
        f.usNetz = m.ucTyp == QX04_NL_NETNR_IS ? m.ausNetz[0] : m.usSnet;
        f.ulInst = m.ucTyp;
        f.ucMacLen = m.ucSlen;
        std::copy(m.aucSadr, m.aucSadr + m.ucSlen, f.aucMac);
        SC_KARTE_MELDEN(&f);
    }
    static QX04_BVLL_TAB t;
    if (QX04_BN_BVLL_TABELLE(ucFrame, iLen, &t) == 0) {
        FZ_CHECK(t.iAnz >= 0 && t.iAnz <= QX04_BVLL_TAB_MAX && 4 + 10 * t.iAnz <= iLen);
        FZ_CHECK(t.ucFunk == QX04_BVLC_READ_BDT_ACK || t.ucFunk == QX04_BVLC_READ_FDT_ACK);
        f.iArt = SC_FAKT_BVLL;
        f.pTab = &t;
        SC_KARTE_MELDEN(&f);
    }
    const auto j = nlohmann::json::parse(SC_KARTE_JSON());
    FZ_CHECK(j["networks"].size() <= 64u * QX04_NL_NETZE_MAX + 64u);
    const std::string s = SC_KARTE_DOT();
    FZ_CHECK(s.rfind("graph netzkarte {", 0) == 0 && s.size() >= 2 && s.substr(s.size() - 2) == "}\n");
    FZ_CHECK(SC_KARTE_KONSOLE().find("Netzkarte") != std::string::npos);
    return 0;
}
