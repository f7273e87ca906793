// The path table of a parallel scan: what one scan learnt about a network says nothing about the next scan's.
#include "scanner/pace/sc_pace.h"

std::vector<SC_PFAD_Struct> vSC_Pfad;
std::unordered_map<std::uint64_t, int> mSC_Pfad;

void SC_PFADE_NEU() {
    vSC_Pfad.clear();
    mSC_Pfad.clear();
}
