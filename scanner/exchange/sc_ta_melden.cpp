// What happened to a transaction, told to the observers: a request sent, its answer, a repetition, its
// give-up, with the object and step it was for. Nothing is built while nobody observes.
#include "runtime/ut/ut.h"
#include "scanner/event/sc_ereignis.h"
#include "scanner/exchange/sc_austausch_intern.h"
#include "scanner/walk/sc_scan.h"

void SC_TA_MELDEN(const SC_SCAN_Struct *stScan, int iArt, std::uint32_t ulDauerMs) {
    if (!SC_BEOBACHTET()) return;
    const SC_TRANSAKTION_Struct &a = stScan->stAnf;
    SC_EREIGNIS_Struct e = SC_GANG_EREIGNIS(iArt, &stScan->stGang);
    if (stScan->stGang.PROP_Modus == 0) e.iIndex = stScan->stGang.iObjIdx;
    e.stAnfrage = {a.ucInvoke, a.iDienst, a.iVersuch, a.ulErstMs,
                   iArt == SC_EV_ANTWORT ? ulDauerMs : UT_MSEK() - a.ulErstMs};
    SC_MELDEN(&e);
}
