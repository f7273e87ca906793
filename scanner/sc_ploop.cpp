// The scan of several devices at once (-P2 and more). Each place runs the sequential scan's steps for its
// one device, with its own outstanding request, deadline and repetitions; the loop only shares out the
// datagrams and the places. A device that stays silent after its repetitions is given up, not the scan.
// The file is the sequential scan's: lines in table order with the sequential numbers.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static const char cRoutine[] = "SC_LOOP";

// Outstanding requests whose deadline passed: sent again while repetitions are left, else the device is
// given up. Finished devices free their place.
static void PLAETZE() {
    for (int i = 0; i < iSC_Parallel && stSC_Par.iErg == 0; i++) {
        SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (!p.bBelegt) continue;
        SC_SCAN_Struct &s = p.stScan;
        if (s.uDevIdx != p.uDev) {
            SC_P_FERTIG(i, false);
        } else if (s.iWarten == SC_WARTET && s.ulRecvTmo < ulUT_LOOPZeit) {
            if (SC_WIEDERHOL(&s))
                stSC_Par.ulRecvTmo = s.ulRecvTmo;
            else
                SC_P_FERTIG(i, true);
        }
    }
}

static bool AKTIV() {
    for (int i = 0; i < iSC_Parallel; i++)
        if (stSC_Par.aPlatz[i].bBelegt) return true;
    return false;
}

int SC_P_LOOP() {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    UT_LOOPTIME();
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
    std::printf("\n\n\n%s      Warten auf 'I-Am'", UT_T_TIME());
    std::fflush(stdout);

    while (P.iErg == 0 && (AKTIV() || P.ulRecvTmo >= ulUT_LOOPZeit)) {
        bool bEtwas = false;
        for (int i = 0; i < SC_EMPF_MAX && P.iErg == 0 && SC_P_EMPFANG(); i++)
            bEtwas = true;
        PLAETZE();
        if (P.iErg == 0) SC_P_START();
        for (int i = 0; i < iSC_Parallel && P.iErg == 0; i++)
            if (P.aPlatz[i].bBelegt && P.aPlatz[i].stScan.uDevIdx == P.aPlatz[i].uDev && SC_P_ANFRAGE(i))
                bEtwas = true;
        PLAETZE(); // a list that ended at its last array index ends its device without a reply
        SC_BBMD_PFLEGE();
        if (!bEtwas) IP_WAIT(iQX04_IP_APP, SC_WARTE_MS);
        UT_LOOPTIME();
    }

    SC_P_ENDE();
    SC_LOOP_TRC(P.iErg, P.ulRecvTmo);
    return P.iErg;
}
