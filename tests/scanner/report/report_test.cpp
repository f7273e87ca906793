// The scan report from scripted event sequences, no network: its totals, its problems and their lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/report/sc_bericht_intern.h"

namespace {
const std::uint32_t ulAI1 = QX04_BN_OBJID(0, 1), ulAI2 = QX04_BN_OBJID(0, 2);

// An event of device 7; for an element iZahl is its index, for a line its number.
SC_EREIGNIS_Struct E(int iArt, long lZahl = -1, long lLaenge = -1, std::uint32_t ulMs = 5) {
    SC_EREIGNIS_Struct e{};
    e.iArt = iArt, e.ulMs = ulMs, e.ulDev = 7, e.cId = "7.AI1", e.iIndex = static_cast<int>(lZahl);
    e.lZeile = lZahl, e.lZahl = lLaenge, e.bPunkt = lLaenge == 0;
    e.stEnde.iAusgang = static_cast<int>(lZahl), e.ulObjId = ulAI2, e.iSchritt = 2;
    return e;
}
SC_EREIGNIS_Struct ABWEIS(std::uint32_t ulObj, int iSchritt, std::uint16_t usProp, int iIdx = -1) {
    SC_EREIGNIS_Struct e = E(SC_EV_WERT, iIdx);
    e.ulObjId = ulObj, e.iSchritt = iSchritt, e.usProp = usProp;
    e.stWert = {SC_AW_FEHLER, 2, 32, -1, 0, nullptr, 0, 0};
    return e;
}
const SC_EREIGNIS_Struct ANFANG = E(SC_EV_DEV_ANFANG), PUNKT = E(SC_EV_PUNKT),
                         KOMPLETT = E(SC_EV_DEV_ENDE, 1);
} // namespace

