// libFuzzer target for the receive side of the BACnet layer and the scan. Each input is a sender endpoint
// (address and port, 6 bytes), the invoke id of the outstanding request (1 byte), a switch byte (bit 0: every
// trace switch on; bits 1 to 6: how many records of the route table, at most all 16, hold known devices
// before the datagram; bit 7: the datagram goes to the scan's receive step instead of the layer alone) and a
// datagram as IP_RECV would deliver it. The datagram goes through the receive guard, the frame trace and the
// message check (also of Forwarded-NPDUs and BVLC-Results), then through the value decoders, the
// ReadPropertyMultiple-ACK decoder and, at every offset, the tag functions. In the scan's receive step it
// meets an object in progress at a scan step taken from the invoke id, once in the sequential scan, once in
// the parallel one, where four devices (directly or behind a router) await answers and the datagram may
// answer one of them, and once in a -M state awaiting a ReadPropertyMultiple; a scan state moves only for the
// answer its request asked for. The scan report (-J) follows every state and is JSON in UTF-8 whatever the
// devices sent; so do the EDE files (-X), UTF-8 and CSV that reads back field by field, and the datagram's
// bytes taken as a text of every character set make such a field too. The receive buffer is poisoned behind
// the bytes that arrived and, once the guard has passed the frame, behind its BVLC length, so that
// AddressSanitizer reports any read of bytes that are not part of the frame. Answers the message check sends
// go out on the loopback of the private network namespace the harness runs this in.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <sanitizer/asan_interface.h>
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"
#include <nlohmann/json.hpp>
#include "scanner/parallel/sc_par.h"
#include "scanner/ede/sc_ede_intern.h"
#include "scanner/report/sc_bericht_intern.h"
#include "scanner/setup/sc_setup.h"
#include "fuzz/fz.h"
#include "runtime/ut/ut.h"
#include "support/netns_guard.h"

// A small table: every input starts from the same table, and a full table is within reach of one datagram.
constexpr int iANZ = 16;
static QX04_BN_ROUTE tabelle[iANZ];

// Known devices 100, 101, ... of the sender 10.0.0.5#47808, directly or behind routers on networks 1, 2, ...
static void TABELLE(int iBelegt) {
    for (int i = 0; i < iANZ; i++) {
        QX04_BN_ROUTE &r = tabelle[i];
        r = QX04_BN_ROUTE{};
        r.ulSDEV = 0xFFFFFFFF;
        r.usSNET = 0xFFFF;
        if (i >= iBelegt) continue;
        r.ulSDEV = 100 + (std::uint32_t)i;
        r.usSNET = (std::uint16_t)(i % 3 == 0 ? 0 : i);
        r.ucSLEN = (unsigned char)(i % 3);
        for (int k = 0; k < r.ucSLEN; k++)
            r.ucSADR[k] = (unsigned char)(0x21 + k);
        r.stPort = IP_PORT{0x0A000005, 47808};
    }
}

static void SCHALTER(unsigned char uc) {
    TEST_T_A = TEST_T_A1 = TEST_T_A2 = TEST_T_A3 = TEST_T_A4 = uc;
    TEST_T_I = TEST_T_I1 = TEST_T_O = TEST_T_O1 = uc;
}

// Used records form an unbroken prefix, none holds the instance no device has or a longer MAC address than
// its field.
static void TABELLE_PRUEFEN() {
    bool bFrei = false;
    for (const QX04_BN_ROUTE &r : tabelle) {
        if (r.ulSDEV == 0xFFFFFFFF) {
            bFrei = true;
            continue;
        }
        FZ_CHECK(!bFrei);
        FZ_CHECK(r.ulSDEV < 0x3FFFFF);
        FZ_CHECK(r.ucSLEN <= QX04_SADR_MAX);
    }
}

