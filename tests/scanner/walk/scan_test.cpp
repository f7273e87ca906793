// The scan's request sequence and its handling of answers and refusals, driven step by step against a device
// played by the test: requests are read from the send buffer, answers are written into the receive buffer and
// taken through the scan's receive step (guard, message check, matching). Nothing is sent (no endpoint).
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"
#include "support/nt_tmpdir.h"

namespace {

// One request as the device saw it.
struct Anfrage {
    std::uint32_t ulObjId;
    unsigned uProp;
    int iIdx; // -1 = no array index
    bool operator==(const Anfrage &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Anfrage &a) {
    return os << "{" << (a.ulObjId >> 22) << ":" << (a.ulObjId & 0x3FFFFF) << " " << a.uProp << "[" << a.iIdx
              << "]}";
}

// The value bytes a property answers with, or an error code (class 2), or a reject reason.
struct Wert {
    std::vector<unsigned char> ucTag;
    int iError = 0;
    int iReject = 0;
};
Wert TEXT(const std::string &s) {
    Wert w;
    unsigned char n = static_cast<unsigned char>(s.size() + 1); // character set byte and text
    if (n <= 4)
        w.ucTag = {static_cast<unsigned char>(0x70 | n), 0x00};
    else
        w.ucTag = {0x75, n, 0x00};
    w.ucTag.insert(w.ucTag.end(), s.begin(), s.end());
    return w;
}
Wert UNSIGNED(unsigned char u) {
    return Wert{{0x21, u}};
}
Wert ENUM(unsigned char u) {
    return Wert{{0x91, u}};
}
Wert OBJID(std::uint32_t ul) {
    return Wert{{0xC4, static_cast<unsigned char>(ul >> 24), static_cast<unsigned char>(ul >> 16),
                 static_cast<unsigned char>(ul >> 8), static_cast<unsigned char>(ul)}};
}
Wert FEHLER(int iCode) {
    Wert w;
    w.iError = iCode;
    return w;
}
Wert REJECT(int iReason) {
    Wert w;
    w.iReject = iReason;
    return w;
}

std::uint32_t OID(unsigned uTyp, std::uint32_t ulInst) {
    return (uTyp << 22) | ulInst;
}

// A device as the test plays it: its object list and, per object and property, the answer. Array properties
// are keyed with their index.
struct Geraet {
    std::uint32_t ulInst;
    std::vector<std::uint32_t> vListe;
    std::map<std::tuple<std::uint32_t, unsigned, int>, Wert> mWerte;
    bool bEndlos = false; // every list index past the end answers another file object
    void SETZE(std::uint32_t ulObjId, unsigned uProp, Wert w, int iIdx = -1) {
        mWerte[{ulObjId, uProp, iIdx}] = std::move(w);
    }
};

class Scan : public NtTmpDirTest {
  protected:
    SC_SCAN_Struct st;
    std::vector<Anfrage> vAnfragen;
    std::vector<Geraet> vGeraete;

    void SetUp() override {
        NtTmpDirTest::SetUp();
        std::ofstream("cfg/dp_atb.txt") << "017,0   AUS\n017,1   EIN\n";
        cSC_EndePrefix[0] = cSC_BeginnDpId[0] = cSC_AnfuegeDpId[0] = '\0';
        static std::vector<QX04_BN_ROUTE> vTabelle(uQX04_Anz_Dev);
        BN_ROUTE_QX04_Struct = vTabelle.data();
        for (auto &r : vTabelle) {
            std::memset(&r, 0, sizeof r);
            r.ulSDEV = 0xFFFFFFFF;
            r.usSNET = 0xFFFF;
        }
        iQX04_IP_APP = -1;
        fpSC_REF = std::fopen("netscn.ref", "w+t");
        ASSERT_NE(fpSC_REF, nullptr);
        UT_LOOPTIME();
        SC_SCAN_NEU(&st);
    }
    void TearDown() override {
        if (fpSC_REF != nullptr) std::fclose(fpSC_REF);
        fpSC_REF = nullptr;
        NtTmpDirTest::TearDown();
    }

