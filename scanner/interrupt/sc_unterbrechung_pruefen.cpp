// Installs the interrupt's handlers when a registered observer writes files at the scan's end. The handler
// only notes the signal: what the observers write is written by the scan's own pass. A signal the caller
// ignores (a background job, nohup) stays ignored.
#include <initializer_list>
#include "scanner/interrupt/sc_unterbrechung.h"

volatile std::sig_atomic_t iSC_Signal = 0;

static void MERKEN(int iSig) {
    iSC_Signal = iSig;
}

int SC_UNTERBRECHUNG_PRUEFEN(int, char **) {
    if (!SC_DATEIEN_BEOBACHTET()) return 0;
    iSC_Signal = 0;
    struct sigaction sa = {};
    sa.sa_handler = MERKEN;
    sigemptyset(&sa.sa_mask);
    for (const int iSig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction alt = {};
        if (sigaction(iSig, nullptr, &alt) == 0 && alt.sa_handler != SIG_IGN) sigaction(iSig, &sa, nullptr);
    }
    return 1;
}