// CSV as the EDE files are read: records end with CR LF, fields with ';'; a quoted field doubles its quotes,
// an unquoted one holds no quote and no line break. The whole text must be UTF-8. The records into *v.
static bool CSV(const std::string &s, std::vector<std::vector<std::string>> *v) {
    std::uint32_t u;
    for (std::size_t i = 0; i < s.size();) {
        const int n = UT_UTF8_FOLGE(reinterpret_cast<const unsigned char *>(s.data()) + i, s.size() - i, &u);
        if (n == 0) return false;
        i += static_cast<std::size_t>(n);
    }
    v->assign(1, {});
    for (std::size_t i = 0; i < s.size();) {
        std::string f;
        if (s[i] == '"') {
            for (i++;; i++) {
                if (i >= s.size()) return false;
                if (s[i] == '"' && (i + 1 >= s.size() || s[i + 1] != '"')) break;
                f += s[i];
                i += s[i] == '"';
            }
            i++;
        } else {
            for (; i < s.size() && s[i] != ';' && s[i] != '\r'; i++) {
                if (s[i] == '"' || s[i] == '\n') return false;
                f += s[i];
            }
        }
        v->back().push_back(f);
        if (i < s.size() && s[i] == ';') {
            i++;
        } else if (s.compare(i, 2, "\r\n") == 0) {
            i += 2;
            if (i < s.size()) v->emplace_back();
        } else {
            return false;
        }
    }
    return true;
}

// The ReadProperty request the state awaits the answer to, as the scanner sends it: to the device directly,
// or through a router to network 1, MAC 0x21 (a device of the table when it is long enough).
static void ANFRAGE(SC_SCAN_Struct *s, bool bRoutiert) {
    unsigned char *b = s->stAnf.ucFrame;
    int a = 6;
    std::memcpy(b, "\x81\x0A\x00\x00\x01\x04", 6);
    if (bRoutiert) {
        std::memcpy(b, "\x81\x04\x00\x00\x7F\x00\x00\x01\xBA\xC0\x01\x24\x00\x01\x01\x21\xFF", 17);
        a = 17;
    }
    std::memcpy(b + a, "\x00\x05\x00\x0C\x0C\x00\x00\x00\x00\x19\x00\x29", 12); // a confirmed ReadProperty
    b[a + 2] = s->stAnf.ucInvoke;
    QX04_BN_L2BNL(s->stGang.stObj.ulObjId, b + a + 5);
    b[a + 10] = (unsigned char)s->stGang.usPropId;
    b[a + 12] = (unsigned char)s->stGang.iStateSlot;
    b[3] = (unsigned char)(a + (s->stGang.iStateSlot >= 0 ? 13 : 11));
    s->stAnf.iLen = b[3];
}

// An object at a scan step, awaiting the answer with the given invoke id from the sender; its data-point type
// and step come from the invoke id, so that every step and type meets every frame.
static void OBJEKT(SC_SCAN_Struct *s, unsigned char ucInvoke, const IP_PORT &stVon, std::uint32_t uDev,
                   bool bRoutiert) {
    static constexpr std::uint32_t aTyp[] = {0, 3, 13, 8};
    SC_SCAN_NEU(s);
    s->stGang.uDevIdx = uDev;
    SC_OBJ_NEU(&s->stGang.stObj, 100 + uDev);
    SC_OBJ_SETZEN(&s->stGang.stObj, aTyp[ucInvoke % 4] << 22 | 17);
    s->stGang.iObjIdx = 3;
    s->stGang.PROP_Modus = ucInvoke / 4 % 6 - 1; // -1 (nothing outstanding in that step) to 4
    s->stGang.iStateSlot = ucInvoke / 24 % 3 - 1;
    s->stGang.stObj.NoState = ucInvoke / 72 % 3 == 0 ? -1 : 3;
    s->stGang.usPropId = ucInvoke;
    s->stAnf.iWarten = SC_WARTET;
    s->stAnf.ucInvoke = ucInvoke;
    s->stAnf.stZiel = stVon;
    ANFRAGE(s, bRoutiert);
}

