// Both EDE files as text, layout 2.3: the header block and the column names, a row per device (object type 8)
// followed by the rows of its data points, in the order of the device table and of the reference file. State
// texts go to the second file; points with the same texts share its reference number, numbered as they come.
#include <algorithm>
#include <map>
#include <sys/time.h>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede_intern.h"

static const char cKopf[] = "#mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;"
                            "optional;optional;optional;optional;optional;optional;optional;optional\r\n"
                            "# keyname;device obj.-instance;object-name;object-type;object-instance;"
                            "description;present-value-default;min-present-value;max-present-value;"
                            "settable;supports COV;hi-limit;low-limit;state-text-reference;unit-code;"
                            "vendor-specific-address\r\n";
static const char cLeer[] = ";;;;;;";           // present-value-default to low-limit: not read by the scan
constexpr std::size_t SC_EDE_NACH_INSTANZ = 11; // description to vendor-specific-address: empty for a device

// The reference number of a point's state texts, 0 when it has none: a multi-state point has as many as the
// device counts states, two-state points their two texts; texts of which none came give none.
static unsigned REFERENZ(const SC_EDE_PUNKT_Struct &p, std::map<std::vector<std::string>, unsigned> &mNr,
                         std::string *sZust) {
    std::vector<std::string> v = p.vTexte;
    if (p.iZustaende > 0 && static_cast<std::size_t>(p.iZustaende) > v.size()) v.resize(p.iZustaende);
    bool bText = false;
    for (const std::string &s : v)
        bText = bText || !s.empty();
    if (!bText) return 0;
    auto [it, bNeu] = mNr.try_emplace(v, static_cast<unsigned>(mNr.size() + 1));
    if (bNeu) {
        *sZust += std::to_string(it->second);
        for (const std::string &s : v)
            *sZust += ";" + SC_EDE_FELD(s);
        *sZust += "\r\n";
    }
    return it->second;
}

void SC_EDE_TEXTE(std::string *sEde, std::string *sZust) {
    struct timeval tv;
    UT_CLOCK_GET(&tv);
    char cZeit[UT_ISO_ZEIT_LEN];
    UT_ISO_ZEIT(tv.tv_sec, cZeit, sizeof cZeit);
    *sEde = "# Proposal_Engineering-Data-Exchange - B.I.G.-EU\r\nPROJECT_NAME;" +
            SC_EDE_FELD(stSC_Ede.sPrefix) + "\r\nVERSION_OF_REFERENCEFILE;1\r\nTIMESTAMP_OF_LAST_CHANGE;" +
            cZeit + "\r\nAUTHOR_OF_LAST_CHANGE;NETSCN\r\nVERSION_OF_LAYOUT;2.3\r\n" + cKopf;
    std::string sZeilen;
    std::map<std::vector<std::string>, unsigned> mNr;
    std::size_t uSpalten = 0;
    for (const SC_EDE_GERAET_Struct &d : stSC_Ede.vGeraet) {
        if (!d.bGestartet) continue;
        const std::string sDev = std::to_string(d.ulDev);
        *sEde += sDev + ".DEV;" + sDev + ";" + SC_EDE_FELD(d.sName) + ";8;" + sDev +
                 std::string(SC_EDE_NACH_INSTANZ, ';') + "\r\n";
        for (const SC_EDE_PUNKT_Struct &p : d.vPunkte) {
            const unsigned uRef = REFERENZ(p, mNr, &sZeilen);
            uSpalten =
                std::max({uSpalten, p.vTexte.size(), static_cast<std::size_t>(std::max(p.iZustaende, 0))});
            *sEde += SC_EDE_FELD(p.sId) + ";" + sDev + ";" + SC_EDE_FELD(p.sName) + ";" +
                     std::to_string(QX04_BN_OBJTYPE(p.ulObjId)) + ";" +
                     std::to_string(QX04_BN_OBJINSTANCE(p.ulObjId)) + ";" + SC_EDE_FELD(p.sBeschr) + ";" +
                     cLeer + ";" + (uRef != 0 ? std::to_string(uRef) : "") + ";" +
                     (p.lEinheit >= 0 ? std::to_string(p.lEinheit) : "") + ";" + p.sAdr + "\r\n";
        }
    }
    *sZust = "#State-Text-Reference\r\n#Reference Number";
    for (std::size_t i = 1; i <= uSpalten; i++)
        *sZust += ";Text " + std::to_string(i);
    *sZust += "\r\n" + sZeilen;
}
