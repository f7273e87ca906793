// libFuzzer target for the receive side of the BACnet layer. Each input is a sender endpoint (address and
// port, 6 bytes), the invoke id of the outstanding request (1 byte), a switch byte (bit 0: every trace switch
// on; bits 1 to 7: how many records of the route table, at most all 16, hold known devices before the
// datagram) and a datagram as IP_RECV would deliver it. The datagram goes through the receive guard, the
// frame trace and the message check, then through the value decoders and, at every offset, the tag
// functions. The receive buffer is poisoned behind the bytes that arrived and, once the guard has passed the
// frame, behind its BVLC length, so that AddressSanitizer reports any read of bytes that are not part of the
// frame. Answers the message check sends go out on the loopback of the private network namespace the harness
// runs this in.
#include <cstdio>
#include <cstring>
#include <sanitizer/asan_interface.h>
#include "bacnet/bn.h"
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

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    setenv("HOST", "127.0.0.1", 1); // own addresses without any lookup
    setenv("TZ", "UTC", 1);
    tzset();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    BN_ROUTE_QX04_Struct = tabelle;
    uQX04_Anz_Dev = iANZ;
    IP_INIT();
    IP_HOST_MERKEN(); // the own-echo check then looks up nothing per datagram
    iQX04_IP_APP = IP_OPEN(1, iQX04_IP_Port, nullptr);
    if (iQX04_IP_APP < 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 8) return 0;
    IP_PORT stSender{(std::uint32_t)ucData[0] << 24 | (std::uint32_t)ucData[1] << 16 | ucData[2] << 8 |
                         ucData[3],
                     (std::uint16_t)(ucData[4] << 8 | ucData[5])};
    ucQX04_InvokeId = ucData[6];
    const unsigned char ucSchalter = ucData[7];
    ucData += 8;
    uSize -= 8;
    const int iLen = (int)(uSize < (std::size_t)QX04_BUF_SIZE ? uSize : QX04_BUF_SIZE); // cut as IP_RECV does
    TABELLE(ucSchalter >> 1);

    unsigned char *ucBuf = QX04_RECV_Buf;
    std::memcpy(ucBuf, ucData, (std::size_t)iLen);
    ASAN_POISON_MEMORY_REGION(ucBuf + iLen, QX04_BUF_SIZE - iLen);
    SCHALTER(ucSchalter & 1);
    if (QX04_BN_RXCHK(ucBuf, iLen) == 0) {
        const int iBvlc = (int)QX04_BN_BVLCLEN(ucBuf);
        ASAN_POISON_MEMORY_REGION(ucBuf + iBvlc, iLen - iBvlc);
        QX04_T_BN(&stSender, ucBuf);
        const int ier = QX04_BN_MSGCHK(&stSender, ucBuf);
        FZ_CHECK(ier == 3 || ier == 2 || ier == -1 || (ier <= -999 && ier >= -1000 - 0xFFFF));
        TABELLE_PRUEFEN();
        std::uint32_t ulWert;
        for (std::uint16_t usProp : {(std::uint16_t)0xFFFF, (std::uint16_t)ucQX04_InvokeId}) {
            const int t = QX04_BN_GETWERT(ucBuf, usProp, &ulWert);
            FZ_CHECK(t == -1 || t == 1 || t == 2 || t == 3 || t == 4 || t == 8 || t == 9 || t == 12);
            const char *c = QX04_BN_GETCHAR(ucBuf, usProp);
            FZ_CHECK(c == nullptr || std::strlen(c) <= 255);
        }
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
