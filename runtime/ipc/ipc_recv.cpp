// Takes at most one message from a FIFO message channel, without waiting: a type-7/99 message gives its body,
// a command message (type 20) its command and subcommand bytes and its data.
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IPC_RECV";

int iIPC_WarteMs = 100;

// Whether body bytes are waiting or arrive within iIPC_WarteMs. The channel holds the FIFO's write end
// itself, so a plain read of a body that never comes (a sender that ended between header and body, bytes that
// only look like a header) would wait for ever.
static bool IPC_BODY_DA(int iFd) {
    struct pollfd sPoll = {iFd, POLLIN, 0};
    return poll(&sPoll, 1, iIPC_WarteMs) > 0 && (sPoll.revents & POLLIN) != 0;
}

static bool IPC_TRC_RECV() {
    return TEST_T_A || TEST_T_I || TEST_T_I1;
}

// Body of a type-7 or type-99 message, read only up to its announced length so that the next message's
// header stays in the FIFO: the byte count, or -1 when the body is empty.
static int IPC_RECV_DATEN(int iFd, const IPC_HEADER &sKopf, int *iCMD, int iLen, unsigned char *ucBuf) {
    int iMax = sKopf.iBodyLen < iLen ? sKopf.iBodyLen : iLen;
    ssize_t n = iMax > 0 && IPC_BODY_DA(iFd) ? read(iFd, ucBuf, static_cast<std::size_t>(iMax)) : 0;
    if (IPC_TRC_RECV())
        UT_TRC("\n\n", cRoutine, "Nach READ-%s_BODY   iier : %d   Msg : >%.*s<",
               sKopf.iTyp == IPC_TYP_TSYNC ? "TSYNC" : "SYSTEM", static_cast<int>(n),
               n > 0 ? static_cast<int>(n) : 0, reinterpret_cast<const char *>(ucBuf));
    if (n <= 0) return -1;
    *iCMD = -sKopf.iTyp;
    return static_cast<int>(n);
}

// Command message: the two code bytes, then the data if it fits into the buffer.
static int IPC_RECV_CMD(int iFd, const IPC_HEADER &sKopf, int *iCMD, int *iSCMD, int iLen,
                        unsigned char *ucBuf) {
    // Fewer than the two code bytes announced: taking them would eat into the next message.
    if (sKopf.iBodyLen < 2) {
        UT_ERR_LOG(cRoutine, -10, sKopf.iBodyLen, "BodyLen");
        return -10;
    }
    unsigned char ucCode[2];
    ssize_t n = IPC_BODY_DA(iFd) ? read(iFd, ucCode, 2) : 0;
    if (n != 2) {
        UT_ERR_LOG(cRoutine, -10, sKopf.iTyp, "IPC_TYPE");
        return -10;
    }
    *iCMD = ucCode[0];
    *iSCMD = ucCode[1];
    if (IPC_TRC_RECV())
        UT_TRC("\n\n", cRoutine, "Nach READ-CMD/SCMD   iier : %d   CMD : 0x%02X   SCMD : 0x%02X",
               static_cast<int>(n), static_cast<unsigned>(*iCMD), static_cast<unsigned>(*iSCMD));
    int iDaten = sKopf.iBodyLen - 2;
    if (iDaten > iLen) {
        UT_ERR_LOG(cRoutine, -10, sKopf.iBodyLen, "BodyLen");
        return -10;
    }
    errno = ETIMEDOUT; // reported when the data does not come
    n = iDaten > 0 && IPC_BODY_DA(iFd) ? read(iFd, ucBuf, static_cast<std::size_t>(iDaten)) : 0;
    if (IPC_TRC_RECV())
        UT_TRC("\n\n", cRoutine, "Nach READ-CMD/SCMD   iier : %d   CI : >%.*s<", static_cast<int>(n),
               n > 0 ? static_cast<int>(n) : 0, reinterpret_cast<const char *>(ucBuf));
    if (n == iDaten) return iDaten;
    iIPC_Error = errno;
    UT_ERR_LOG(cRoutine, -10, iIPC_Error, "IPC_MESSAGE");
    return -10;
}

static int IPC_RECV_MSG(int iIndex, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf) {
    if (iIndex < 0 || iIndex >= IPC_APP_MAX) return -2;
    if (APP_IPC[iIndex] < 0) return -3;
    if (iLen < 1) return -4;
    if (ucBuf == nullptr) return -5;

    int iFd = APP_IPC[iIndex];
    struct pollfd sPoll = {iFd, POLLIN, 0};
    if (poll(&sPoll, 1, 0) <= 0 || (sPoll.revents & POLLIN) == 0) return -1;

    IPC_HEADER sKopf;
    ssize_t n = read(iFd, &sKopf, sizeof sKopf);
    if (n != static_cast<ssize_t>(sizeof sKopf)) {
        iIPC_Error = errno;
        UT_ERR_LOG(cRoutine, -10, iIPC_Error, "IPC_HEADER");
        return -10;
    }
    if (IPC_TRC_RECV())
        UT_TRC("\n\n", cRoutine, "Nach READ-HEADER   iier : %d   PID : %d   Typ : %d   Len : %d",
               static_cast<int>(n), sKopf.iPID, sKopf.iTyp, sKopf.iBodyLen);
    if (sKopf.iTyp == IPC_TYP_TSYNC || sKopf.iTyp == IPC_TYP_SYSTEM)
        return IPC_RECV_DATEN(iFd, sKopf, iCMD, iLen, ucBuf);
    if (sKopf.iTyp == IPC_TYP_CMD) return IPC_RECV_CMD(iFd, sKopf, iCMD, iSCMD, iLen, ucBuf);
    // The body of an unknown message stays in the FIFO.
    iIPC_Error = errno;
    UT_ERR_LOG(cRoutine, -10, iIPC_Error, "IPC_TYPE");
    return -10;
}

int IPC_RECV(int iIndex, int *iCMD, int *iSCMD, int iLen, unsigned char *ucBuf) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf    iIndex : %d   iLen : %d", iIndex, iLen);
    int iDummyCMD = 0, iDummySCMD = 0;
    if (iCMD == nullptr) iCMD = &iDummyCMD;
    if (iSCMD == nullptr) iSCMD = &iDummySCMD;
    *iCMD = 0;
    iIPC_Error = 0;
    int ier = IPC_RECV_MSG(iIndex, iCMD, iSCMD, iLen, ucBuf);
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN    ier : %d", ier);
    return ier;
}
