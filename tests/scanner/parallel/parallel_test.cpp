// The parallel scan pass by pass, against devices behind one router network played by the test: requests stay
// in the places' transactions (nothing is sent), answers and router messages go through the real receive path
// into the pass; the monotonic clock is the test's, the wall clock stands (or is set back).
#include <cstring>
#include <gtest/gtest.h>
#include <vector>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"
#include "scanner/parallel/sc_par.h"
#include "support/nt_tmpdir.h"

namespace {

std::uint32_t ulUhr = 0xFFFF0000; // comes round during a scan
const IP_PORT stRouter = {0x0A000016, 47808};

class Parallel : public NtTmpDirTest {
  protected:
    void SetUp() override {
        NtTmpDirTest::SetUp();
        static std::vector<QX04_BN_ROUTE> vTabelle(uQX04_Anz_Dev);
        BN_ROUTE_QX04_Struct = vTabelle.data();
        for (std::uint32_t i = 0; i < uQX04_Anz_Dev; i++) // device 100 behind the router on network 5
            vTabelle[i] =
                QX04_BN_ROUTE{i == 0 ? 100u : 0xFFFFFFFF, 5, 1, {0x21}, stRouter, 0, 0, 0, 0, 0, 0, 0};
        iIP_HostAnz = 1, ulIP_HostAdr[0] = 0x0A000001; // the scanner's own address, looked up nowhere
        UT_MSEK_SET([] { return ulUhr; });
        NT_UHR(2026, 12, 9, 12, 0, 0);
        fpSC_REF = std::fopen("netscn.ref", "w");
        iSC_Parallel = 2;
        SC_P_ANFANG();
    }
    void TearDown() override {
        UT_MSEK_SET(nullptr);
        UT_CLOCK_SET(nullptr);
        std::fclose(fpSC_REF);
        iSC_Parallel = 1, iSC_Wiederhol = 3, iSC_Mehrfach = 0;
        NtTmpDirTest::TearDown();
    }
    static SC_TRANSAKTION_Struct &TA() {
        return stSC_Par.aPlatz[0].stScan.stAnf;
    }
    // Passes over iMs of the monotonic clock, 100 ms apart.
    static void DURCHLAUF(std::uint32_t iMs = 0) {
        for (std::uint32_t t = 0;; t += 100) {
            SC_P_DURCHLAUF();
            UT_LOOPTIME();
            if (t >= iMs) break;
            ulUhr += 100;
        }
    }
    // A datagram from the router through the receive path, as a pass takes it.
    static void EMPFANGEN(const std::vector<unsigned char> &v) {
        std::memcpy(QX04_RECV_Buf, v.data(), v.size());
        SC_SCAN_Struct *const apScan[1] = {&stSC_Par.aPlatz[0].stScan};
        SC_TA_EREIGNIS_Struct e{};
        if (SC_DATAGRAMM_ZUORDNEN(apScan, 1, static_cast<int>(v.size()), &stRouter, &e) != nullptr)
            SC_P_EREIGNIS(0, e);
    }
    // The router's message iTyp about network 5.
    static void NETZ(unsigned char ucTyp) {
        EMPFANGEN({0x81, 0x0A, 0, 9, 0x01, 0x80, ucTyp, 0, 5});
    }
    // The device's acknowledgement of place 0's ReadProperty: its object, property and index, value 0.
    static void ACK() {
        const SC_TRANSAKTION_Struct &a = TA();
        const int r = QX04_BN_POSAPDU(a.ucFrame);
        std::vector<unsigned char> v = {0x81, 0x0A, 0, 0, 0x01, 0x08, 0, 5, 1, 0x21, 0x30, a.ucInvoke, 0x0C};
        v.insert(v.end(), a.ucFrame + r + 4, a.ucFrame + a.iLen);
        v.insert(v.end(), {0x3E, 0x21, 0x00, 0x3F});
        v[3] = static_cast<unsigned char>(v.size());
        EMPFANGEN(v);
    }
};

// A request sent again after its router held the network is a repetition: not a new request, and its answer,
// which may be one to the copy before, no sample of the device's or the path's answer time.
TEST_F(Parallel, RequestSentAgainAfterAHoldIsARepetition) {
    DURCHLAUF();
    ASSERT_EQ(TA().iWarten, SC_WARTET);
    NETZ(QX04_NL_BUSY);
    DURCHLAUF(500);
    EXPECT_TRUE(vSC_Pfad[0].bGehalten);
    NETZ(QX04_NL_AVAILABLE);
    DURCHLAUF();
    EXPECT_EQ(TA().iSendungen, 2);
    ulUhr += 30;
    ACK();
    EXPECT_EQ(TA().stRto.ulAnz, 0u);
    EXPECT_EQ(vSC_Pfad[0].ulBasis8, 0u);
    EXPECT_EQ(vSC_Pfad[0].ulAntworten, 1u);
    DURCHLAUF(); // the next request goes
    EXPECT_EQ(TA().ulAnfragen, 2u);
}

// Silence on a path is a loss however the request ends: repeated, handed back, or the last try (-R0); and a
// handed-back ReadPropertyMultiple, with the path full so that nothing new goes, is no answer.
TEST_F(Parallel, SilenceIsALossAndNoAnswer) {
    struct Fall {
        const char *cWas;
        int iWiederhol, iMehrfach, iBudget, iBudgetNach;
    } const aFall[] = {
        {"a ReadProperty repeated", 3, 0, 4, 2},
        {"a ReadProperty under -R0", 0, 0, 4, 2},
        {"a ReadPropertyMultiple handed back on a full path", 3, 1, 1, 1},
    };
    for (const Fall &f : aFall) {
        iSC_Wiederhol = f.iWiederhol, iSC_Mehrfach = f.iMehrfach;
        SC_P_ANFANG();
        DURCHLAUF();
        ASSERT_EQ(TA().iWarten, SC_WARTET) << f.cWas;
        vSC_Pfad[0].iBudget = f.iBudget;
        if (f.iBudget == 1) { // another place's request in flight on the path
            SC_PACE_BELEGT(1, 0);
            SC_PACE_GESENDET(1, ulUhr, 60000, true);
        }
        DURCHLAUF(2000);
        EXPECT_EQ(vSC_Pfad[0].iBudget, f.iBudgetNach) << f.cWas;
        EXPECT_GT(vSC_Pfad[0].ulRundeNr, 0u) << f.cWas << ": a loss begins a new round";
        EXPECT_EQ(vSC_Pfad[0].ulAntworten, 0u) << f.cWas;
        EXPECT_EQ(vSC_Pfad[0].ulBasis8, 0u) << f.cWas;
        SC_PACE_FREI(1);
    }
}

// A silent device is given up after its repetitions by the monotonic clock, also when the wall clock is set
// back an hour during the wait.
TEST_F(Parallel, SilentDeviceGivenUpWhateverTheWallClock) {
    DURCHLAUF();
    NT_UHR(2026, 12, 9, 11, 0, 0);
    DURCHLAUF(21000);
    EXPECT_FALSE(stSC_Par.aPlatz[0].bBelegt);
    ASSERT_EQ(stSC_Par.vAufgegeben.size(), 1u);
    EXPECT_EQ(stSC_Par.vAufgegeben[0], "Device 100");
}

} // namespace
