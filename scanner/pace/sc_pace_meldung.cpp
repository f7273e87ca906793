// A router message about its networks, for the paths through it that it names (all of the router's when a
// Busy or Available names none), or, without one, the holds that have run out. The places whose requests go
// again as a path is freed into aiPlatz: their number.
#include <algorithm>
#include "runtime/ut/ut.h"
#include "scanner/pace/sc_pace_intern.h"

// One message for one path.
static void TUN(const QX04_NETZMELDUNG &m, int iPfad, int *aiPlatz, int *piAnz) {
    if (TEST_T_X)
        UT_TRC("\n\n", "SC_LOOP", // the trace names the scan loop, whose pass paces the requests
               "Netzmeldung %u (Grund %u) f\x81r Pfad %s", m.ucTyp, m.ucGrund, SC_PFAD_TEXT(iPfad));
    if (m.ucTyp == QX04_NL_AVAILABLE) return SC_PACE_HALTEN(iPfad, false, 0, aiPlatz, piAnz);
    if (m.ucTyp == QX04_NL_REJECT && m.ucGrund == QX04_NL_REJ_KEIN_ROUTER) {
        vSC_Pfad[static_cast<std::size_t>(iPfad)].bUnerreichbar = true;
        return;
    }
    if (m.ucTyp == QX04_NL_REJECT && m.ucGrund != QX04_NL_REJ_BESETZT) return;
    // The budget in use was too much for the router: growing back into it would be refused again, and each
    // refusal holds the path, so it stays out of reach until the router has been quiet for a while.
    SC_PFAD_Struct &p = vSC_Pfad[static_cast<std::size_t>(iPfad)];
    p.iDecke = p.iBudget;
    p.ulDeckeMs = UT_MSEK();
    SC_PFAD_VERLUST(iPfad, m.ucTyp == QX04_NL_BUSY ? "Router-Busy" : "Reject: Router busy");
    const std::uint32_t ulAbweis = p.ulBasis8 == 0 ? SC_PACE_ABWEIS_MS
                                                   : std::clamp(SC_PACE_ABWEIS_N * ((p.ulBasis8 + 4) / 8),
                                                                SC_PACE_KORN_MS, SC_PACE_ABWEIS_MS);
    SC_PACE_HALTEN(iPfad, true, m.ucTyp == QX04_NL_BUSY ? SC_PACE_BESETZT_MS : ulAbweis, aiPlatz, piAnz);
    p.bAbweis = m.ucTyp == QX04_NL_REJECT;
}

int SC_PACE_MELDUNG(const QX04_NETZMELDUNG *pMeldung, int *aiPlatz) {
    int n = 0;
    if (pMeldung == nullptr) {
        for (std::size_t i = 0; iSC_Gehalten > 0 && i < vSC_Pfad.size(); i++) {
            const SC_PFAD_Struct &f = vSC_Pfad[i];
            if (f.bGehalten && UT_MSEK() - f.ulHaltMs >= f.ulHaltDauer)
                SC_PACE_HALTEN(static_cast<int>(i), false, 0, aiPlatz, &n);
        }
        return n;
    }
    const QX04_NETZMELDUNG &m = *pMeldung;
    const bool bAlle = m.iAnzNetze == 0 && m.ucTyp != QX04_NL_REJECT;
    for (std::size_t i = 0; i < vSC_Pfad.size(); i++) {
        const SC_PFAD_Struct &f = vSC_Pfad[i];
        if (f.stRouter.ulAdr != m.stVon.ulAdr || f.stRouter.usPort != m.stVon.usPort || f.usNetz == 0)
            continue;
        bool bGenannt = bAlle;
        for (int k = 0; k < m.iAnzNetze && !bGenannt; k++)
            bGenannt = m.ausNetz[k] == f.usNetz;
        if (bGenannt) TUN(m, static_cast<int>(i), aiPlatz, &n);
    }
    return n;
}