    Geraet &GERAET(std::uint32_t ulInst, std::vector<std::uint32_t> vObjekte) {
        IP_PORT stPort = {0x0A000014, 47808};
        EXPECT_GE(QX04_BN_RT_SET(OID(8, ulInst), 0, 0, nullptr, &stPort), 0);
        Geraet g{ulInst, {OID(8, ulInst)}, {}};
        g.vListe.insert(g.vListe.end(), vObjekte.begin(), vObjekte.end());
        vGeraete.push_back(g);
        return vGeraete.back();
    }

    // Reads the request in the send buffer and writes the device's answer into the receive buffer; returns
    // what the message check would report for it.
    int ANTWORT() {
        const unsigned char *a = QX04_SEND_Buf + 6;
        EXPECT_EQ(QX04_SEND_Buf[1], 0x0A);
        unsigned char ucInvoke = a[2];
        std::uint32_t ulObjId = QX04_BN_BNL2L(a + 5);
        unsigned uProp = a[10];
        int p = 11;
        if (a[9] == 0x1A) uProp = a[10] << 8 | a[11], p = 12;
        int iIdx = -1;
        if (p + 6 < QX04_SEND_Buf[3] && a[p] == 0x29) iIdx = a[p + 1];
        if (p + 6 < QX04_SEND_Buf[3] && a[p] == 0x2A) iIdx = a[p + 1] << 8 | a[p + 2];
        vAnfragen.push_back({ulObjId, uProp, iIdx});

        const Geraet *g = nullptr;
        for (const auto &x : vGeraete)
            if ((x.ulInst & 0x3FFFFF) == (st.stGang.stObj.ulDev & 0x3FFFFF)) g = &x;
        EXPECT_NE(g, nullptr);
        Wert w = FEHLER(32);
        if (uProp == 76 && iIdx == 0)
            w = UNSIGNED(static_cast<unsigned char>(g->vListe.size()));
        else if (uProp == 76 && iIdx >= 1 && iIdx <= static_cast<int>(g->vListe.size()))
            w = OBJID(g->vListe[static_cast<std::size_t>(iIdx - 1)]);
        else if (uProp == 76 && g->bEndlos)
            w = OBJID(OID(10, static_cast<std::uint32_t>(iIdx)));
        else if (uProp == 76)
            w = FEHLER(42);
        else if (auto it = g->mWerte.find({ulObjId, uProp, iIdx}); it != g->mWerte.end())
            w = it->second;

        unsigned char *r = QX04_RECV_Buf;
        int n = 0;
        for (unsigned char b : {0x81, 0x0A, 0x00, 0x00, 0x01, 0x00})
            r[n++] = b;
        if (w.iReject != 0) {
            for (int b : {0x60, static_cast<int>(ucInvoke), w.iReject})
                r[n++] = static_cast<unsigned char>(b);
            r[3] = static_cast<unsigned char>(n);
            return -2000 - w.iReject;
        }
        if (w.iError != 0) {
            for (int b : {0x50, static_cast<int>(ucInvoke), 0x0C, 0x91, 0x02, 0x91, w.iError})
                r[n++] = static_cast<unsigned char>(b);
            r[3] = static_cast<unsigned char>(n);
            return -1000 - w.iError;
        }
        for (int b : {0x30, static_cast<int>(ucInvoke), 0x0C, 0x0C})
            r[n++] = static_cast<unsigned char>(b);
        QX04_BN_L2BNL(ulObjId, r + n);
        n += 4;
        r[n++] = 0x19;
        r[n++] = static_cast<unsigned char>(uProp);
        if (iIdx > 255)
            r[n++] = 0x2A, r[n++] = static_cast<unsigned char>(iIdx >> 8),
            r[n++] = static_cast<unsigned char>(iIdx);
        else if (iIdx >= 0)
            r[n++] = 0x29, r[n++] = static_cast<unsigned char>(iIdx);
        r[n++] = 0x3E;
        for (unsigned char b : w.ucTag)
            r[n++] = b;
        r[n++] = 0x3F;
        r[3] = static_cast<unsigned char>(n);
        return 3;
    }

