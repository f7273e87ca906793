// A try of a place's request went unanswered until its timer ran out: a loss on its path.
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_VERLOREN(int iPlatz, bool bZurueck) {
    SC_PACE_PLATZ_Struct &p = astSC_PacePlatz[static_cast<std::size_t>(iPlatz)];
    SC_PFAD_VERLUST(p.iPfad, "ohne Antwort");
    if (bZurueck) p.bOffen = false;
}