// A state that moved on did so for the answer to its request: its invoke id, from the device it asked.
static void BEWEGT(const SC_SCAN_Struct &s, const IP_PORT &stVon) {
    if (s.stAnf.iWarten == SC_WARTET) return;
    const int a = QX04_BN_POSAPDU(QX04_RECV_Buf);
    FZ_CHECK(a > 0 && QX04_RECV_Buf[a + 1] == s.stAnf.ucInvoke);
    FZ_CHECK(QX04_BN_PASST(QX04_RECV_Buf, &stVon, s.stAnf.ucFrame, &s.stAnf.stZiel) == 2);
}

// The scan's receive step, sequential and parallel: the object moves on at most by one step, and a state
// moves on only for the answer to its own request (never a place that asked another node).
static void SCAN(const IP_PORT &stVon, unsigned char ucInvoke, int iLen, int iBvlc) {
    static unsigned char ucKopie[QX04_BUF_SIZE];
    std::memcpy(ucKopie, QX04_RECV_Buf, (std::size_t)iBvlc); // the message check may answer from the buffer
    SC_SCAN_Struct st;
    OBJEKT(&st, ucInvoke, stVon, 0, ucInvoke & 1);
    SC_SCAN_Struct *const apSeq[1] = {&st};
    SC_DATAGRAMM_ZUORDNEN(apSeq, 1, iLen, &stVon);
    std::memcpy(QX04_RECV_Buf, ucKopie, (std::size_t)iBvlc);
    BEWEGT(st, stVon);
    FZ_CHECK(st.stAnf.iWarten == SC_WARTET || st.stAnf.iWarten == SC_BEREIT);
    FZ_CHECK(st.stGang.PROP_Modus >= -1 && st.stGang.PROP_Modus <= 4);
    FZ_CHECK(std::strlen(st.stGang.stObj.cDpId) <= 17 && std::strlen(st.stGang.stObj.cText) <= 23);

    std::memcpy(QX04_RECV_Buf, ucKopie, (std::size_t)iBvlc);
    iSC_Parallel = 4;
    stSC_Par.dqHalt.clear();
    stSC_Par.uKopf = 0;
    stSC_Par.uGehalten = 0;
    for (int i = 0; i < 4; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[(std::size_t)i];
        p.bBelegt = true;
        p.uDev = (std::uint32_t)i;
        stSC_Par.dqHalt.emplace_back();
        IP_PORT stZiel = stVon;
        stZiel.ulAdr += (std::uint32_t)(i & 1); // places 1 and 3 asked another node
        OBJEKT(&p.stScan, (unsigned char)(ucInvoke + i / 2), stZiel, (std::uint32_t)i, i >= 2);
        if (i > 0) p.stScan.stGang.uZeile = 0, p.stScan.pHalten = &stSC_Par.dqHalt.back();
    }
    SC_SCAN_Struct *apScan[4];
    const int iAnz = 4;
    for (int i = 0; i < iAnz; i++)
        apScan[i] = &stSC_Par.aPlatz[(std::size_t)i].stScan;
    SC_DATAGRAMM_ZUORDNEN(apScan, iAnz, iLen, &stVon);
    std::memcpy(QX04_RECV_Buf, ucKopie, (std::size_t)iBvlc);
    int iBewegt = 0;
    for (int i = 0; i < 4; i++) {
        iBewegt += stSC_Par.aPlatz[(std::size_t)i].stScan.stAnf.iWarten != SC_WARTET;
        BEWEGT(stSC_Par.aPlatz[(std::size_t)i].stScan, stVon);
    }
    FZ_CHECK(iBewegt <= 1);
    FZ_CHECK(stSC_Par.aPlatz[1].stScan.stAnf.iWarten == SC_WARTET &&
             stSC_Par.aPlatz[3].stScan.stAnf.iWarten == SC_WARTET);
    iSC_Parallel = 1;
}

