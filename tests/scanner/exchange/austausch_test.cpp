// The exchange through the real receive path (guard, message check, matching, repetition, hand-over), fast:
// the building simulator answers in this process. Each request goes from the send buffer to its request
// handling; its answers (copies, delays, losses, Aborts as the description asks) come back into the receive
// buffer on a clock the test moves. No network, no namespace.
#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"
#include "support/nt_tmpdir.h"
#include "tools/bacsim/bacsim.h"

namespace {

std::uint32_t ulUhr = 0xFFFF0000; // comes round during a scan
struct Post {
    std::uint32_t ulAb;
    std::size_t uHost;
    std::vector<std::uint8_t> vFrame;
};
std::vector<Post> vPost;

struct Ergebnis {
    std::vector<std::string> vZeilen;
    int iRP = 0, iRPM = 0, iVerloren = 0; // requests sent by service, and those the building lost
    int iSegAck = 0, iAbbruch = 0;        // Segment-ACKs and Aborts the scanner sent
};
Ergebnis *pE = nullptr; // what the scan being run sent

// Everything the scanner sends goes to the building's host at its destination, counted by kind.
void SENKE(const IP_PORT *stZiel, int iLen, const unsigned char *ucFrame) {
    const int a = QX04_BN_POSAPDU(ucFrame);
    const int iTyp = ucFrame[a] >> 4;
    const std::size_t n = vPost.size();
    for (std::size_t h = 0; h < stBS_Bld.vHosts.size(); h++)
        if (stBS_Bld.vHosts[h].ulIp == stZiel->ulAdr)
            BS_SERVE(h, false, 0x7F000001, 47808, ucFrame, static_cast<std::size_t>(iLen));
    if (iTyp == QX04_PDU_SEGMENT_ACK) pE->iSegAck++;
    if (iTyp == QX04_PDU_ABORT) pE->iAbbruch++;
    if (iTyp != 0) return;
    (ucFrame[a + 3] == QX04_SVC_READ_PROPERTY ? pE->iRP : pE->iRPM)++;
    pE->iVerloren += vPost.size() == n;
}

class Austausch : public NtTmpDirTest {
  protected:
    SC_SCAN_Struct st;
    void SetUp() override {
        NtTmpDirTest::SetUp();
        std::ofstream("cfg/dp_atb.txt") << "017,0   AUS\n017,1   EIN\n";
        static std::vector<QX04_BN_ROUTE> vTabelle(uQX04_Anz_Dev);
        BN_ROUTE_QX04_Struct = vTabelle.data();
        UT_MSEK_SET([] { return ulUhr; });
        pfIP_Senke = SENKE;
        pfBS_Senke = [](std::size_t uHost, std::uint32_t, std::uint16_t, const std::vector<std::uint8_t> &v,
                        unsigned uMs) {
            vPost.push_back({ulUhr + uMs, uHost, v});
        };
        UT_LOOPTIME();
    }
    void TearDown() override {
        UT_MSEK_SET(nullptr);
        pfBS_Senke = nullptr;
        pfIP_Senke = nullptr;
        iSC_Mehrfach = 0;
        NtTmpDirTest::TearDown();
    }
    // Delivers the earliest answer that is due; false when none is, and the scan's timers run on meanwhile.
    bool ZUSTELLEN() {
        if (vPost.empty()) return false;
        auto it = std::min_element(vPost.begin(), vPost.end(), [](const Post &a, const Post &b) {
            return static_cast<std::int32_t>(a.ulAb - b.ulAb) < 0;
        });
        if (static_cast<std::int32_t>(it->ulAb - ulUhr) > 0) return false;
        std::copy(it->vFrame.begin(), it->vFrame.end(), QX04_RECV_Buf);
        const BS_HOST &h = stBS_Bld.vHosts[it->uHost];
        const IP_PORT stVon = {h.ulIp, h.usPort};
        const int iLen = static_cast<int>(it->vFrame.size());
        vPost.erase(it);
        SC_SCAN_Struct *const apScan[1] = {&st};
        SC_DATAGRAMM_ZUORDNEN(apScan, 1, iLen, &stVon);
        return true;
    }
    // Scans the building as the sequential loop does, every device announced by its I-Am first.
    Ergebnis SCAN(const std::string &sBau, bool bMehrfach) {
        std::ofstream("bau.txt") << sBau;
        std::string sErr;
        stBS_Bld = BS_BUILDING{};
        EXPECT_TRUE(BS_LOAD("bau.txt", stBS_Bld, sErr)) << sErr;
        for (std::uint32_t i = 0; i < uQX04_Anz_Dev; i++)
            BN_ROUTE_QX04_Struct[i] = QX04_BN_ROUTE{0xFFFFFFFF, 0xFFFF, 0, {}, {}, 0, 0, 0, 0, 0, 0, 0};
        iSC_Mehrfach = bMehrfach ? 1 : 0;
        fpSC_REF = std::fopen("netscn.ref", "w");
        vPost.clear();
        for (const BS_DEVICE &d : stBS_Bld.vDevs)
            vPost.push_back({ulUhr, d.uHost, BS_IAM_FRAME(d, false)});
        while (ZUSTELLEN()) {
        }
        SC_SCAN_NEU(&st);
        Ergebnis e;
        pE = &e;
        testing::internal::CaptureStdout(); // the scan's progress lines
        for (int i = 0; i < 200000 && SC_DEV_AKTIV(&st.stGang) && st.stGang.iErg == 0; i++) {
            SC_AUSTAUSCH(&st, true);
            if (!ZUSTELLEN()) ulUhr += 10; // nothing on its way: time runs towards the repetition timer
        }
        testing::internal::GetCapturedStdout();
        std::fclose(fpSC_REF);
        fpSC_REF = nullptr;
        std::ifstream f("netscn.ref");
        for (std::string s; std::getline(f, s);)
            e.vZeilen.push_back(s);
        return e;
    }
};

// Devices of analog, binary and multi-state points; analog input 0 comes second, after a value, so that it is
// read ahead. sHost and sGeraet: statements after the host line and after each device line.
std::string BAU(const std::string &sHost, const std::string &sGeraet) {
    std::string s;
    for (int g = 1; g <= 10; g++) {
        s += "host 10.0.0." + std::to_string(20 + g) + "\n" + sHost + "device " + std::to_string(100 + g) +
             "\n  max-apdu 480\n" + sGeraet;
        for (int p = 0; p < 60; p++) {
            const std::string sNr = std::to_string(p);
            const char *cTyp = p == 0 ? "AV" : p == 1 ? "AI" : p % 3 == 0 ? "BI" : p % 3 == 1 ? "MV" : "AI";
            s += std::string("object ") + cTyp + " " + (p == 1 ? "0" : sNr) + "\n  name P" + sNr +
                 "\n  description Punkt " + sNr + " mit etwas Text\n  units 62\n  polarity 0\n" +
                 "  inactive-text Aus\n  active-text Ein\n  states Aus|Stufe 1|Stufe 2\n";
        }
    }
    return s;
}

TEST_F(Austausch, EveryFaultOfTheRoadGivesTheFileOfTheFaultlessScan) {
    const Ergebnis stGut = SCAN(BAU("", ""), false);
    ASSERT_EQ(stGut.vZeilen.size(), 600u);
    const Ergebnis stRpm = SCAN(BAU("", ""), true);
    EXPECT_EQ(stRpm.vZeilen, stGut.vZeilen);
    EXPECT_EQ(stRpm.iRP, 10)
        << "one ReadProperty per device, of the whole object list; no point by ReadProperty";
    struct Fall {
        const char *cWas, *cHost, *cGeraet;
        bool bMehrfach;
        int iMehrProVerlust; // requests beyond the faultless scan's per lost request, at most
        int iStilleMax;      // unanswered requests, at most (-1: any)
    } const aFall[] = {
        {"copies of every answer", "duplicate 30\n", "", false, 0, 0},
        {"copies under -M", "duplicate 30\n", "", true, 0, 0},
        {"answers spread over 35 to 121 ms, as on a token-passing trunk", "delay 78 43\n", "", false, 0, 0},
        {"lost requests", "loss 0.05\n", "", false, 1, -1},
        // a lost batch of one costs its object's five properties by ReadProperty
        {"lost batches: a halved batch grows back", "loss 0.05\n", "", true, 4, -1},
        {"no ReadPropertyMultiple: Reject, then ReadProperty", "", "  rpm off\n", true, -1, 0},
        // the whole list twice (a loss is asked again), then one batch
        {"answers of more than 300 bytes dropped: three timers per device", "", "  drop-above 300\n", true,
         -1, 30},
    };
    for (const Fall &f : aFall) {
        const Ergebnis e = SCAN(BAU(f.cHost, f.cGeraet), f.bMehrfach);
        EXPECT_EQ(e.vZeilen, stGut.vZeilen) << f.cWas;
        const int iBasis = f.bMehrfach ? stRpm.iRP + stRpm.iRPM : stGut.iRP;
        if (f.iMehrProVerlust >= 0) {
            EXPECT_LE(e.iRP + e.iRPM, iBasis + f.iMehrProVerlust * e.iVerloren)
                << f.cWas << ": " << e.iVerloren;
        }
        if (f.iStilleMax >= 0) {
            EXPECT_LE(e.iVerloren, f.iStilleMax) << f.cWas;
        }
        std::printf("%-70s %5d requests (%d ReadProperty), %3d unanswered\n", f.cWas, e.iRP + e.iRPM, e.iRP,
                    e.iVerloren);
    }
}

// A device of 1,500 objects that segments: its list whole in one request, in segments; with segmentation
// refused, in batches. Lost, duplicated and swapped segments, and a device that sends past what the scanner
// takes: the same lines every time.
TEST_F(Austausch, SegmentedObjectListWholeInOneRequest) {
    const std::string sBau = "host 10.0.0.21\ndevice 101\n  max-apdu 480\n  objects 1500 AV\n";
    const Ergebnis stTeile = SCAN(sBau, true);
    ASSERT_EQ(stTeile.vZeilen.size(), 1500u);
    const Ergebnis stGanz = SCAN(sBau + "  segmentation 4\n", true);
    EXPECT_EQ(stGanz.vZeilen, stTeile.vZeilen);
    EXPECT_EQ(stGanz.iRP, 1) << "the list whole in one request";
    EXPECT_GE(stGanz.iSegAck, 4) << "16 segments in windows of 4";
    EXPECT_GT(stTeile.iRPM, stGanz.iRPM + 30) << "refused: the list in batches of at most 39";
    const struct {
        const char *cFehler;
        int iAbbruch; // Aborts the scanner sends
    } aFall[] = {{"lose 3", 0}, {"lose 4", 0}, {"dup 2", 0}, {"swap 5", 0}, {"past-max\n  max-apdu 128", 1}};
    for (const auto &f : aFall) {
        const Ergebnis e = SCAN(sBau + "  segmentation 4\n  segment-fault " + f.cFehler + "\n", true);
        EXPECT_EQ(e.vZeilen, stTeile.vZeilen) << f.cFehler;
        EXPECT_EQ(e.iAbbruch, f.iAbbruch) << f.cFehler;
        EXPECT_EQ(e.iRP, 1) << f.cFehler << ": the list asked whole once, a lost segment asked again";
    }
}

// A device whose first answer comes after the first timer has its request repeated once, and counts it
// answered late, not unanswered.
TEST_F(Austausch, ALateAnswerIsLate) {
    EXPECT_EQ(SCAN("host 10.0.0.21\ndelay 1500\ndevice 101\n  objects 3 AV\n", false).vZeilen.size(), 3u);
    EXPECT_EQ((std::array{st.stAnf.stRto.ulWdh, st.stAnf.ulSpaet, st.stAnf.ulStille}),
              (std::array{1u, 1u, 0u}));
}

} // namespace
