// The frame of a scan: its verdict takes the first write error an observer returns at the end; the verdict
// of an earlier error stays.
#include <gtest/gtest.h>
#include "scanner/event/sc_ereignis.h"
#include "scanner/loop/sc_ablauf.h"

static int iSC_Antwort = 0;
static int BEOBACHTER(const SC_EREIGNIS_Struct *e) {
    return e->iArt == SC_EV_SCAN_ENDE ? iSC_Antwort : 0;
}

TEST(Ablauf, VerdictTakesAnObserversWriteError) {
    static const SC_BEOBACHTER_Struct b{nullptr, nullptr, nullptr, BEOBACHTER, false,
                                        false,   false,   false,   nullptr};
    const char *acTmo[] = {"Device 9"};
    const struct {
        int iErg, iBeobachter, iTimeout, iErwartet;
        const char *cText;
    } aFall[] = {
        {0, 0, 0, 0, "ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt"},
        {0, -23, 0, -23, "Abbruch nach Fehler -23"},
        {-21, -24, 0, -21, "Abbruch nach Fehler -21"},
        {0, 0, 1, 0, "Abbruch nach Timeout f\x81r BN-Adr.: Device 9 "},
    };
    for (const auto &f : aFall) {
        SC_BEOBACHTER_LEER();
        SC_ANMELDEN(&b);
        iSC_Antwort = f.iBeobachter;
        testing::internal::CaptureStdout();
        EXPECT_EQ(SC_URTEIL(f.iErg, acTmo, f.iTimeout), f.iErwartet) << f.cText;
        EXPECT_NE(testing::internal::GetCapturedStdout().find(f.cText), std::string::npos) << f.cText;
    }
    SC_BEOBACHTER_LEER();
}
