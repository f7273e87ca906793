// A place's outstanding request goes again as a first try, with its invoke id, fresh repetitions and a
// fresh deadline: after its path was held by the router, or when a device is retried alone on its path.
#include <cstring>
#include "bacnet/bn.h"
#include "scanner/parallel/sc_par.h"

void SC_P_NOCHMAL(int iPlatz) {
    SC_ANFRAGE_Struct &a = stSC_Par.aPlatz[iPlatz].stScan.stAnf;
    if (a.iLen <= 0) return;
    std::memcpy(QX04_SEND_Buf, a.ucFrame, static_cast<std::size_t>(a.iLen));
    const unsigned char ucGezogen = ucQX04_InvokeId;
    const IP_PORT stZiel = a.stZiel;
    ucQX04_InvokeId = a.ucInvoke;
    SC_ANFRAGE_SENDEN(&a, a.iLen, &stZiel, a.iArt, a.iAnz);
    ucQX04_InvokeId = ucGezogen;
    SC_P_GESENDET(iPlatz);
}
