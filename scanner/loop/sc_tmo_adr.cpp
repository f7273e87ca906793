// Address text of a time-out verdict: the object's BACnet address with the property of the last request in
// place of the present value; "Device n" unchanged while an object-list element was awaited.
#include <cstring>
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"

const char *SC_TMO_ADR(SC_SCAN_Struct *stScan) {
    char *cAdr = stScan->stGang.stObj.cBnAdr;
    char *p = std::strchr(cAdr, '\'');
    if (p != nullptr)
        std::snprintf(p + 1, sizeof stScan->stGang.stObj.cBnAdr - static_cast<std::size_t>(p + 1 - cAdr),
                      "%05u", stScan->stGang.usPropId);
    return cAdr;
}
