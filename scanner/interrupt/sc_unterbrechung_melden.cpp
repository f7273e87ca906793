// After an interrupt, at the next event: the observers are told the scan's end, marked with the signal, and
// write what was read; then the signal's default action ends the process, with the status it gives. An
// interrupt after the end was told ends the process as soon as the files are written.
#include <cstdio>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "scanner/interrupt/sc_unterbrechung.h"

int SC_UNTERBRECHUNG_MELDEN(const SC_EREIGNIS_Struct *stE) {
    static bool bEnde = false; // the end was told: by the scan, or here
    const int iSig = iSC_Signal;
    if (stE->iArt == SC_EV_SCAN_ENDE) bEnde = true;
    if (iSig == 0 || (bEnde && stE->iArt != SC_EV_SCAN_ENDE)) return 0;
    if (!bEnde) {
        bEnde = true;
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_SCAN_ENDE;
        e.iSignal = iSig;
        SC_MELDEN(&e);
    }
    std::fflush(stdout);
    UT_T_CLOSE();
    std::signal(iSig, SIG_DFL);
    std::raise(iSig);
    _exit(128 + iSig); // the signal is blocked: its status all the same
}
