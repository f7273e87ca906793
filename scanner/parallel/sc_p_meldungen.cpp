// What routers said about their networks since the last pass (bacnet keeps the latest messages): a
// Router-Busy-To-Network holds the paths of the networks it names (all of the router's when it names none)
// until Router-Available-To-Network or 30 s; a Reject-Message-To-Network "router busy" holds its path for a
// second; "not a router to DNET" ends the devices of that path at once instead of after their repetitions.
// When a hold ends, the outstanding requests of the path go again.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace.h"
#include "scanner/parallel/sc_par.h"
#include "scanner/event/sc_ereignis.h"

static void HALTEN(int iPfad, bool bHalten, std::uint32_t ulDauer) {
    SC_PFAD_Struct &f = vSC_Pfad[iPfad];
    if (bHalten) {
        if (!f.bGehalten) stSC_Par.iGehalten++;
        f.bGehalten = true;
        f.ulHaltMs = UT_MSEK();
        f.ulHaltDauer = ulDauer;
        return;
    }
    if (!f.bGehalten) return;
    f.bGehalten = false;
    stSC_Par.iGehalten--;
    if (TEST_T_X) UT_TRC("\n\n", "SC_LOOP", "Pfad %s wieder frei", SC_PFAD_TEXT(iPfad));
    for (int i = 0; i < iSC_Parallel; i++) {
        const SC_PLATZ_Struct &p = stSC_Par.aPlatz[i];
        if (p.bBelegt && p.iPfad == iPfad && p.iNachzug != SC_NZ_WARTET &&
            p.stScan.stAnf.iWarten == SC_WARTET)
            SC_P_NOCHMAL(i);
    }
}

// One message for one path.
static void TUN(const QX04_NETZMELDUNG &m, int iPfad) {
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", "Netzmeldung %u (Grund %u) f\x81r Pfad %s", m.ucTyp, m.ucGrund,
               SC_PFAD_TEXT(iPfad));
    if (m.ucTyp == QX04_NL_AVAILABLE) return HALTEN(iPfad, false, 0);
    if (m.ucTyp == QX04_NL_REJECT && m.ucGrund == QX04_NL_REJ_KEIN_ROUTER) {
        vSC_Pfad[iPfad].bUnerreichbar = true;
        return;
    }
    if (m.ucTyp == QX04_NL_REJECT && m.ucGrund != QX04_NL_REJ_BESETZT) return;
    SC_PFAD_VERLUST(iPfad, m.ucTyp == QX04_NL_BUSY ? "Router-Busy" : "Reject: Router busy");
    HALTEN(iPfad, true, m.ucTyp == QX04_NL_BUSY ? SC_PACE_BESETZT_MS : SC_PACE_ABWEIS_MS);
}

void SC_P_MELDUNGEN() {
    SC_PAR_Struct &P = stSC_Par;
    if (ulQX04_NetzAnz - P.ulNetzGelesen > QX04_NETZ_MAX) P.ulNetzGelesen = ulQX04_NetzAnz - QX04_NETZ_MAX;
    for (; P.ulNetzGelesen != ulQX04_NetzAnz; P.ulNetzGelesen++) {
        const QX04_NETZMELDUNG m = stQX04_Netz[P.ulNetzGelesen % QX04_NETZ_MAX];
        const bool bAlle = m.iAnzNetze == 0 && m.ucTyp != QX04_NL_REJECT;
        SC_EREIGNIS_Struct e{};
        e.iArt = SC_EV_NETZ;
        e.stNetz = {m.stVon.ulAdr, m.stVon.usPort, m.ucTyp, m.ucGrund, m.ausNetz, m.iAnzNetze};
        SC_MELDEN(&e);
        for (int i = 0; i < static_cast<int>(vSC_Pfad.size()); i++) {
            const SC_PFAD_Struct &f = vSC_Pfad[i];
            if (f.stRouter.ulAdr != m.stVon.ulAdr || f.stRouter.usPort != m.stVon.usPort || f.usNetz == 0)
                continue;
            bool bGenannt = bAlle;
            for (int k = 0; k < m.iAnzNetze && !bGenannt; k++)
                bGenannt = m.ausNetz[k] == f.usNetz;
            if (bGenannt) TUN(m, i);
        }
    }
    for (int i = 0; P.iGehalten > 0 && i < static_cast<int>(vSC_Pfad.size()); i++) {
        const SC_PFAD_Struct &f = vSC_Pfad[i];
        if (f.bGehalten && UT_MSEK() - f.ulHaltMs >= f.ulHaltDauer) HALTEN(i, false, 0);
    }
}
