// One pass of the parallel scan: every waiting datagram for the places, whose answers tell the pacing; the
// router messages; devices finished and started; then each place's step, as its pacing lets it.
#include "scanner/parallel/sc_par.h"

// The scan states of the occupied places into apScan: their number.
static int ZUSTAENDE(SC_SCAN_Struct *apScan[SC_PARALLEL_MAX]) {
    int n = 0;
    for (int i = 0; i < iSC_Parallel && i < SC_PARALLEL_MAX; i++)
        if (stSC_Par.aPlatz[i].bBelegt) apScan[n++] = &stSC_Par.aPlatz[i].stScan;
    return n;
}

// Places whose device's object list has ended are freed.
static void FERTIGE() {
    for (int i = 0; i < iSC_Parallel && stSC_Par.iErg == 0; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt && p.stScan.stGang.uDevIdx != p.uDev) SC_P_FERTIG(i, false);
    }
}

bool SC_P_DURCHLAUF() {
    static SC_TA_ANTWORTEN_Struct stAntworten;
    SC_PAR_Struct &P = stSC_Par;
    SC_SCAN_Struct *apScan[SC_PARALLEL_MAX];
    const int iAnz = ZUSTAENDE(apScan);
    bool bEtwas = SC_EMPF_ALLE(apScan, iAnz, false, &stAntworten);
    for (int i = 0; i < iAnz; i++)
        if (apScan[i]->stGang.iErg != 0) P.iErg = apScan[i]->stGang.iErg;
    for (int k = 0; k < stAntworten.iAnz; k++) {
        const SC_TA_EREIGNIS_Struct &e = stAntworten.a[static_cast<std::size_t>(k)];
        for (int i = 0; i < iSC_Parallel; i++)
            if (&P.aPlatz[i].stScan == e.pScan) SC_P_EREIGNIS(i, e);
    }
    SC_P_MELDUNGEN();
    FERTIGE();
    if (P.iErg == 0) SC_P_START();
    for (int i = 0; i < iSC_Parallel && P.iErg == 0; i++)
        if (P.aPlatz[i].bBelegt && P.aPlatz[i].stScan.stGang.uDevIdx == P.aPlatz[i].uDev)
            bEtwas = SC_P_SCHRITT(i) || bEtwas;
    FERTIGE(); // a list that ended at its last array index ends its device without a reply
    return bEtwas;
}
