// Checks every received frame: drops invalid frames and the scanner's own broadcasts, answers what other
// nodes ask of the scanner, learns device routes from I-Am, and tells the scan loop whether the frame answers
// its outstanding request (3), reports an error (-1000 - code) or a reject (-2000 - reason), or is a
// notification (2); -1 for everything else. A BVLC-Result is kept for the registration with a BBMD.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_MSGCHK";

// Endpoint text for the trace.
static const char *TEXT(const IP_PORT *stPort) {
    const char *c = IP_PORT2A(stPort);
    return c != nullptr ? c : "* NULL *";
}

// Simple-ACK, or the Error "service request denied" (class object, code 29), for a confirmed request.
static void ANTWORT(const IP_PORT *RPort, bool bError, unsigned char ucInvoke, unsigned char ucService) {
    unsigned char ucBuf[QX04_REPLY_APDU + 7];
    int iLen = QX04_REPLY_APDU + 3;
    if (bError) {
        iLen = QX04_BN_ERRPDU(ucBuf, ucInvoke, ucService, 0x01, 0x1D);
    } else {
        ucBuf[QX04_REPLY_APDU] = 0x20; // Simple-ACK
        ucBuf[QX04_REPLY_APDU + 1] = ucInvoke;
        ucBuf[QX04_REPLY_APDU + 2] = ucService;
    }
    QX04_BN_REPLY(RPort, ucBuf, iLen); // a failed send is reported by the transport
}

// A confirmed request addressed to the scanner.
static int CONFIRMED(const IP_PORT *RPort, const unsigned char *ucFrame, int a, const QX04_BN_ROUTE *pRoute) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    const int s = a + ((ucFrame[a] & 0x08) ? 5 : 3); // service choice behind sequence number and window
    if (s >= iLen) return QX04_MSG_ANDERE;           // no service named: nothing to answer
    const unsigned char ucInvoke = ucFrame[a + 2], ucService = ucFrame[s];
    if (ucService == 1 || ucService == 2) { // confirmed COV or event notification
        if (TEST_T_I || TEST_T_I1) {
            UT_TRC("\n\n", cRoutine, "Nach COV/EVENT (%u)   Port: >%s<\n      ROUTE : ", ucService,
                   TEXT(RPort));
            UT_TRC_CONT(">%s<", pRoute != nullptr ? TEXT(&pRoute->stPort) : "* NULL *");
            std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
        }
        ANTWORT(RPort, false, ucInvoke, ucService);
        return pRoute != nullptr ? QX04_MSG_MELDUNG : QX04_MSG_ANDERE;
    }
    if (ucService == QX04_SVC_READ_PROPERTY) {
        QX04_BN_MSGRPR(RPort, ucFrame);
        return QX04_MSG_ANDERE;
    }
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n\n", cRoutine, "Nach and. Service (%u)   Port: >%s<", ucService, TEXT(RPort));
    ANTWORT(RPort, true, ucInvoke, ucService);
    return QX04_MSG_ANDERE;
}

// Error PDU for the outstanding request: QX04_MSG_FEHLER - error code.
static int FEHLER(const unsigned char *ucFrame) {
    const unsigned char *ucEnd = ucFrame + QX04_BN_BVLCLEN(ucFrame);
    const int t = QX04_BN_POSTAG(ucFrame);
    if (t <= 0) return QX04_MSG_ANDERE;
    QX04_BN_TAG2L(ucFrame + t, 9, ucEnd); // error class: decoded for the trace, no part in the result
    std::uint32_t ulCode = QX04_BN_TAG2L(ucFrame + t + QX04_BN_TAGLEN(ucFrame + t, ucEnd), 9, ucEnd);
    // Codes are 16-bit enumerations; anything larger counts as undecodable, so that no code can turn the
    // result into one the loop reads as an acknowledgement or a notification.
    if (ulCode > 0xFFFF) ulCode = 0xFFFFFFFF;
    return ulCode == 0xFFFFFFFF ? QX04_MSG_FEHLER + 1 : QX04_MSG_FEHLER - (int)ulCode;
}