TEST(Bericht, TotalsAndLinesFromEvents) {
    static QX04_BN_ROUTE tab[2];
    tab[0] = QX04_BN_ROUTE{}, tab[0].ulSDEV = 7, tab[1].ulSDEV = 0xFFFFFFFF;
    BN_ROUTE_QX04_Struct = tab, uQX04_Anz_Dev = 2;
    const std::uint32_t ulDEV = QX04_BN_OBJID(QX04_OBJ_DEVICE, 7);
    const struct {
        std::vector<SC_EREIGNIS_Struct> vE;
        const char *cErwartet; // JSON pointer=value ...
    } aFall[] = {
        // A refused description: the point's line, degraded; a refusal past the list's end is no problem.
        {{ANFANG, E(SC_EV_ELEMENT, 0, 3), E(SC_EV_ELEMENT, 1, 0), ABWEIS(ulAI1, 2, 28), PUNKT,
          E(SC_EV_ZEILE, 7), E(SC_EV_ELEMENT, 2, -1), ABWEIS(ulAI1, 0, 76, 4), KOMPLETT},
         "/totals/data_points=1 /totals/degraded_points=1 /devices/0/problems/0/line=7 "
         "/devices/0/first_line=7 "
         "/devices/0/problems/0/effect=\"text-is-id\" /devices/0/objects_skipped=1 "
         "/devices/0/problems/1=null /devices/0/outcome=\"finished\" /devices/0/objects_not_read=[] "
         "/devices/0/problems/0/answer/class_name=\"property\" "
         "/devices/0/problems/0/answer/code_name=\"unknown-property\""},
        // The device object's refused name (-X) has no line and degrades no point.
        {{ANFANG, E(SC_EV_ELEMENT, 0, 2), ABWEIS(ulDEV, 1, 77), E(SC_EV_ELEMENT, 2, 0), PUNKT,
          E(SC_EV_ZEILE, 5), KOMPLETT},
         "/totals/degraded_points=0 /totals/data_points=1 /devices/0/problems/0/line=null "
         "/devices/0/problems/0/effect=\"device-name-empty\""},
        // A device scanned ahead: its lines, and its problems' lines, are the file's when they are written.
        {{ANFANG, ABWEIS(ulAI1, 3, 117), PUNKT, ABWEIS(ulAI2, 2, 28), PUNKT, KOMPLETT, E(SC_EV_ZEILE, 40),
          E(SC_EV_ZEILE, 41)},
         "/devices/0/problems/0/line=40 /devices/0/problems/1/line=41 /devices/0/first_line=40 "
         "/devices/0/last_line=41 /totals/degraded_points=2 "
         "/devices/0/problems/0/effect=\"attribute-code-0\""},
        // The object a time-out cut has no line.
        {{ANFANG, ABWEIS(ulAI2, 2, 28), E(SC_EV_DEV_ENDE, SC_AUS_TIMEOUT)},
         "/totals/degraded_points=0 /devices/0/problems/0/line=null "
         "/devices/0/problems/1/effect=\"not-read\" "
         "/devices/0/outcome=\"time-out\" /totals/unanswered=1"},
        // Polarity unknown to a binary value leaves its line as it is: no problem; to a binary input it is
        // one.
        {{ANFANG, ABWEIS(QX04_BN_OBJID(5, 1), 3, 84), PUNKT, E(SC_EV_ZEILE, 1),
          ABWEIS(QX04_BN_OBJID(3, 1), 3, 84), PUNKT, E(SC_EV_ZEILE, 2), KOMPLETT},
         "/totals/degraded_points=1 /devices/0/problems/0/object=\"BI:1\" /devices/0/problems/1=null"},
        // A router message before the first device counts from the scan's start.
        {{E(SC_EV_SCAN_ANFANG, -1, -1, 1000), E(SC_EV_NETZ, -1, -1, 1500), ANFANG, KOMPLETT},
         "/router_messages/0/after_ms=500"},
    };
    for (const auto &f : aFall) {
        SC_BERICHT_NEU();
        SC_BERICHT_OPTION("-Jr.json");
        for (const SC_EREIGNIS_Struct &e : f.vE)
            SC_BERICHT_MELDEN(&e);
        const auto j = nlohmann::json::parse(SC_BERICHT_JSON(0, 0));
        std::istringstream is(f.cErwartet);
        for (std::string s; is >> s;) {
            const std::size_t k = s.find('=');
            EXPECT_EQ(j.value(nlohmann::json::json_pointer(s.substr(0, k)), nlohmann::json()),
                      nlohmann::json::parse(s.substr(k + 1)))
                << f.cErwartet << ": " << s;
        }
    }
}

// -V: at most four lines a second, each within 80 columns; a waiting scan's line again after a second, and a
// device's end shown by the next wait.
TEST(Bericht, ProgressLineFitsAndKeepsTime) {
    static std::uint32_t ulMs = 10000;
    UT_MSEK_SET([] { return ulMs; });
    SC_BERICHT_NEU();
    SC_BERICHT_OPTION("-V");
    SC_EREIGNIS_Struct st = E(SC_EV_STATUS), takt = E(SC_EV_TAKT), ende = KOMPLETT;
    st.ulDev = 4194302, st.cId = "Aussentemperatur_Nordseite_Gebaeude_A_Ebene_2";
    const struct {
        const SC_EREIGNIS_Struct *e;
        std::uint32_t ulNachMs;
        bool bZeile;
    } aSchritt[] = {{&st, 0, true},     {&st, 100, false},   {&takt, 100, false}, {&ende, 40, false},
                    {&takt, 200, true}, {&takt, 500, false}, {&takt, 1000, true}};
    for (const auto &s : aSchritt) {
        ulMs += s.ulNachMs;
        testing::internal::CaptureStdout();
        SC_FORTSCHRITT_MELDEN(s.e);
        const std::string sOut = testing::internal::GetCapturedStdout();
        EXPECT_EQ(!sOut.empty(), s.bZeile) << s.e->iArt << " after " << s.ulNachMs;
        EXPECT_LE(sOut.size(), 80u) << sOut;
    }
    UT_MSEK_SET(nullptr);
}