// With -M: device 100 awaits a ReadPropertyMultiple for its object-list elements 3 and 4, or (odd invoke ids
// / 2) for its analog input 17 and the multi-state value 18 read ahead, after which the list ends. The
// datagram moves the state only when it answers that request; every value goes to its step, and nothing is
// left outstanding or half-handled.
static void RPM_SCAN(const IP_PORT &stVon, unsigned char ucInvoke, int iLen, int iBvlc) {
    static unsigned char ucKopie[QX04_BUF_SIZE];
    std::memcpy(ucKopie, QX04_RECV_Buf, (std::size_t)iBvlc);
    static const QX04_BN_RPMREF aListe[] = {{8u << 22 | 100, 76, 3}, {8u << 22 | 100, 76, 4}};
    constexpr std::uint32_t ulMv = 19u << 22 | 18; // the multi-state value read ahead
    static const QX04_BN_RPMREF aObj[] = {{17, 77, -1},   {17, 28, -1},   {17, 117, -1},  {ulMv, 77, -1},
                                          {ulMv, 28, -1}, {ulMv, 84, -1}, {ulMv, 74, -1}, {ulMv, 110, -1}};
    const bool bObjekte = (ucInvoke >> 1) & 1;
    iSC_Mehrfach = 1;
    SC_SCAN_Struct st;
    OBJEKT(&st, ucInvoke, stVon, 0, false);
    SC_OBJ_NEU(&st.stGang.stObj, 100);
    st.stGang.PROP_Modus = 0;
    st.stGang.iStateSlot = -1;
    st.stAnf.iDienst = bObjekte ? SC_DIENST_OBJEKTE : SC_DIENST_LISTE;
    st.stAnf.iAnz = 2;
    if (bObjekte) {
        SC_OBJ_SETZEN(&st.stGang.stObj, 17);
        st.stRpm.iVorErst = 4;
        st.stRpm.iVorAnz = 2;
        st.stRpm.aVor = {SC_VORRAT_Struct{12, ulMv}, SC_VORRAT_Struct{-1042, 0}};
    }
    IP_PORT stZiel;
    ucQX04_InvokeId = (unsigned char)(ucInvoke - 1);
    const int n = QX04_BN_RPM(100, bObjekte ? aObj : aListe, bObjekte ? 8 : 2, &stZiel, st.stAnf.ucFrame);
    ucQX04_InvokeId = ucInvoke;
    if (n <= 0) return; // device 100 is not in the table
    st.stAnf.iLen = n;
    SC_SCAN_Struct *const apSeq[1] = {&st};
    SC_DATAGRAMM_ZUORDNEN(apSeq, 1, iLen, &stVon);
    std::memcpy(QX04_RECV_Buf, ucKopie, (std::size_t)iBvlc);
    BEWEGT(st, stVon);
    FZ_CHECK(st.stAnf.iWarten == SC_WARTET || st.stAnf.iWarten == SC_BEREIT);
    FZ_CHECK(st.stRpm.iVorAnz <= QX04_RPM_MAX);
    FZ_CHECK(st.stGang.PROP_Modus >= -1 && st.stGang.PROP_Modus <= 4);
    FZ_CHECK(std::strlen(st.stGang.stObj.cDpId) <= 17 && std::strlen(st.stGang.stObj.cText) <= 23);
    iSC_Mehrfach = 0;
}

