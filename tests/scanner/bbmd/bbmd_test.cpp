// The registration with a BBMD kept up during the scan, on the test's clock: renewed at half its
// time-to-live, a refusal or a renewal left unanswered reported once, results of other senders ignored.
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "support/netns_guard.h"

static std::uint32_t ulSC_Jetzt = 0;
static std::uint32_t UHR() {
    return ulSC_Jetzt;
}

TEST(Bbmd, RenewalAndItsAnswers) {
    NT_REQUIRE_PRIVATE_NETNS();
    UT_MSEK_SET(UHR);
    stSC_Bbmd = {0xC0000202, 47808}; // 192.0.2.2: a documentation address, in a namespace of its own
    iSC_BbmdTtl = 60;
    stSC_BbmdStand = {true, 0, false};
    // At ms a BVLC-Result (-1 none) from the BBMD or another node: a renewal awaited, the last sent, the
    // report.
    const struct {
        std::uint32_t ulMs;
        int iErg;
        bool bVomBbmd, bFrist;
        std::uint32_t ulGemeldet;
        const char *cMeldung;
    } aFall[] = {
        {29999, -1, true, false, 0, ""},
        {30000, -1, true, true, 30000, ""},
        {31000, 0x30, false, true, 30000, ""},
        {32001, -1, true, false, 30000, "Erneuerung der Anmeldung beim BBMD 192.0.2.2#47808 : keine Antwort"},
        {60100, 0x60, true, true, 60100,
         "Who-Is-Verteilung beim BBMD 192.0.2.2#47808 abgelehnt (BVLC-Result 0x0060)"},
    };
    for (const auto &f : aFall) {
        ulSC_Jetzt = f.ulMs;
        iQX04_BvlcErg = f.iErg;
        stQX04_BvlcVon = f.bVomBbmd ? stSC_Bbmd : IP_PORT{0xC0000203, 47808};
        testing::internal::CaptureStdout();
        SC_BBMD_PFLEGE();
        const std::string s = testing::internal::GetCapturedStdout();
        EXPECT_EQ(stSC_BbmdStand.bFrist, f.bFrist) << f.ulMs;
        EXPECT_EQ(stSC_BbmdStand.ulGemeldetMs, f.ulGemeldet) << f.ulMs;
        EXPECT_TRUE(*f.cMeldung == '\0' ? s.empty() : s.find(f.cMeldung) != std::string::npos) << s;
    }
    UT_MSEK_SET(nullptr);
}
