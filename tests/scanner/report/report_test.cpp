// The scan report from scripted event sequences, no network: its totals, its problems and their lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "bacnet/bn.h"
#include "scanner/report/sc_bericht_intern.h"

namespace {

const std::uint32_t ulAI1 = QX04_BN_OBJID(0, 1), ulAI2 = QX04_BN_OBJID(0, 2);
const std::uint32_t ulDEV = QX04_BN_OBJID(QX04_OBJ_DEVICE, 7);

SC_EREIGNIS_Struct E(int iArt, std::uint32_t ulMs = 5) {
    SC_EREIGNIS_Struct e{};
    e.iArt = iArt, e.ulMs = ulMs, e.ulDev = 7, e.cId = "7.AI1";
    return e;
}
SC_EREIGNIS_Struct ELEMENT(int iIdx, bool bPunkt, long lZahl = -1) {
    SC_EREIGNIS_Struct e = E(SC_EV_ELEMENT);
    e.iIndex = iIdx, e.bPunkt = bPunkt, e.lZahl = lZahl;
    return e;
}
SC_EREIGNIS_Struct ABWEIS(std::uint32_t ulObj, int iSchritt, std::uint16_t usProp, int iIdx = -1) {
    SC_EREIGNIS_Struct e = E(SC_EV_WERT);
    e.ulObjId = ulObj, e.iSchritt = iSchritt, e.usProp = usProp, e.iIndex = iIdx;
    e.stWert = {SC_AW_FEHLER, 2, 32, -1, 0, nullptr, 0, 0};
    return e;
}
SC_EREIGNIS_Struct ZEILE(long l) {
    SC_EREIGNIS_Struct e = E(SC_EV_ZEILE);
    e.lZeile = l;
    return e;
}
SC_EREIGNIS_Struct ENDE(int iAusgang) {
    SC_EREIGNIS_Struct e = E(SC_EV_DEV_ENDE);
    e.ulObjId = ulAI2, e.iSchritt = 2, e.stEnde.iAusgang = iAusgang;
    return e;
}

struct Fall {
    const char *cName;
    std::vector<SC_EREIGNIS_Struct> vE;
    const char *cErwartet; // JSON pointer = value, ...
};

} // namespace

TEST(Bericht, TotalsAndLinesFromEvents) {
    static QX04_BN_ROUTE tab[2];
    tab[0] = QX04_BN_ROUTE{}, tab[0].ulSDEV = 7, tab[1].ulSDEV = 0xFFFFFFFF;
    BN_ROUTE_QX04_Struct = tab, uQX04_Anz_Dev = 2;
    SC_EREIGNIS_Struct netz = E(SC_EV_NETZ, 1500);
    const Fall aFall[] = {
        {"a refused description: the point's line, degraded; the list's end is no problem",
         {E(SC_EV_DEV_ANFANG), ELEMENT(0, false, 3), ELEMENT(1, true),
          ABWEIS(ulAI1, 2, QX04_PROP_DESCRIPTION), E(SC_EV_PUNKT), ZEILE(7), ELEMENT(2, false),
          ABWEIS(ulAI1, 0, QX04_PROP_OBJECT_LIST, 4), ENDE(SC_AUS_KOMPLETT)},
         "/totals/data_points=1 /totals/degraded_points=1 /devices/0/problems/0/line=7 "
         "/devices/0/problems/0/effect=\"text-is-id\" /devices/0/objects_skipped=1 /devices/0/first_line=7"},
        {"the device object's refused name (-X) has no line and degrades no point",
         {E(SC_EV_DEV_ANFANG), ELEMENT(0, false, 2), ELEMENT(1, false),
          ABWEIS(ulDEV, 1, QX04_PROP_OBJECT_NAME), ELEMENT(2, true), E(SC_EV_PUNKT), ZEILE(5),
          ENDE(SC_AUS_KOMPLETT)},
         "/totals/degraded_points=0 /totals/data_points=1 /devices/0/problems/0/line=null "
         "/devices/0/problems/0/effect=\"device-name-empty\""},
        {"a device scanned ahead: its lines and problems get the file's numbers when they are written",
         {E(SC_EV_DEV_ANFANG), ABWEIS(ulAI1, 3, QX04_PROP_UNITS), E(SC_EV_PUNKT), ABWEIS(ulAI2, 2, 28),
          E(SC_EV_PUNKT), ENDE(SC_AUS_KOMPLETT), ZEILE(40), ZEILE(41)},
         "/devices/0/problems/0/line=40 /devices/0/problems/1/line=41 /devices/0/first_line=40 "
         "/devices/0/last_line=41 /totals/degraded_points=2"},
        {"the object a time-out cut has no line",
         {E(SC_EV_DEV_ANFANG), ABWEIS(ulAI2, 2, 28), ENDE(SC_AUS_TIMEOUT)},
         "/totals/degraded_points=0 /devices/0/problems/0/line=null "
         "/devices/0/problems/1/effect=\"not-read\" "
         "/devices/0/outcome=\"time-out\" /totals/unanswered=1"},
        {"a router message before the first device counts from the scan's start",
         {E(SC_EV_SCAN_ANFANG, 1000), netz, E(SC_EV_DEV_ANFANG), ENDE(SC_AUS_KOMPLETT)},
         "/router_messages/0/after_ms=500"},
    };
    for (const Fall &f : aFall) {
        SC_BERICHT_NEU();
        SC_BERICHT_OPTION("-Jr.json");
        for (const SC_EREIGNIS_Struct &e : f.vE)
            SC_BERICHT_MELDEN(&e);
        const auto j = nlohmann::json::parse(SC_BERICHT_JSON(0, 0));
        std::istringstream is(f.cErwartet);
        for (std::string s; is >> s;) {
            const std::size_t k = s.find('=');
            EXPECT_EQ(j.at(nlohmann::json::json_pointer(s.substr(0, k))),
                      nlohmann::json::parse(s.substr(k + 1)))
                << f.cName << ": " << s;
        }
    }
}