int QX04_BN_MSGCHK(const IP_PORT *RPort, const unsigned char *ucFrame) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", cRoutine, "Nach Aufruf  Port : >%s<  L\x84nge : %u\n>", TEXT(RPort), iLen & 0xFF);
        for (int i = 0; i < (iLen & 0xFF); i++)
            UT_TRC_CONT(" 0x%02X ", ucFrame[i]);
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    int ier = QX04_MSG_ANDERE;
    const int n = QX04_BN_POSNPDU(ucFrame);
    // Everything below concerns the node that sent the frame, which a BBMD's Forwarded-NPDU names itself.
    const IP_PORT stVon = QX04_BN_ABSENDER(RPort, ucFrame);
    if (n <= 0 || ucFrame[0] != 0x81) {
        UT_ERR_LOG(cRoutine, iLen, n, "unzul. BVLC");
    } else if (ucFrame[1] == 0x00) {
        // BVLC-Result: no NPDU; its code is for the registration with a BBMD
        if (iLen >= 6) {
            iQX04_BvlcErg = QX04_BN_BNS2S(ucFrame + 4);
            stQX04_BvlcVon = *RPort;
        }
    } else if (IP_CHK_HOST(stVon.ulAdr) != 0 && stVon.usPort == iQX04_IP_Port) {
        // the scanner's own broadcast come back
    } else if (n + 1 < iLen && (ucFrame[n + 1] & 0x80)) {
        QX04_BN_MSGNW(&stVon, ucFrame);
    } else {
        // Sender's route by its source address; a source specifier cut off by the frame's end leaves it
        // unknown (the APDU is then missing as well).
        std::uint16_t usNet = 0;
        unsigned char ucSlen = 0;
        const unsigned char *ucSadr = nullptr;
        const bool bQuelle = QX04_BN_QUELLE(ucFrame, &usNet, &ucSlen, &ucSadr);
        QX04_BN_ROUTE *pRoute =
            bQuelle ? QX04_BN_RT_FIND(0xFFFFFFFF, usNet, ucSlen, ucSadr, &stVon) : nullptr;
        const int a = QX04_BN_POSAPDU(ucFrame);
        if (a <= 0 || a >= iLen) {
            UT_ERR_LOG(cRoutine, iLen, a, "APDU zu kurz");
        } else {
            // An answer (acknowledgement, Error, Reject, Abort) confirms a route from the route file: the
            // scan has taken it for the device's request, so another address for the instance is named as a
            // duplicate instead of moving a route the scan no longer asks (even if the Error came from
            // another device now living at a stale address).
            if (pRoute != nullptr && (ucFrame[a] >> 4) >= 0x2 && (ucFrame[a] >> 4) <= 0x7)
                pRoute->ucBestaetigt = 1;
            switch (ucFrame[a] >> 4) {
            case 0x0:
                ier = CONFIRMED(&stVon, ucFrame, a, pRoute);
                break;
            case 0x1:
                if (ucFrame[a + 1] == 0)
                    QX04_BN_IAM(&stVon, ucFrame, a, usNet, ucSlen, ucSadr);
                else if (ucFrame[a + 1] == 2 || ucFrame[a + 1] == 3)
                    ier = QX04_MSG_MELDUNG; // unconfirmed COV or event notification
                break;
            case 0x2:
            case 0x3:
                if (ucFrame[a + 1] == ucQX04_InvokeId) ier = QX04_MSG_ACK;
                if (UT_TRC_IN())
                    UT_TRC("\n\n", cRoutine,
                           "Nach  ACK (%u==%u?"
                           "?)   ier : %d",
                           ucFrame[a + 1], ucQX04_InvokeId, ier);
                break;
            case 0x5:
                if (ucFrame[a + 1] == ucQX04_InvokeId) ier = FEHLER(ucFrame);
                break;
            case 0x6:
                // a reject cut off before its reason still refuses the request: reason 0 (other)
                if (ucFrame[a + 1] == ucQX04_InvokeId)
                    ier = QX04_MSG_REJECT - (a + 2 < iLen ? ucFrame[a + 2] : 0);
                break;
            default:
                break;
            }
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
    return ier;
}
