// The pacing of a parallel scan starts afresh: what one scan learnt about a network says nothing about the
// next scan's.
#include "scanner/pace/sc_pace_intern.h"

std::vector<SC_PFAD_Struct> vSC_Pfad;
std::unordered_map<std::uint64_t, int> mSC_Pfad;
int iSC_Gehalten = 0;
int iSC_LetzterPfad = -1;
std::array<SC_PACE_PLATZ_Struct, SC_PARALLEL_MAX> astSC_PacePlatz;
int iSC_PacePlaetze = 0;

void SC_PACE_NEU() {
    vSC_Pfad.clear();
    mSC_Pfad.clear();
    iSC_Gehalten = 0;
    iSC_LetzterPfad = -1;
    astSC_PacePlatz.fill(SC_PACE_PLATZ_Struct{});
    iSC_PacePlaetze = 0;
}