    // Takes the frame in the receive buffer through the receive step, as from the node the request went to.
    SC_SCAN_Struct *NIMM() {
        SC_SCAN_Struct *const apScan[1] = {&st};
        const IP_PORT stVon = {st.stAnf.stZiel.ulAdr, 47809}; // a device may answer from another port
        return SC_DATAGRAMM_ZUORDNEN(apScan, 1, QX04_RECV_Buf[3], &stVon);
    }
    // An Error (class 2, code iCode) for the outstanding request, taken.
    void ABGELEHNT(int iCode) {
        const unsigned char uc[] = {0x81,
                                    0x0A,
                                    0x00,
                                    0x0D,
                                    0x01,
                                    0x00,
                                    0x50,
                                    st.stAnf.ucInvoke,
                                    0x0C,
                                    0x91,
                                    0x02,
                                    0x91,
                                    static_cast<unsigned char>(iCode)};
        std::memcpy(QX04_RECV_Buf, uc, sizeof uc);
        NIMM();
    }

    // Runs the scan until every device is done, as the loop does: send, answer, take the answer.
    void LAUF(int iMax = 100000) {
        for (int i = 0; i < iMax && st.stGang.iErg == 0 && SC_DEV_AKTIV(&st.stGang); i++) {
            if (!SC_ANFRAGE(&st)) continue;
            ANTWORT();
            NIMM();
        }
    }

