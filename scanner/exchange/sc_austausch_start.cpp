// Start (and end) of a scan loop for the exchange: the states whose transactions share one invoke-id counter,
// and the counter from 0, so that the loop's first request carries invoke id 1; at the end no states.
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch_intern.h"

SC_SCAN_Struct *const *apSC_Ta = nullptr;
int iSC_TaAnz = 0;
unsigned char ucSC_Gezogen = 0;
std::uint32_t ulSC_RecvTmo = 0;

void SC_AUSTAUSCH_START(SC_SCAN_Struct *const *apScan, int iAnz) {
    apSC_Ta = apScan;
    iSC_TaAnz = apScan != nullptr ? iAnz : 0;
    if (apScan == nullptr) return; // the end: the id drawn last stays the message check's
    ucSC_Gezogen = 0;
    ulSC_RecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S);
}
