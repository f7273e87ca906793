// libFuzzer target for the answers of routers and BBMDs as the site's map receives them: each input is a
// sender (address and port, 6 bytes) and a datagram, decoded as a network-layer message and as a BBMD table
// (the counts stay within what the records hold), then taken by the map's receive, as the discovery takes
// every datagram. The map keeps the facts of the last 64 inputs; its report object must be JSON, its picture
// and console lines complete.
#include <nlohmann/json.hpp>
#include "bacnet/bn_netz.h"
#include "fuzz/fz.h"
#include "scanner/netmap/sc_karte.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    static unsigned uRunde = 0;
    if (uRunde++ % 64 == 0) {
        SC_KARTE_NEU();
        SC_KARTE_OPTION("-N");
        ulQX04_DevMax = QX04_OBJ_INSTANCE_MAX - 1; // every device, as without -D
        SC_FAKT_Struct f;
        f.iArt = SC_FAKT_ENTDECKT;
        SC_KARTE_MELDEN(&f);
    }
    if (uSize < 6) return 0;
    const IP_PORT stVon = {QX04_BN_BNL2L(ucData), QX04_BN_BNS2S(ucData + 4)};
    const unsigned char *ucFrame = ucData + 6;
    const int iLen = static_cast<int>(uSize - 6);
    static QX04_NL_MSG m;
    if (QX04_BN_NL_LESEN(ucFrame, iLen, &m) == 0) {
        FZ_CHECK(m.iAnzNetze >= 0 && m.iAnzNetze <= QX04_NL_NETZE_MAX && m.ucSlen <= QX04_SADR_MAX);
        FZ_CHECK(m.iAnzPorts >= 0 && m.iAnzPorts <= QX04_NL_PORTS_MAX &&
                 2 * m.iAnzNetze + 4 * m.iAnzPorts < iLen);
    }
    static QX04_BVLL_TAB t;
    if (QX04_BN_BVLL_TABELLE(ucFrame, iLen, &t) == 0) {
        FZ_CHECK(t.iAnz >= 0 && t.iAnz <= QX04_BVLL_TAB_MAX && 4 + 10 * t.iAnz <= iLen);
        FZ_CHECK(t.ucFunk == QX04_BVLC_READ_BDT_ACK || t.ucFunk == QX04_BVLC_READ_FDT_ACK);
    }
    // The map takes it as the discovery's receive does (its I-Ams and answers become facts).
    SC_KARTE_EMPFANG(&stVon, ucFrame, iLen);
    const auto j = nlohmann::json::parse(SC_KARTE_JSON());
    FZ_CHECK(j["networks"].size() <= 64u * QX04_NL_NETZE_MAX + 64u);
    const std::string s = SC_KARTE_DOT();
    FZ_CHECK(s.rfind("graph netzkarte {", 0) == 0 && s.size() >= 2 && s.substr(s.size() - 2) == "}\n");
    FZ_CHECK(SC_KARTE_KONSOLE().find("Netzkarte") != std::string::npos);
    return 0;
}