// A ReadPropertyMultiple-ACK split into results: each a value list closed by its tag 4 inside the frame or an
// error with a 16-bit code; the elements of a value list lie inside it and decode as values do.
static void RPMACK(const unsigned char *ucBuf, int iBvlc) {
    static QX04_BN_RPMERG aErg[64];
    const int n = QX04_BN_RPMACK(ucBuf, aErg, 64);
    FZ_CHECK(n >= -1 && n <= 64);
    for (int i = 0; i < n; i++) {
        const QX04_BN_RPMERG &e = aErg[i];
        FZ_CHECK(e.stRef.ulPropId <= 0x3FFFFF && e.stRef.lIndex >= -1);
        FZ_CHECK((e.iWert > 0) != (e.iFehler != 0));
        FZ_CHECK(e.iFehler == 0 || (e.iFehler <= -1000 && e.iFehler >= -1000 - 0xFFFF));
        if (e.iWert == 0) continue;
        FZ_CHECK(e.iWert <= e.iEnde && e.iEnde < iBvlc && ucBuf[e.iEnde] == 0x4F);
        std::uint32_t ulWert;
        for (int k = 1; k <= 3; k++) {
            const int p = QX04_BN_RPMELEM(ucBuf, &e, k);
            FZ_CHECK(p == 0 || (p >= e.iWert && p < e.iEnde));
            const int t = QX04_BN_WERT(ucBuf, p, &ulWert);
            FZ_CHECK(t == -1 || t == 1 || t == 2 || t == 3 || t == 4 || t == 8 || t == 9 || t == 12);
            const char *c = QX04_BN_CHAR(ucBuf, p);
            FZ_CHECK(c == nullptr || std::strlen(c) <= 255);
            // Decoded once as the scan takes it: nothing of it outside the result's value list.
            QX04_BN_WERT_Struct w;
            QX04_BN_WERTLESEN(p > 0 ? ucBuf + p : nullptr, ucBuf + e.iEnde, &w);
            FZ_CHECK(w.ucText == nullptr ||
                     (w.ucText >= ucBuf + e.iWert && w.ucText + w.iTextLen <= ucBuf + e.iEnde));
        }
    }
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    setenv("HOST", "127.0.0.1", 1); // own addresses without any lookup
    setenv("TZ", "UTC", 1);
    tzset();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    BN_ROUTE_QX04_Struct = tabelle;
    uQX04_Anz_Dev = iANZ;
    // -J and -X: the report and the EDE files follow every scan state below, and the walk asks what -X asks.
    SC_BEOBACHTER_NEU();
    SC_EDE_OPTION("-Xfuzz");
    SC_ANMELDEN(&astSC_Beobachter[0]);
    SC_ANMELDEN(&astSC_Beobachter[2]);
    SC_FRAGEN_GANZ(true);
    IP_INIT();
    IP_HOST_MERKEN(); // the own-echo check then looks up nothing per datagram
    iQX04_IP_APP = IP_OPEN(1, iQX04_IP_Port, nullptr);
    if (iQX04_IP_APP < 0) std::abort();
    fpSC_REF = std::fopen("/dev/null", "w"); // completed objects are written, and go nowhere
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 8) return 0;
    for (const unsigned char ucSatz : {0, 1, 2, 3, 4, 5, 0xFF}) {
        const std::string sText = SC_EDE_UTF8(ucData, uSize, ucSatz);
        std::vector<std::vector<std::string>> v;
        FZ_CHECK(CSV(SC_EDE_FELD(sText) + "\r\n", &v) && v.size() == 1 && v[0].size() == 1 &&
                 v[0][0] == sText);
    }
    IP_PORT stSender{(std::uint32_t)ucData[0] << 24 | (std::uint32_t)ucData[1] << 16 | ucData[2] << 8 |
                         ucData[3],
                     (std::uint16_t)(ucData[4] << 8 | ucData[5])};
    const unsigned char ucInvoke = ucData[6];
    ucQX04_InvokeId = ucInvoke;
    const unsigned char ucSchalter = ucData[7];
    ucData += 8;
    uSize -= 8;
    const int iLen = (int)(uSize < (std::size_t)QX04_BUF_SIZE ? uSize : QX04_BUF_SIZE); // cut as IP_RECV does
    TABELLE((ucSchalter >> 1) & 0x3F);

    unsigned char *ucBuf = QX04_RECV_Buf;
    std::memcpy(ucBuf, ucData, (std::size_t)iLen);
    ASAN_POISON_MEMORY_REGION(ucBuf + iLen, QX04_BUF_SIZE - iLen);
    SCHALTER(ucSchalter & 1);
    if (QX04_BN_RXCHK(ucBuf, iLen) == 0) {
        const int iBvlc = (int)QX04_BN_BVLCLEN(ucBuf);
        ASAN_POISON_MEMORY_REGION(ucBuf + iBvlc, iLen - iBvlc);
        if (ucSchalter & 0x80) {
            // The scan's receive trace shows every byte that arrived, also those behind the BVLC length.
            if (ucSchalter & 1) ASAN_UNPOISON_MEMORY_REGION(ucBuf + iBvlc, iLen - iBvlc);
            SCAN(stSender, ucInvoke, iLen, iBvlc);
            RPM_SCAN(stSender, ucInvoke, iLen, iBvlc);
            TABELLE_PRUEFEN();
            // Whatever bytes the devices sent, the report is JSON in UTF-8.
            FZ_CHECK(nlohmann::json::accept(SC_BERICHT_JSON(0, 0)));
            stSC_Bericht.vGeraet.clear();
            for (SC_EDE_GERAET_Struct &d : stSC_Ede.vGeraet)
                d.bGestartet = true, d.vPunkte.push_back(d.stPunkt); // the object in progress too
            std::string sEde, sZust;
            SC_EDE_TEXTE(&sEde, &sZust);
            std::vector<std::vector<std::string>> v;
            FZ_CHECK(CSV(sEde, &v) && CSV(sZust, &v));
            stSC_Ede.vGeraet.clear();
            ASAN_UNPOISON_MEMORY_REGION(ucBuf, QX04_BUF_SIZE);
            return 0;
        }
        QX04_T_BN(&stSender, ucBuf);
        const int ier = QX04_BN_MSGCHK(&stSender, ucBuf);
        FZ_CHECK(ier == 3 || ier == 2 || ier == -1 || (ier <= -999 && ier >= -1000 - 0xFFFF));
        // The node a frame counts as coming from: its UDP sender, or a single node named in a Forwarded-NPDU.
        const IP_PORT stVon = QX04_BN_ABSENDER(&stSender, ucBuf);
        FZ_CHECK((stVon.ulAdr == stSender.ulAdr && stVon.usPort == stSender.usPort) ||
                 (ucBuf[1] == 0x04 && stVon.ulAdr != 0 && stVon.ulAdr < 0xE0000000 && stVon.usPort != 0));
        FZ_CHECK(iQX04_BvlcErg >= -1 && iQX04_BvlcErg <= 0xFFFF);
        TABELLE_PRUEFEN();
        std::uint32_t ulWert;
        for (std::uint16_t usProp : {(std::uint16_t)0xFFFF, (std::uint16_t)ucQX04_InvokeId}) {
            const int t = QX04_BN_GETWERT(ucBuf, usProp, &ulWert);
            FZ_CHECK(t == -1 || t == 1 || t == 2 || t == 3 || t == 4 || t == 8 || t == 9 || t == 12);
            const char *c = QX04_BN_GETCHAR(ucBuf, usProp);
            FZ_CHECK(c == nullptr || std::strlen(c) <= 255);
        }
        RPMACK(ucBuf, iBvlc);
        SCHALTER(0); // the sweep below runs often: without trace, for speed
        QX04_BN_POSTAG(ucBuf);
        const unsigned char *ucEnd = ucBuf + iBvlc;
        for (const unsigned char *p = ucBuf + 4; p < ucEnd; p++) {
            QX04_BN_TAGNUM(p);
            FZ_CHECK(QX04_BN_TAGLEN(p, ucEnd) <= ucEnd - p);
            QX04_BN_TAG2L(p, (int)((p - ucBuf) % 14) - 1, ucEnd);
            const char *c = QX04_BN_TAG2C(p, 7, ucEnd);
            FZ_CHECK(c == nullptr || std::strlen(c) <= 255);
        }
    }
    ASAN_UNPOISON_MEMORY_REGION(ucBuf, QX04_BUF_SIZE);
    return 0;
}