    std::vector<std::string> ZEILEN() {
        std::fflush(fpSC_REF);
        std::ifstream f("netscn.ref");
        std::vector<std::string> v;
        for (std::string s; std::getline(f, s);)
            v.push_back(s);
        return v;
    }
};

std::vector<Anfrage> LISTE(std::uint32_t ulDev, int iVon, int iBis) {
    std::vector<Anfrage> v;
    for (int i = iVon; i <= iBis; i++)
        v.push_back({OID(8, ulDev), 76, i});
    return v;
}

// Index 0 and the device itself give no line; types 8, 10 and 17 no further request; elements 0 to n + 1.
TEST_F(Scan, ObjectListWalkAndRequestsPerType) {
    Geraet &g = GERAET(1234, {OID(0, 17), OID(10, 1), OID(17, 2), OID(3, 3), OID(19, 4)});
    g.SETZE(OID(0, 17), 77, TEXT("TAussen"));
    g.SETZE(OID(0, 17), 28, TEXT("Aussentemperatur"));
    g.SETZE(OID(0, 17), 117, ENUM(62));
    g.SETZE(OID(3, 3), 77, TEXT("Pumpe"));
    g.SETZE(OID(3, 3), 28, TEXT("Pumpe Kessel 1"));
    g.SETZE(OID(3, 3), 84, ENUM(0));
    g.SETZE(OID(3, 3), 46, TEXT("Aus"));
    g.SETZE(OID(3, 3), 4, TEXT("Ein"));
    g.SETZE(OID(19, 4), 77, TEXT("Stufe"));
    g.SETZE(OID(19, 4), 28, TEXT("Luefterstufe"));
    g.SETZE(OID(19, 4), 74, UNSIGNED(12));
    for (int i = 1; i <= 12; i++)
        g.SETZE(OID(19, 4), 110, TEXT("S" + std::to_string(i)), i);
    LAUF();

    std::vector<Anfrage> v = LISTE(1234, 0, 2);
    for (unsigned p : {77, 28, 117})
        v.push_back({OID(0, 17), p, -1});
    for (const auto &a : LISTE(1234, 3, 5))
        v.push_back(a);
    for (unsigned p : {77, 28, 84, 46, 4})
        v.push_back({OID(3, 3), p, -1});
    v.push_back({OID(8, 1234), 76, 6});
    for (unsigned p : {77, 28, 84, 74})
        v.push_back({OID(19, 4), p, -1});
    for (int i = 1; i <= 9; i++) // at most 9 states, slot j from array index j + 1
        v.push_back({OID(19, 4), 110, i});
    v.push_back({OID(8, 1234), 76, 7});
    EXPECT_EQ(vAnfragen, v);
    EXPECT_EQ(st.stGang.uDevIdx, 1u);

    auto z = ZEILEN();
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[0].substr(0, 47), "00001 TAussen          3 0 15 15 15 0 0 000 108");
    EXPECT_EQ(z[1].substr(0, 47), "00002 Pumpe            1 0 15 15 15 0 0 000 017");
    EXPECT_EQ(z[1].substr(48), "Pumpe Kessel 1                   0001234.BI#0000003'00085  ");
    EXPECT_EQ(z[2].substr(0, 47), "00003 Stufe            2 0 15 15 15 0 0 000 008"); // 9 states, no match
}

TEST_F(Scan, RefusalsAtEachStep) {
    Geraet &g = GERAET(7, {OID(0, 1), OID(1, 2), OID(4, 3), OID(14, 4), OID(13, 5)});
    g.SETZE(OID(0, 1), 77, FEHLER(32));        // no name: default id
    g.SETZE(OID(0, 1), 28, REJECT(9));         // no description: the id is the text
    g.SETZE(OID(0, 1), 117, REJECT(4));        // no units: code 0
    g.SETZE(OID(1, 2), 77, TEXT("Ventil"));    //
    g.SETZE(OID(1, 2), 28, TEXT("Ventil Y1")); //
    g.SETZE(OID(1, 2), 117, TEXT("Prozent"));  // units that are no number: code 0
    g.SETZE(OID(4, 3), 84, FEHLER(32));        // no polarity: 0, the texts are still read
    g.SETZE(OID(4, 3), 46, TEXT("Aus"));
    g.SETZE(OID(4, 3), 4, FEHLER(32));
    g.SETZE(OID(14, 4), 74, FEHLER(32)); // no number of states: line at once
    g.SETZE(OID(13, 5), 74, UNSIGNED(3));
    g.SETZE(OID(13, 5), 110, TEXT("Q"), 1);
    g.SETZE(OID(13, 5), 110, REJECT(2), 2); // a refused state text ends the states
    LAUF();

    auto z = ZEILEN();
    ASSERT_EQ(z.size(), 5u);
    EXPECT_EQ(z[0], "00001 7.AI1            3 0 15 15 15 0 0 000 000 7.AI1" + std::string(18 + 10, ' ') +
                        "0000007.AI#0000001'00085  ");
    EXPECT_EQ(z[1].substr(0, 47), "00002 Ventil           4 0 15 15 15 0 0 000 000");
    EXPECT_EQ(z[2].substr(0, 47),
              "00003 7.BO3            2 0 15 15 15 0 0 000 017"); // empty active text fits
    EXPECT_EQ(z[3].substr(0, 47), "00004 7.MO4            2 0 15 15 15 0 0 000 000");
    EXPECT_EQ(z[4].substr(0, 47), "00005 7.MI5            1 0 15 15 15 0 0 000 002");
    int n110 = 0, n46 = 0;
    for (const auto &a : vAnfragen) {
        EXPECT_FALSE((a.ulObjId == OID(0, 1) || a.ulObjId == OID(1, 2)) && a.uProp != 77 && a.uProp != 28 &&
                     a.uProp != 117)
            << a;
        n110 += a.uProp == 110;
        n46 += a.uProp == 46;
    }
    EXPECT_EQ(n110, 2);
    EXPECT_EQ(n46, 1);
}

TEST_F(Scan, BeginTextDropsObjectsAndSkipsTheirNumbers) {
    Geraet &g = GERAET(5, {OID(0, 1), OID(0, 2), OID(0, 3)});
    g.SETZE(OID(0, 1), 77, TEXT("Geb1.T01"));
    g.SETZE(OID(0, 2), 77, TEXT("Test.X02"));
    g.SETZE(OID(0, 3), 77, TEXT("Geb1.T03"));
    std::snprintf(cSC_BeginnDpId, sizeof cSC_BeginnDpId, "%s", "T0");
    std::snprintf(cSC_EndePrefix, sizeof cSC_EndePrefix, "%s", "Geb1.");
    LAUF();
    auto z = ZEILEN();
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[0].substr(0, 22), "00001 T01             ");
    EXPECT_EQ(z[1].substr(0, 22), "00003 T03             ");
    for (const auto &a : vAnfragen)
        EXPECT_FALSE(a.ulObjId == OID(0, 2) && a.uProp != 77) << a;
}

