// After an interrupt, at the next event: the observers are told the scan's end, marked with the signal, and
// write what was read; then the signal's default action ends the process, with the status it gives. At the
// scan's end the signals act as before again: the files are written by then, this observer being told last.
#include <cstdio>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "scanner/interrupt/sc_unterbrechung.h"

int SC_UNTERBRECHUNG_MELDEN(const SC_EREIGNIS_Struct *stE) {
    if (stE->iArt == SC_EV_SCAN_ENDE)
        for (std::size_t i = 0; i < aiSC_SIGNALE.size(); i++)
            sigaction(aiSC_SIGNALE[i], &astSC_SignalAlt[i], nullptr);
    const int iSig = iSC_Signal;
    if (iSig == 0) return 0;
    if (stE->iArt != SC_EV_SCAN_ENDE) {
        std::printf("\n\n***  Unterbrechung durch Signal %d : das Gelesene wird geschrieben  ***", iSig);
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_SCAN_ENDE;
        e.iSignal = iSig;
        SC_MELDEN(&e); // told last, this observer ends the process there
    }
    std::fflush(stdout);
    UT_T_CLOSE();
    std::signal(iSig, SIG_DFL);
    std::raise(iSig);
    _exit(128 + iSig); // the signal is blocked: its status all the same
}
