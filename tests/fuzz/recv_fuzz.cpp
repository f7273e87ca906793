// libFuzzer target for the receive side of the BACnet layer. Each input is a sender endpoint (address and
// port, 6 bytes), the invoke id of the outstanding request (1 byte) and a datagram as IP_RECV would deliver
// it. The datagram goes through the receive guard, the frame trace and the message check with every trace
// switch on, then through the value decoders and, at every offset, the tag functions. The bytes of the
// receive buffer behind the datagram are poisoned, so that AddressSanitizer reports any read of bytes that
// did not arrive. Answers the message check sends go out on the loopback of the private network namespace
// the harness runs this in.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sanitizer/asan_interface.h>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "support/netns_guard.h"

static QX04_BN_ROUTE tabelle[8192];
static int iAnz; // inputs since the route table was last cleared

static void TABELLE_LEER() {
    for (auto &r : tabelle) {
        r = QX04_BN_ROUTE{};
        r.ulSDEV = 0xFFFFFFFF;
        r.usSNET = 0xFFFF;
    }
    iAnz = 0;
}

static void SCHALTER(unsigned char uc) {
    TEST_T_A = TEST_T_A1 = TEST_T_A2 = TEST_T_A3 = TEST_T_A4 = uc;
    TEST_T_I = TEST_T_I1 = TEST_T_O = TEST_T_O1 = uc;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    setenv("HOST", "127.0.0.1", 1); // own addresses without any lookup
    setenv("TZ", "UTC", 1);
    tzset();
    TEST_T_fpout = std::fopen("/dev/null", "w");
    BN_ROUTE_QX04_Struct = tabelle;
    TABELLE_LEER();
    IP_INIT();
    iQX04_IP_APP = IP_OPEN(1, iQX04_IP_Port, nullptr);
    if (iQX04_IP_APP < 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 7) return 0;
    IP_PORT stSender{(std::uint32_t)ucData[0] << 24 | (std::uint32_t)ucData[1] << 16 | ucData[2] << 8 |
                         ucData[3],
                     (std::uint16_t)(ucData[4] << 8 | ucData[5])};
    ucQX04_InvokeId = ucData[6];
    ucData += 7;
    uSize -= 7;
    const int iLen = (int)(uSize < (std::size_t)QX04_BUF_SIZE ? uSize : QX04_BUF_SIZE); // cut as IP_RECV does
    if (++iAnz > 20000) TABELLE_LEER(); // keep inputs from depending on a long history

    std::memcpy(QX04_RECV_Buf, ucData, (std::size_t)iLen);
    ASAN_POISON_MEMORY_REGION(QX04_RECV_Buf + iLen, QX04_BUF_SIZE - iLen);
    SCHALTER(1);
    if (QX04_BN_RXCHK(QX04_RECV_Buf, iLen) == 0) {
        QX04_T_BN(&stSender, QX04_RECV_Buf);
        QX04_BN_MSGCHK(&stSender, QX04_RECV_Buf);
        std::uint32_t ulWert;
        QX04_BN_GETWERT(QX04_RECV_Buf, 0xFFFF, &ulWert);
        QX04_BN_GETWERT(QX04_RECV_Buf, ucQX04_InvokeId, &ulWert);
        QX04_BN_GETCHAR(QX04_RECV_Buf, 0xFFFF);
        QX04_BN_GETCHAR(QX04_RECV_Buf, ucQX04_InvokeId);
        SCHALTER(0); // the sweep below runs often: without trace, for speed
        QX04_BN_POSTAG(QX04_RECV_Buf);
        const unsigned char *ucEnd = QX04_RECV_Buf + QX04_BN_BVLCLEN(QX04_RECV_Buf);
        for (const unsigned char *p = QX04_RECV_Buf + 4; p < ucEnd; p++) {
            QX04_BN_TAGNUM(p);
            QX04_BN_TAGLEN(p, ucEnd);
            QX04_BN_TAG2L(p, (p - QX04_RECV_Buf) % 14 - 1, ucEnd);
            QX04_BN_TAG2C(p, 7, ucEnd);
        }
    }
    ASAN_UNPOISON_MEMORY_REGION(QX04_RECV_Buf + iLen, QX04_BUF_SIZE - iLen);
    return 0;
}
