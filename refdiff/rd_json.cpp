// The differences as JSON for other programs: the two files, every difference with its points (line in the
// file, fields) and the summary; texts in UTF-8, converted from the loader's code page.
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

using JSON = nlohmann::ordered_json;

static constexpr std::size_t uUTF8_MAX = 3; // bytes of one code-page character in UTF-8
static char cUtf8[uUTF8_MAX * uRD_ZEILE_MAX + 1];

static std::string UTF8(std::string_view s) {
    return std::string(cUtf8,
                       static_cast<std::size_t>(UT_CP850_NACH_UTF8(s.data(), s.size(), cUtf8, sizeof cUtf8)));
}

static unsigned long ZAHL(std::string_view s) {
    unsigned long ul = 0;
    std::from_chars(s.data(), s.data() + s.size(), ul);
    return ul;
}

static const char *ART(int iArt) {
    return iArt == iRD_NETSCN ? "netscn" : "tabconv";
}

static JSON PUNKT(const std::vector<RD_PUNKT_Struct> &v, std::size_t u) {
    if (u == uRD_KEINER) return nullptr;
    const RD_PUNKT_Struct &st = v[u];
    JSON j = {{"line", st.ulZeile}, {"number", ZAHL(st.sNr)}};
    for (const RD_FELD_Struct &stF : stRD_Feld) {
        const std::string_view s = st.*stF.pWert;
        if (stF.uBit == uRD_F_POLAR) {
            if (!s.empty()) j[stF.cJson] = s == "1";
        } else {
            j[stF.cJson] = stF.bText ? JSON(UTF8(s)) : JSON(ZAHL(s));
        }
    }
    return j;
}

static JSON DATEI(const RD_DATEI_Struct &st) {
    return {
        {"name", st.cName}, {"kind", ART(st.iArt)}, {"header", UTF8(st.sKopf)}, {"points", st.vPunkt.size()}};
}

int RD_JSON() {
    const std::vector<RD_PUNKT_Struct> &vAlt = stRD_Datei[0].vPunkt, &vNeu = stRD_Datei[1].vPunkt;
    JSON j = {{"old", DATEI(stRD_Datei[0])},
              {"new", DATEI(stRD_Datei[1])},
              {"key", iRD_Key == iRD_KEY_ID ? "id" : "adresse"}};
    JSON &jDiff = j["differences"] = JSON::array();
    for (const RD_DIFF_Struct &stD : stRD_Erg.vDiff) {
        const RD_PUNKT_Struct &stP = stD.uNeu != uRD_KEINER ? vNeu[stD.uNeu] : vAlt[stD.uAlt];
        JSON jD = {{"change", std::string(1, stD.cArt)}, {"key", UTF8(stP.sKey)}};
        jD["old"] = PUNKT(vAlt, stD.uAlt);
        jD["new"] = PUNKT(vNeu, stD.uNeu);
        if (stD.cArt == '~') {
            JSON &jF = jD["fields"] = JSON::array();
            for (const RD_FELD_Struct &stF : stRD_Feld)
                if (stD.uFelder & stF.uBit) jF.push_back(stF.cJson);
        }
        jDiff.push_back(std::move(jD));
    }
    JSON &jDopp = j["duplicates"] = JSON::array();
    for (const RD_DOPP_Struct &stD : stRD_Erg.vDopp) {
        const std::vector<RD_PUNKT_Struct> &v = stRD_Datei[stD.iDatei].vPunkt;
        jDopp.push_back({{"file", stD.iDatei == 0 ? "old" : "new"},
                         {"key", UTF8(v[stD.uZweit].sKey)},
                         {"line", v[stD.uZweit].ulZeile},
                         {"first_line", v[stD.uErst].ulZeile}});
    }
    j["summary"] = {{"added", stRD_Erg.ulNeu},
                    {"removed", stRD_Erg.ulWeg},
                    {"changed", stRD_Erg.ulGeaendert},
                    {"renumbered", stRD_Erg.ulUmnum},
                    {"unchanged", stRD_Erg.ulGleich}};
    // File names come from the command line in whatever encoding: a byte that is no UTF-8 becomes U+FFFD.
    const std::string s = j.dump(2, ' ', false, JSON::error_handler_t::replace) + "\n";
    std::fwrite(s.data(), 1, s.size(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : -1;
}
