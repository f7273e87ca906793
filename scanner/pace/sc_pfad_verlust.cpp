// A request of a path went unanswered, or its router is busy: the surest sign that the path is full, so
// its budget is halved at once, as TCP halves its window on a loss.
#include "scanner/pace/sc_pace_intern.h"

void SC_PFAD_VERLUST(int iPfad, const char *cWarum) {
    SC_PFAD_Struct &p = vSC_Pfad[iPfad];
    p.bVerlust = true;
    SC_PFAD_BUDGET(iPfad, p.iBudget > 1 ? p.iBudget / 2 : 1, 0, cWarum);
}
