// One device of the scan report: where it is, what its I-Am said, what the scan read of it and what not.
#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/report/sc_bericht_json.h"

using json = nlohmann::ordered_json;

struct SC_PROPNAME_Struct {
    std::uint16_t usProp;
    const char *cName;
};
static constexpr std::array<SC_PROPNAME_Struct, 9> stNamen{{
    {QX04_PROP_ACTIVE_TEXT, "active-text"},
    {QX04_PROP_DESCRIPTION, "description"},
    {QX04_PROP_INACTIVE_TEXT, "inactive-text"},
    {QX04_PROP_NUMBER_OF_STATES, "number-of-states"},
    {QX04_PROP_OBJECT_LIST, "object-list"},
    {QX04_PROP_OBJECT_NAME, "object-name"},
    {QX04_PROP_POLARITY, "polarity"},
    {QX04_PROP_STATE_TEXT, "state-text"},
    {QX04_PROP_UNITS, "units"},
}};

// A text of the file (the loader's code page) as UTF-8: every byte is a character there.
std::string SC_BERICHT_UTF8(const std::string &s) {
    std::string sOut(3 * s.size() + 1, '\0');
    sOut.resize(static_cast<std::size_t>(UT_CP850_NACH_UTF8(s.data(), s.size(), sOut.data(), sOut.size())));
    return sOut;
}

// A line number of the file, -1 none.
static json ZEILE(long l) {
    return l < 0 ? json(nullptr) : json(l);
}

// A number of a refusal with its name (null when it has none).
static json NAME(int iArt, int iNr) {
    const std::string_view s = SC_BERICHT_NAME(iArt, iNr);
    return s.empty() ? json(nullptr) : json(std::string(s));
}

static json ANTWORT(const SC_PROBLEM_Struct &p) {
    switch (p.iAntwort) {
    case SC_AW_FEHLER:
        return {{"type", "error"},
                {"class", p.iKlasse < 0 ? json(nullptr) : json(p.iKlasse)},
                {"class_name", NAME(SC_NAME_KLASSE, p.iKlasse)},
                {"code", p.iCode},
                {"code_name", NAME(SC_NAME_CODE, p.iCode)}};
    case SC_AW_REJECT:
        return {{"type", "reject"}, {"reason", p.iCode}, {"reason_name", NAME(SC_NAME_REJECT, p.iCode)}};
    case SC_AW_ABORT:
        return {{"type", "abort"}, {"reason", p.iCode}, {"reason_name", NAME(SC_NAME_ABORT, p.iCode)}};
    case SC_AW_KEIN_ROUTER:
        return {{"type", "not-a-router"}, {"network", p.iCode}};
    default:
        return {{"type", "none"}};
    }
}

static json PROBLEM(const SC_PROBLEM_Struct &p) {
    const char *cKurz = "";
    SC_OBJTYP(QX04_BN_OBJTYPE(p.ulObjId), &cKurz);
    const char *cName = "";
    for (const SC_PROPNAME_Struct &n : stNamen)
        if (n.usProp == p.usProp) cName = n.cName;
    return {{"object", std::string(*cKurz != '\0' ? cKurz : "DEV") + ":" +
                           std::to_string(QX04_BN_OBJINSTANCE(p.ulObjId))},
            {"id", SC_BERICHT_UTF8(p.sId)},
            {"line", ZEILE(p.lZeile)},
            {"property", {{"number", p.usProp}, {"name", cName}}},
            {"answer", ANTWORT(p)},
            {"effect", p.cWirkung}};
}

json SC_BERICHT_JSON_GERAET(std::uint32_t uDev) {
    static const char *const acAusgang[] = {"not-reached", "finished", "time-out", "given-up", "interrupted"};
    static const char *const acGelernt[] = {nullptr, "route-file", "i-am", "bbmd"};
    const QX04_BN_ROUTE &r = BN_ROUTE_QX04_Struct[uDev];
    const SC_GERAETBERICHT_Struct &d = SC_BERICHT_GERAET(uDev);
    std::string sMac;
    for (int i = 0; i < r.ucSLEN && i < QX04_SADR_MAX; i++) {
        char c[3];
        std::snprintf(c, sizeof c, "%02X", r.ucSADR[i]);
        sMac += c;
    }
    const bool bIam = r.usMaxApdu != 0;
    json jNie = json::array();
    for (long i = std::max(d.lNieVon, 1L); i <= d.lNieBis; i++)
        jNie.push_back(i);
    json jProbleme = json::array();
    for (const SC_PROBLEM_Struct &p : d.vProbleme)
        jProbleme.push_back(PROBLEM(p));
    const char *cPort = QX04_BN_ADR2A(&r.stPort);
    return {{"instance", r.ulSDEV},
            {"address", cPort != nullptr ? cPort : ""},
            {"network", r.ucSLEN > 0 ? json(r.usSNET) : json(nullptr)},
            {"mac", r.ucSLEN > 0 ? json(sMac) : json(nullptr)},
            {"learned_from", r.ucGelernt <= QX04_GELERNT_BBMD && r.ucGelernt != 0
                                 ? json(acGelernt[r.ucGelernt])
                                 : json(nullptr)},
            {"max_apdu", bIam ? json(r.usMaxApdu) : json(nullptr)},
            {"segmentation", bIam ? json(r.ucSegment) : json(nullptr)},
            {"vendor_id", bIam ? json(r.usVendorId) : json(nullptr)},
            {"object_list_length", d.lListeLen >= 0 ? json(d.lListeLen) : json(nullptr)},
            {"data_points", d.ulPunkte},
            {"first_line", ZEILE(d.lErste)},
            {"last_line", ZEILE(d.lLetzte)},
            {"objects_skipped", d.ulUebersprungen},
            {"objects_not_read",
             d.iAusgang == SC_AUS_KOMPLETT || (d.lListeLen >= 0 && d.iAusgang != SC_AUS_UNTERBROCHEN)
                 ? jNie
                 : json(nullptr)},
            {"outcome", acAusgang[d.iAusgang]},
            {"requests", d.ulAnfragen},
            {"repetitions", d.ulWdh},
            {"answered_late", d.ulSpaet},
            {"unanswered", d.ulStille},
            {"read_property_multiple", d.cRpm},
            {"duration_ms", d.ulDauerMs},
            {"answer_time_ms", d.ulAntwortMs},
            {"problems", jProbleme}};
}