TEST_F(Scan, DevicesInTableOrderAndAnswersOnlyWhenOutstanding) {
    GERAET(10, {OID(0, 1)});
    GERAET(11, {});
    LAUF();
    EXPECT_EQ(st.stGang.uDevIdx, 2u);
    EXPECT_EQ(vAnfragen.back(), (Anfrage{OID(8, 11), 76, 2}));

    // A refusal that comes while nothing is outstanding (a late duplicate) does not end the device, nor does
    // the acknowledgement again.
    SC_SCAN_NEU(&st);
    for (int i = 0; i < 3; i++) { // size, device object, analog input 1
        ASSERT_TRUE(SC_ANFRAGE(&st));
        ANTWORT();
        NIMM();
    }
    ASSERT_EQ(st.stGang.PROP_Modus, 0);
    const std::vector<unsigned char> vAck(QX04_RECV_Buf, QX04_RECV_Buf + QX04_RECV_Buf[3]);
    ABGELEHNT(31);
    std::memcpy(QX04_RECV_Buf, vAck.data(), vAck.size());
    EXPECT_EQ(NIMM(), nullptr);
    EXPECT_EQ(st.stGang.uDevIdx, 0u);
    EXPECT_EQ(st.stGang.PROP_Modus, 0);
    EXPECT_EQ(st.stAnf.iWarten, SC_BEREIT);
}

// Devices that answer nonsense must not keep the scan going for ever.
TEST_F(Scan, NegativeStateCountIsNotAskedForAgain) {
    Geraet &g = GERAET(9, {OID(19, 1)});
    g.SETZE(OID(19, 1), 74, Wert{{0x31, 0xFF}}); // signed -1
    LAUF(1000);
    int n74 = 0, n110 = 0;
    for (const auto &a : vAnfragen)
        n74 += a.uProp == 74, n110 += a.uProp == 110;
    EXPECT_EQ(n74, 1);
    EXPECT_EQ(n110, 1);
    ASSERT_EQ(ZEILEN().size(), 1u);
    EXPECT_EQ(ZEILEN()[0].substr(0, 47), "00001 9.MV1            2 0 15 15 15 0 0 000 000");
}

TEST_F(Scan, ObjectListThatNeverEndsStopsAtTheLastArrayIndex) {
    Geraet &g = GERAET(8, {});
    g.bEndlos = true;
    LAUF(70000);
    EXPECT_EQ(st.stGang.uDevIdx, 1u);
    ASSERT_EQ(vAnfragen.size(), 65536u);
    EXPECT_EQ(vAnfragen.back(), (Anfrage{OID(8, 8), 76, 65535}));
}

