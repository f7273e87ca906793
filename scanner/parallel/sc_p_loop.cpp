// The scan of several devices at once (-P2 and more). Each place runs the sequential scan's steps for its one
// device, with its own outstanding request, deadline and repetitions; the loop shares out the datagrams and
// the places, and paces the requests by path (scanner/pace). A device that stays silent after its repetitions
// is given up, not the scan. The file is the sequential scan's: lines in table order with the sequential
// numbers.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"

SC_PAR_Struct stSC_Par;

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

// The pass condition: no write failed, and a device is in progress or the deadline has not passed.
static bool WEITER() {
    if (stSC_Par.iErg != 0) return false;
    for (int i = 0; i < iSC_Parallel; i++)
        if (stSC_Par.aPlatz[i].bBelegt) return true;
    // A known device not yet finished waits for its path (held by its router, or full) and comes.
    const std::uint32_t k = stSC_Par.uKopf;
    return stSC_Par.ulRecvTmo >= ulUT_LOOPZeit ||
           (k < uQX04_Anz_Dev && BN_ROUTE_QX04_Struct[k].ulSDEV != 0xFFFFFFFF);
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
    P.ulRecvTmo = UT_DT_ADD(ulUT_LOOPZeit, 0, SC_DEADLINE_S);
    P.uGehalten = P.uSpitze = 0;
    P.vAufgegeben.clear();
    P.ucGezogen = ucQX04_InvokeId;
    P.ulNetzGelesen = ulQX04_NetzAnz; // what routers said during the Who-Is concerns no request
    P.iGehalten = 0;
    P.iLetzterPfad = -1;
    SC_PFADE_NEU();

    SC_SCAN_Struct *apScan[SC_PARALLEL_MAX];
    while (WEITER()) {
        const int iAnz = ZUSTAENDE(apScan);
        bool bEtwas = SC_EMPF_ALLE(apScan, iAnz, false);
        for (int i = 0; i < iAnz; i++)
            if (apScan[i]->stGang.iErg != 0) P.iErg = apScan[i]->stGang.iErg;
        SC_P_ANTWORTEN();
        SC_P_MELDUNGEN();
        FERTIGE();
        if (P.iErg == 0) SC_P_START();
        for (int i = 0; i < iSC_Parallel && P.iErg == 0; i++) {
            if (!P.aPlatz[i].bBelegt || P.aPlatz[i].stScan.stGang.uDevIdx != P.aPlatz[i].uDev) continue;
            const int t = SC_P_TAKT(i);
            if (t == SC_TK_AUFGEBEN) SC_P_FERTIG(i, true);
            if (t != SC_TK_SCHRITT) continue;
            const int r = SC_P_AUSTAUSCH(i);
            bEtwas = bEtwas || r == SC_GESENDET;
            if (r == SC_AUFGEGEBEN && !SC_P_NACHZUG(i)) SC_P_FERTIG(i, true);
        }
        FERTIGE(); // a list that ended at its last array index ends its device without a reply
        SC_BBMD_PFLEGE();
        SC_LEERLAUF(bEtwas);
        UT_LOOPTIME();
    }

    P.iErg = SC_P_ENDE();
    SC_LOOP_TRC(P.iErg, P.ulRecvTmo);
    return P.iErg;
}
