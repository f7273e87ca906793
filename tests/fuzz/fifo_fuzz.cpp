// libFuzzer target for FIFO messages. Each input is the receive buffer size (1 byte, 0 included) and the
// bytes that stand in the FIFO; they are received with IPC_RECV message by message until nothing is waiting.
// What each receive took from the FIFO (its content before and after) must agree with the header it read: a
// body of at most the announced length and the buffer size, the code bytes of a command message, nothing of
// the next message. No receive waits.
#include <chrono>
#include <cstring>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>
#include "fuzz/fz.h"
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

static int iKanal = -1;

static int WARTEND(int iFd) {
    int n = 0;
    if (ioctl(iFd, FIONREAD, &n) != 0) std::abort();
    return n;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FZ_TEMP_DIR();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    IPC_INIT();
    iKanal = IPC_OPEN("fz.fifo", 0);
    if (iKanal < 0) std::abort();
    iIPC_WarteMs = 0; // every byte of an input is in the FIFO before the first receive
    return 0;
}

// One receive from the FIFO whose remaining content is ucRest (iRest bytes); the bytes it took.
static int EMPFANG(int iLen, const unsigned char *ucRest, int iRest, bool *bEnde) {
    const int iFd = APP_IPC[iKanal];
    std::vector<unsigned char> vBuf(
        (std::size_t)(iLen > 0 ? iLen : 1)); // exactly the size passed, on the heap
    int iCMD = 12345, iSCMD = 12345;
    const auto tVor = std::chrono::steady_clock::now();
    const int ier = IPC_RECV(iKanal, &iCMD, &iSCMD, iLen, vBuf.data());
    // Everything is in the FIFO already: a receive that waits (for a body that cannot come) is a fault, seen
    // here long before libFuzzer's time-out would end the input.
    FZ_CHECK(std::chrono::steady_clock::now() - tVor < std::chrono::seconds(2));
    const int iGenommen = iRest - WARTEND(iFd);
    FZ_CHECK(iGenommen >= 0 && ier <= iLen);
    *bEnde = iGenommen == 0;
    if (iLen < 1) {
        FZ_CHECK(ier == -4 && iGenommen == 0);
        return 0;
    }
    if (iRest == 0) {
        FZ_CHECK(ier == -1 && iCMD == 0);
        return 0;
    }
    if (iRest < (int)sizeof(IPC_HEADER)) {
        FZ_CHECK(ier == -10 && iGenommen == iRest);
        return iGenommen;
    }
    IPC_HEADER sKopf;
    std::memcpy(&sKopf, ucRest, sizeof sKopf);
    const unsigned char *ucBody = ucRest + sizeof sKopf;
    const int iBody = iRest - (int)sizeof sKopf; // body bytes in the FIFO
    const int iKopf = (int)sizeof sKopf;
    if (sKopf.iTyp == IPC_TYP_TSYNC || sKopf.iTyp == IPC_TYP_SYSTEM) {
        if (ier == -1) {
            FZ_CHECK(iGenommen == iKopf && (sKopf.iBodyLen <= 0 || iBody == 0));
        } else {
            FZ_CHECK(ier > 0 && ier <= sKopf.iBodyLen && ier <= iBody && iCMD == -sKopf.iTyp);
            FZ_CHECK(iGenommen == iKopf + ier && std::memcmp(vBuf.data(), ucBody, (std::size_t)ier) == 0);
        }
    } else if (sKopf.iTyp == IPC_TYP_CMD) {
        if (ier >= 0) {
            FZ_CHECK(ier == (long long)sKopf.iBodyLen - 2 && iGenommen == iKopf + 2 + ier);
            FZ_CHECK(iCMD == ucBody[0] && iSCMD == ucBody[1]);
            FZ_CHECK(std::memcmp(vBuf.data(), ucBody + 2, (std::size_t)ier) == 0);
        } else {
            const long long llMax = iKopf + (sKopf.iBodyLen > 2 ? (long long)sKopf.iBodyLen : 2);
            FZ_CHECK(ier == -10 && iGenommen >= iKopf && iGenommen <= llMax);
        }
    } else {
        FZ_CHECK(ier == -10 && iGenommen == iKopf); // the body of an unknown type stays
    }
    return iGenommen;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    if (uSize < 1) return 0;
    const int iLen = ucData[0];
    const unsigned char *ucInhalt = ucData + 1;
    const int iAnz = (int)uSize - 1;
    const int iFd = APP_IPC[iKanal];
    if (iAnz > 0 && write(iFd, ucInhalt, (std::size_t)iAnz) != iAnz) std::abort();
    int iPos = 0;
    bool bEnde = false;
    for (int i = 0; i <= iAnz && !bEnde; i++)
        iPos += EMPFANG(iLen, ucInhalt + iPos, iAnz - iPos, &bEnde);
    // what a faulty message left behind is not the next input's
    unsigned char ucRest[4096];
    while (WARTEND(iFd) > 0)
        if (read(iFd, ucRest, sizeof ucRest) <= 0) break;
    return 0;
}
