// Builds the ReadProperty of the walk's object and property (an array element for iArrIdx >= 0) and sends it
// as the outstanding request. A request the layer cannot build (the device has no route) sends nothing.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_RP_ANFRAGE(SC_SCAN_Struct *stScan, std::uint32_t ulDev, int iArrIdx) {
    const SC_GANG_Struct &g = stScan->stGang;
    IP_PORT stZiel = {0xFFFFFFFF, 0};
    const int iLen = iArrIdx < 0 ? QX04_BN_RD(ulDev, g.stObj.ulObjId, g.usPropId, &stZiel, QX04_SEND_Buf)
                                 : QX04_BN_RDARR(ulDev, g.stObj.ulObjId, g.usPropId,
                                                 static_cast<std::uint16_t>(iArrIdx), &stZiel, QX04_SEND_Buf);
    return SC_ANFRAGE_SENDEN(&stScan->stAnf, iLen, &stZiel, SC_DIENST_RP, 1);
}
