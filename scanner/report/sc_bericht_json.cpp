// The scan report as JSON: the run, its totals, every device of the table in table order, the duplicate
// instances. Texts are UTF-8 whatever a device sent: the file's texts are converted from the loader's code
// page, and anything else that is not UTF-8 is replaced.
#include <sys/time.h>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht_json.h"
#include "scanner/sc.h"

using json = nlohmann::ordered_json;

// Router messages about networks, as the parallel scan took them.
static json NETZE() {
    json j = json::array();
    for (const SC_NETZBERICHT_Struct &n : stSC_Bericht.vNetz)
        j.push_back({{"router", n.sRouter},
                     {"type", n.uTyp == QX04_NL_BUSY        ? "router-busy"
                              : n.uTyp == QX04_NL_AVAILABLE ? "router-available"
                                                            : "reject-message"},
                     {"reason", n.uTyp == QX04_NL_REJECT ? json(n.uGrund) : json(nullptr)},
                     {"networks", n.vNetze},
                     {"after_ms", n.ulNachMs}});
    return j;
}

// A moment as ISO 8601 with its UTC offset.
static std::string ZEIT(long long llSek) {
    char c[UT_ISO_ZEIT_LEN];
    return std::string(c, static_cast<std::size_t>(UT_ISO_ZEIT(llSek, c, sizeof c)));
}

static json DOPPELTE() {
    json j = json::array();
    for (int i = 0; i < iQX04_Anz_Doppelt; i++) {
        const QX04_BN_DOPPELT &d = BN_DOPPELT_QX04_Struct[i];
        const char *c = QX04_BN_ADR2A(&d.stPort);
        j.push_back({{"instance", d.ulSDEV},
                     {"also_from", c != nullptr ? c : ""},
                     {"network", d.ucSLEN > 0 ? json(d.usSNET) : json(nullptr)}});
    }
    return j;
}

std::string SC_BERICHT_JSON(int iErg, int iTimeout) {
    const SC_BERICHT_Struct &b = stSC_Bericht;
    json jGeraete = json::array();
    std::uint32_t ulKomplett = 0, ulPunkte = 0, ulMangel = 0, ulAnfragen = 0, ulWdh = 0, ulStille = 0,
                  ulSpaet = 0;
    for (std::uint32_t i = 0; BN_ROUTE_QX04_Struct != nullptr && i < uQX04_Anz_Dev; i++) {
        if (BN_ROUTE_QX04_Struct[i].ulSDEV == 0xFFFFFFFF) break;
        const SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(i);
        jGeraete.push_back(SC_BERICHT_JSON_GERAET(i));
        ulKomplett += d.iAusgang == SC_AUS_KOMPLETT && d.vProbleme.empty();
        ulPunkte += d.ulPunkte, ulAnfragen += d.ulAnfragen, ulWdh += d.ulWdh, ulStille += d.ulStille,
            ulSpaet += d.ulSpaet;
        std::uint32_t ulVorher = 0xFFFFFFFF; // points with several problems count once
        for (const SC_PROBLEM_Struct &p : d.vProbleme)
            if (p.lZeile >= 0 && p.ulObjId != ulVorher) ulMangel++, ulVorher = p.ulObjId;
    }
    struct timeval tv;
    UT_CLOCK_GET(&tv);
    IP_PORT stEigen = {ulQX04_IP_Adr, static_cast<std::uint16_t>(iQX04_IP_Port)};
    const char *cEigen = ulQX04_IP_Adr != 0xFFFFFFFF ? IP_PORT2A(&stEigen) : nullptr;
    const char *cBbmd = stSC_Bbmd.ulAdr != 0xFFFFFFFF ? IP_PORT2A(&stSC_Bbmd) : nullptr;
    json j = {
        {"program", "netscn"},
        {"version", NT_VERSION},
        {"started", ZEIT(b.llBeginnSek)},
        {"ended", ZEIT(tv.tv_sec)},
        {"arguments", b.vArgumente},
        {"endpoint", cEigen != nullptr ? std::string(cEigen) : std::to_string(iQX04_IP_Port)},
        {"bbmd", cBbmd != nullptr ? json(cBbmd) : json(nullptr)},
        {"verdict", b.iSignal != 0 ? "interrupted"
                    : iErg != 0    ? "error"
                    : iTimeout > 0 ? "time-out"
                                   : "success"},
        {"exit_status", b.iSignal != 0 ? 128 + b.iSignal
                        : iErg != 0    ? 2
                                       : 0},
        {"reference_file", "netscn.ref"},
        {"totals",
         {{"devices", jGeraete.size()},
          {"complete", ulKomplett},
          {"incomplete", jGeraete.size() - ulKomplett},
          {"data_points", ulPunkte},
          {"degraded_points", ulMangel},
          {"requests", ulAnfragen},
          {"repetitions", ulWdh},
          {"answered_late", ulSpaet},
          {"unanswered", ulStille}}},
        {"devices", jGeraete},
        {"duplicates", DOPPELTE()},
        {"router_messages", NETZE()},
    };
    // What other observers add (the site's map): their members after the report's own.
    const char *acTeil[SC_BEOBACHTER_MAX];
    for (int i = 0, n = SC_BEOBACHTER_TEILE(acTeil); i < n; i++)
        if (const json t = json::parse(acTeil[i], nullptr, false); t.is_object()) j.update(t);
    return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
