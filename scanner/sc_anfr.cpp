// Sends the next request for the device at the device index: the next object-list element when no object is
// in progress, otherwise the property the next scan step needs. One request is outstanding at a time.
#include <algorithm>
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// Property of the next request of the object in progress; sets the array index for a state text.
static std::uint16_t SC_PROPERTY(SC_SCAN_Struct *stScan, int *iArrIdx) {
    SC_OBJ_Struct *o = &stScan->stObj;
    switch (stScan->PROP_Modus) {
    case 1:
        return 77; // object-name
    case 2:
        return 28; // description
    case 3:
        return o->uDP_Type >= 3 ? 117 : 84; // units, polarity
    default:
        break;
    }
    if ((o->ulObjId >> 22) <= 5) { // two-state: inactive text, then active text
        o->NoState = 2;
        if (stScan->Index < 0) {
            stScan->Index = 0;
            return 46;
        }
        stScan->Index = 1;
        return 4;
    }
    if (stScan->Index < 0 && o->NoState < 0) return 74; // number-of-states
    // State text of slot j lies at array index j + 1: index 0 of a BACnet array is its size.
    stScan->Index++;
    *iArrIdx = stScan->Index + 1;
    return 110;
}

// A device that has answered twice: the next invoke id rests until a late copy of the answer it carried last
// time can no longer come, twice as long as the latest copy seen (at most SC_KOPIE_MAX_MS, well inside the
// deadline of the request answered last).
static bool RUHT(const SC_SCAN_Struct *stScan) {
    if (stScan->ulKopieMs == 0) return false;
    const std::uint32_t ulZuletzt = stScan->aulAntwortMs[static_cast<unsigned char>(ucQX04_InvokeId + 1)];
    const std::uint32_t ulRuhe = std::min<std::uint32_t>(2 * stScan->ulKopieMs + 20, SC_KOPIE_MAX_MS);
    return ulZuletzt != 0 && UT_MSEK() - ulZuletzt < ulRuhe;
}

bool SC_ANFRAGE(SC_SCAN_Struct *stScan) {
    if (stScan->iWarten != SC_BEREIT || !SC_DEV_AKTIV(stScan) || RUHT(stScan)) return false;
    SC_OBJ_Struct *o = &stScan->stObj;
    std::uint32_t ulDev = BN_ROUTE_QX04_Struct[stScan->uDevIdx].ulSDEV;
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    int iLen;
    if (stScan->PROP_Modus >= 0) {
        stScan->PROP_Modus++;
        if (TEST_T_O || TEST_T_O1) {
            UT_TRC("\n\n", cRoutine, "Vor PROP_Modus %d   Index : %d   NoState: %d", stScan->PROP_Modus,
                   stScan->Index, o->NoState);
            UT_TRC_CONT("\n   DP_Type : %u   OBJ_Type : %u", o->uDP_Type, (unsigned)(o->ulObjId >> 22));
        }
        int iArrIdx = -1;
        stScan->usPropId = SC_PROPERTY(stScan, &iArrIdx);
        if (iArrIdx < 0)
            iLen = QX04_BN_RD(ulDev, o->ulObjId, stScan->usPropId, &stZiel, QX04_SEND_Buf);
        else
            iLen = QX04_BN_RDARR(ulDev, o->ulObjId, stScan->usPropId, static_cast<std::uint16_t>(iArrIdx),
                                 &stZiel, QX04_SEND_Buf);
    } else {
        if (stScan->iObjIdx < 0) {
            stScan->iObjIdx = 0;
            stScan->aulAntwortMs.fill(0); // what another device answered twice says nothing about this one
            stScan->ulKopieMs = 0;
            stScan->stRto = SC_RTO_Struct{}; // answer times are learnt per device: see SC_RTO_Struct
            stScan->stRto.ulBeginnMs = UT_MSEK();
            std::printf("\r%s      Scannen von  Device : %lu                            ", UT_T_TIME(),
                        (unsigned long)ulDev);
            std::fflush(stdout);
        } else if (stScan->iObjIdx >= 0xFFFF) { // array indices have 16 bits: a list this long ends here
            SC_RTO_TRC(&stScan->stRto, ulDev);
            stScan->iObjIdx = -1;
            stScan->uDevIdx++;
            return false;
        } else {
            stScan->iObjIdx++;
        }
        stScan->PROP_Modus = 0;
        stScan->Index = -1;
        SC_OBJ_NEU(o, ulDev);
        stScan->usPropId = 76;
        iLen = QX04_BN_RDARR(ulDev, o->ulObjId, 76, static_cast<std::uint16_t>(stScan->iObjIdx), &stZiel,
                             QX04_SEND_Buf);
    }
    stScan->bUnbaubar = iLen <= 0;
    if (iLen <= 0) return false;
    IP_SEND(iQX04_IP_APP, &stZiel, IP_CMD_DATA, IP_SCMD_SEND, QX04_SEND_Buf[3], QX04_SEND_Buf);
    std::memcpy(stScan->ucAnfrage, QX04_SEND_Buf, iLen < QX04_BUF_SIZE ? iLen : QX04_BUF_SIZE);
    stScan->iAnfrageLen = QX04_SEND_Buf[3];
    stScan->stZiel = stZiel;
    stScan->ucInvoke = ucQX04_InvokeId;
    stScan->iVersuch = 0;
    stScan->ulVersuchMs = UT_MSEK();
    stScan->iWarten = SC_WARTET;
    stScan->ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
    stScan->ulAufgabe = UT_DT_ADD(ulUT_LOOPZeit, 0, 5 * static_cast<std::uint32_t>(iSC_Wiederhol + 1));
    return true;
}
