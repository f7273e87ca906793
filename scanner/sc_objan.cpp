// Start of the next object-list element of the device at the device index: the device's first element when
// it is not started yet, else the one after the last. The record stands for the device object until the
// element arrives.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

bool SC_OBJ_ANFANG(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    if (stScan->iObjIdx < 0) {
        stScan->iObjIdx = 0;
        stScan->aulAntwortMs.fill(0); // what another device answered twice says nothing about this one
        stScan->ulKopieMs = 0;
        stScan->stRto = SC_RTO_Struct{}; // answer times are learnt per device: see SC_RTO_Struct
        stScan->stRto.ulBeginnMs = UT_MSEK();
        SC_RPM_NEU(stScan);
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
    SC_OBJ_NEU(&stScan->stObj, ulDev);
    stScan->usPropId = 76;
    stScan->stRpm.bObjRP = false;
    return true;
}
