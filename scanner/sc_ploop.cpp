// The scan of several devices at once (-P2 and more). Each place runs the sequential scan's steps for its
// one device, with its own outstanding request, deadline and repetitions; the loop only shares out the
// datagrams and the places. A device that stays silent after its repetitions is given up, not the scan.
// The file is the sequential scan's: lines in table order with the sequential numbers.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc_par.h"

// Finished devices free their place; a run-out repetition timer repeats the outstanding request while
// repetitions are left, else the device is given up.
static void PLAETZE() {
    for (int i = 0; i < iSC_Parallel && stSC_Par.iErg == 0; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (!p.bBelegt) continue;
        if (SC_P_DEV_FERTIG(p)) {
            SC_P_FERTIG(i, false);
            continue;
        }
        switch (SC_FAELLIG(&p.stScan)) {
        case 1:
            SC_WIEDERHOL(&p.stScan);
            stSC_Par.ulRecvTmo = p.stScan.ulRecvTmo;
            break;
        case -1:
            SC_P_FERTIG(i, true);
            break;
        default:
            break;
        }
    }
}

static bool AKTIV() {
    for (int i = 0; i < iSC_Parallel; i++)
        if (stSC_Par.aPlatz[i].bBelegt) return true;
    return false;
}

int SC_P_LOOP() {
    SC_LOOP_BEGINN();
    SC_PAR_Struct &P = stSC_Par;
    P.iErg = 0;
    for (auto &p : P.aPlatz)
        p.bBelegt = false;
    P.dqHalt.clear();
    P.uKopf = 0;
    P.uZeile = 1;
    P.ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, 5);
    P.uGehalten = P.uSpitze = 0;
    P.vAufgegeben.clear();
    P.ucGezogen = ucQX04_InvokeId;

    SC_SCAN_Struct *apScan[SC_PLATZ_MAX];
    while (P.iErg == 0 && (AKTIV() || P.ulRecvTmo >= ulUT_LOOPZeit)) {
        const int iAnz = SC_P_ZUSTAENDE(apScan);
        bool bEtwas = SC_EMPF_ALLE(apScan, iAnz, false);
        for (int i = 0; i < iAnz; i++)
            if (apScan[i]->iErg != 0) P.iErg = apScan[i]->iErg;
        PLAETZE();
        if (P.iErg == 0) SC_P_START();
        for (int i = 0; i < iSC_Parallel && P.iErg == 0; i++)
            if (P.aPlatz[i].bBelegt && !SC_P_DEV_FERTIG(P.aPlatz[i]) && SC_P_ANFRAGE(i)) bEtwas = true;
        PLAETZE(); // a list that ended at its last array index ends its device without a reply
        SC_PASS_ENDE(bEtwas);
    }

    SC_P_ENDE();
    SC_LOOP_TRC(P.iErg, P.ulRecvTmo);
    return P.iErg;
}
