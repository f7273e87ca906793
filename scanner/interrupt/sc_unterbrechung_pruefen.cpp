// Installs the interrupt's handlers when a registered observer writes files at the scan's end. The handler
// only notes the signal: what the observers write is written by the scan's own pass. A signal the caller
// ignores (a background job, nohup) stays ignored.
#include "scanner/interrupt/sc_unterbrechung.h"

volatile std::sig_atomic_t iSC_Signal = 0;
std::array<struct sigaction, aiSC_SIGNALE.size()> astSC_SignalAlt;

static void MERKEN(int iSig) {
    iSC_Signal = iSig;
}

int SC_UNTERBRECHUNG_PRUEFEN(int, char **) {
    if (!SC_DATEIEN_BEOBACHTET()) return 0;
    iSC_Signal = 0;
    struct sigaction sa = {};
    sa.sa_handler = MERKEN;
    sigemptyset(&sa.sa_mask);
    for (std::size_t i = 0; i < aiSC_SIGNALE.size(); i++) {
        struct sigaction &alt = astSC_SignalAlt[i];
        if (sigaction(aiSC_SIGNALE[i], nullptr, &alt) == 0 && alt.sa_handler != SIG_IGN)
            sigaction(aiSC_SIGNALE[i], &sa, nullptr);
    }
    return 1;
}
