// The budget of a network learnt from answer times, and what router messages do to it, on a clock the test
// moves (UT_MSEK_SET).
#include <gtest/gtest.h>
#include <vector>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

namespace {

std::uint32_t ulUhr = 0xFFFFF000; // comes round during a hold

struct Antwort {
    std::uint32_t ulMs;
    bool bAllein, bRunde;
};

TEST(Pace, BudgetOpensOnFlatAnswersAndClosesOnQueueingOrLoss) {
    struct Fall {
        const char *cWas;
        int iStart;
        std::vector<Antwort> vAntworten;
        bool bVerlust; // after the answers
        int iBudget;
    } const aFall[] = {
        {"flat: one more per round", 1, std::vector<Antwort>(7, {30, true, true}), false, 4},
        {"twice the base: one less",
         1,
         {{30, true, true}, {30, true, true}, {60, false, true}, {60, false, true}},
         false,
         1},
        {"between flat and queued: kept",
         2,
         {{30, true, false}, {43, false, true}, {43, false, true}},
         false,
         2},
        {"a budget not used in full grows not", 1, std::vector<Antwort>(9, {30, true, false}), false, 1},
        {"a loss halves", 8, {}, true, 4},
        {"a loss in a flat round: no growth", 2, {{30, true, true}, {30, false, true}}, true, 1},
    };
    for (const Fall &f : aFall) {
        SC_PACE_NEU();
        vSC_Pfad.emplace_back();
        vSC_Pfad[0].iBudget = f.iStart;
        for (const Antwort &a : f.vAntworten)
            SC_PFAD_ANTWORT(0, a.ulMs, a.bAllein, a.bRunde);
        if (f.bVerlust) SC_PFAD_VERLUST(0, "Test");
        EXPECT_EQ(vSC_Pfad[0].iBudget, f.iBudget) << f.cWas;
    }
}

TEST(Pace, RouterMessagesHoldReleaseAndEndANetwork) {
    UT_MSEK_SET([] { return ulUhr; });
    const IP_PORT stRouter = {0x0A000016, 47808};
    int aiPlatz[SC_PARALLEL_MAX];
    // The latest router message the layer kept from the frame, told to the pacing.
    const auto MELDEN = [&](const std::vector<unsigned char> &vMeldung) {
        unsigned char uc[32] = {0x81, 0x0A, 0, static_cast<unsigned char>(6 + vMeldung.size()), 0x01, 0x80};
        std::copy(vMeldung.begin(), vMeldung.end(), uc + 6);
        const std::uint32_t ulVorher = ulQX04_NetzAnz;
        QX04_BN_MSGNW(&stRouter, uc);
        return ulQX04_NetzAnz == ulVorher
                   ? 0
                   : SC_PACE_MELDUNG(&stQX04_Netz[(ulQX04_NetzAnz - 1) % QX04_NETZ_MAX], aiPlatz);
    };
    struct Fall {
        const char *cWas;
        std::vector<unsigned char> vMeldung; // type and content after the NPDU header
        std::uint32_t ulSpaeterMs;
        bool bGehalten, bUnerreichbar;
    } const aFall[] = {
        {"busy for network 5", {QX04_NL_BUSY, 0, 5}, 29999, true, false},
        {"busy, 30 s later", {QX04_NL_BUSY, 0, 5}, 30000, false, false},
        {"busy for every network", {QX04_NL_BUSY}, 0, true, false},
        {"busy for another network", {QX04_NL_BUSY, 0, 6}, 0, false, false},
        {"reject: router busy", {QX04_NL_REJECT, QX04_NL_REJ_BESETZT, 0, 5}, 999, true, false},
        {"reject: not a router to the network",
         {QX04_NL_REJECT, QX04_NL_REJ_KEIN_ROUTER, 0, 5},
         0,
         false,
         true},
        {"reject cut short", {QX04_NL_REJECT, QX04_NL_REJ_KEIN_ROUTER, 0}, 0, false, false},
    };
    for (const Fall &f : aFall) {
        SC_PACE_NEU();
        vSC_Pfad.push_back(SC_PFAD_Struct{stRouter, 5});
        MELDEN(f.vMeldung);
        ulUhr += f.ulSpaeterMs;
        SC_PACE_MELDUNG(nullptr, aiPlatz);
        EXPECT_EQ(vSC_Pfad[0].bGehalten, f.bGehalten) << f.cWas;
        EXPECT_EQ(vSC_Pfad[0].bUnerreichbar, f.bUnerreichbar) << f.cWas;
    }
    // A place with a request outstanding on the path waits while it is held; an Available frees the path at
    // once, and the request goes again.
    astSC_PacePlatz[2].bBelegt = true, iSC_PacePlaetze = 3;
    SC_PACE_GESENDET(2, ulUhr, 1000, true);
    EXPECT_EQ(MELDEN({QX04_NL_BUSY, 0, 5}), 0);
    EXPECT_EQ(SC_PACE_DARF(2), SC_DARF_WARTEN);
    ASSERT_EQ(MELDEN({QX04_NL_AVAILABLE, 0, 5}), 1);
    EXPECT_EQ(aiPlatz[0], 2);
    EXPECT_EQ(SC_PACE_DARF(2), SC_DARF_NEU);
    // A Reject's hold ends with the path's next answer: the router's buffer is free again.
    MELDEN({QX04_NL_REJECT, QX04_NL_REJ_BESETZT, 0, 5});
    SC_PACE_BEANTWORTET(2, 30, true);
    SC_PACE_MELDUNG(nullptr, aiPlatz);
    EXPECT_FALSE(vSC_Pfad[0].bGehalten);
    // A budget the router refused as busy is not grown into again until the router has been quiet a while.
    for (const std::uint32_t ulRuhe : {0u, SC_PACE_RUHE_MS}) {
        SC_PACE_NEU();
        vSC_Pfad.push_back(SC_PFAD_Struct{stRouter, 5});
        vSC_Pfad[0].iBudget = 2;
        MELDEN({QX04_NL_REJECT, QX04_NL_REJ_BESETZT, 0, 5});
        ulUhr += ulRuhe;
        for (int i = 0; i < 8; i++)
            SC_PFAD_ANTWORT(0, 30, true, true);
        EXPECT_EQ(vSC_Pfad[0].iBudget > 1, ulRuhe > 0) << ulRuhe;
    }
    UT_MSEK_SET(nullptr);
}

} // namespace
