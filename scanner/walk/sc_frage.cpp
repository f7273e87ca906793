// What the next step of the object in progress asks, without taking it: so that a step whose answer is not
// in a ReadPropertyMultiple answer is left for the ReadProperty that asks it.
#include "scanner/walk/sc_scan.h"

std::uint16_t SC_FRAGE(const SC_GANG_Struct *stGang, int *iArrIdx) {
    *iArrIdx = -1;
    const SC_FRAGE_Struct *f = SC_FRAGE_ZEILE(stGang);
    if (f == nullptr) return 0;
    // State text of slot j lies at array index j + 1: index 0 of a BACnet array is its size.
    if (f->cSlot == SC_SLOT_WEITER) *iArrIdx = stGang->iStateSlot + 2;
    return f->usProp;
}