TEST_F(Scan, FullDeviceTableEndsAfterItsLastEntry) {
    for (std::uint32_t i = 0; i < uQX04_Anz_Dev; i++)
        BN_ROUTE_QX04_Struct[i].ulSDEV = i; // devices with no object list at all
    vGeraete.push_back({0, {}, {}});
    int n = 0;
    while (SC_DEV_AKTIV(&st.stGang) && n < 20000) {
        ASSERT_TRUE(SC_ANFRAGE(&st));
        n++;
        ABGELEHNT(31);
    }
    EXPECT_EQ(n, 8192);
    EXPECT_FALSE(SC_ANFRAGE(&st));
    testing::internal::CaptureStdout();
    SC_ENDE(&st);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n\n***  ZDB-Referenzdatei NETSCN.REF erfolgreich erzeugt ***\n\n\a");
}

TEST_F(Scan, VerdictNamesTheMissingReply) {
    Geraet &g = GERAET(1234, {OID(0, 17)});
    g.SETZE(OID(0, 17), 77, TEXT("T17"));
    testing::internal::CaptureStdout();
    ASSERT_TRUE(SC_ANFRAGE(&st)); // the device falls silent at once
    SC_ENDE(&st);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: Device 1234 ***\n\n\a"),
              std::string::npos);

    for (int i = 0; i < 2; i++) { // the device object, then analog input 17
        ANTWORT();
        NIMM();
        ASSERT_TRUE(SC_ANFRAGE(&st));
    }
    ANTWORT(); // element 2 answered; the name is asked for and never comes
    NIMM();
    ASSERT_TRUE(SC_ANFRAGE(&st));
    testing::internal::CaptureStdout();
    SC_ENDE(&st);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n\n***  Abbruch nach Timeout f\x81r BN-Adr.: 0001234.AI#0000017'00077 ***\n\n\a");
}

TEST_F(Scan, WriteErrorStopsWithMinus21) {
    Geraet &g = GERAET(3, {OID(0, 1), OID(0, 2)});
    g.SETZE(OID(0, 1), 117, ENUM(62));
    std::fclose(fpSC_REF);
    fpSC_REF = std::fopen("/dev/full", "w");
    testing::internal::CaptureStdout();
    LAUF();
    SC_ENDE(&st);
    std::string s = testing::internal::GetCapturedStdout();
    EXPECT_EQ(st.stGang.iErg, -21);
    EXPECT_NE(s.find("WRITE-Fehler auf ZDB-Referenz-Datei NETSCN.REF  ***"), std::string::npos);
    EXPECT_NE(s.find("\n\n***  Abbruch nach Fehler -21 ***\n\n\a"), std::string::npos);
}

} // namespace

namespace {
// A repetition is the frame of the outstanding request itself, as often as -R allows and only while the
// request is outstanding; the answer to any try moves the object on.
TEST_F(Scan, RepetitionsResendTheOutstandingRequestUnchanged) {
    Geraet &g = GERAET(1234, {OID(0, 17)});
    g.SETZE(OID(0, 17), 77, TEXT("T17"));
    for (int iR : {0, 2}) {
        iSC_Wiederhol = iR;
        SC_SCAN_NEU(&st);
        ASSERT_TRUE(SC_ANFRAGE(&st));
        std::vector<unsigned char> vFrame(QX04_SEND_Buf, QX04_SEND_Buf + QX04_SEND_Buf[3]);
        const unsigned char ucInvoke = ucQX04_InvokeId;
        for (int i = 0; i < iR; i++)
            ASSERT_EQ(SC_WIEDERHOL(&st), SC_E_WIEDERHOLT) << i;
        EXPECT_EQ(SC_WIEDERHOL(&st), 0u) << "no repetition left with -R" << iR;
        EXPECT_EQ(std::vector<unsigned char>(st.stAnf.ucFrame, st.stAnf.ucFrame + st.stAnf.iLen), vFrame);
        EXPECT_EQ(ucQX04_InvokeId, ucInvoke);
        ANTWORT(); // the (late) answer of a try
        NIMM();
        EXPECT_EQ(st.stAnf.iWarten, SC_BEREIT);
        EXPECT_EQ(SC_WIEDERHOL(&st), 0u) << "nothing outstanding";
    }
    iSC_Wiederhol = 3;
}
} // namespace
