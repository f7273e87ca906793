// Writes one message (header, then body) to a FIFO message channel.
#include <cerrno>
#include <climits>
#include <cstring>
#include <unistd.h>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IPC_SEND";

static void IPC_SEND_TRC(int iIndex, int iPID, int iCMD, int iSCMD, int iAnzahl,
                         const unsigned char *ucData) {
    UT_TRC("\n\n", cRoutine, "Nach Aufruf    iIndex : %d", iIndex);
    UT_TRC_CONT("\n          iPID : %d", iPID);
    UT_TRC_CONT("\n          iCMD : 0x%02x", static_cast<unsigned>(iCMD));
    UT_TRC_CONT("\n         iSCMD : 0x%02x", static_cast<unsigned>(iSCMD));
    if (iAnzahl > 0 && ucData != nullptr) {
        UT_TRC_CONT("\n\n  MESSAGE:   Anzahl : %d Byte", iAnzahl);
        for (int i = 0; i < iAnzahl; i++)
            UT_TRC_CONT("\n                  Byte[%03d] : 0x%02x", i, ucData[i]);
    }
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}

// Writes all of n bytes: false (iIPC_Error set, logged) when fewer got into the FIFO.
static bool IPC_SCHREIBEN(int iFd, const void *pDaten, std::size_t n) {
    if (n == 0) return true;
    ssize_t iGeschrieben = write(iFd, pDaten, n);
    if (iGeschrieben >= 0 && static_cast<std::size_t>(iGeschrieben) == n) return true;
    iIPC_Error = errno;
    UT_ERR_LOG(cRoutine, -1, iIPC_Error, "WRITE");
    return false;
}

int IPC_SEND(int iIndex, int iPID, int iCMD, int iSCMD, int iAnzahl, const unsigned char *ucData) {
    if (UT_TRC_IN()) IPC_SEND_TRC(iIndex, iPID, iCMD, iSCMD, iAnzahl, ucData);
    iIPC_Error = 0;
    int ier = 0;
    unsigned char ucBody[80];
    IPC_HEADER sKopf = {iPID, IPC_TYP_CMD, 0};
    const unsigned char *ucInhalt = ucBody;
    if (iIndex < 0 || iIndex >= IPC_APP_MAX) {
        ier = -2;
    } else if (APP_IPC[iIndex] < 0) {
        ier = -3;
    } else if (iAnzahl < 0 || (iAnzahl > 0 && ucData == nullptr) || iCMD == INT_MIN ||
               (iCMD >= 0 &&
                (iAnzahl > iIPC_CmdBufLen - 2 || iAnzahl > static_cast<int>(sizeof ucBody) - 2))) {
        // A command message is put together in the program's fixed body buffer.
        ier = -4;
    } else if (iCMD < 0) {
        sKopf = {iPID, -iCMD, iAnzahl};
        ucInhalt = ucData;
    } else {
        sKopf.iBodyLen = iAnzahl + 2;
        ucBody[0] = static_cast<unsigned char>(iCMD);
        ucBody[1] = static_cast<unsigned char>(iSCMD);
        if (iAnzahl > 0) std::memcpy(ucBody + 2, ucData, static_cast<std::size_t>(iAnzahl));
    }
    // A header without its body would make the reader take the next message's bytes as this body.
    if (ier == 0 && (!IPC_SCHREIBEN(APP_IPC[iIndex], &sKopf, sizeof sKopf) ||
                     !IPC_SCHREIBEN(APP_IPC[iIndex], ucInhalt, static_cast<std::size_t>(sKopf.iBodyLen))))
        ier = -1;
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN    ier : %d", ier);
    return ier;
}
