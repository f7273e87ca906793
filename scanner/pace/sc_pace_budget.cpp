// What a router network takes at once, for others that send into it (the discovery's Who-Is of -N): the
// budget its path has learnt, or the start value of a path, one, while nothing is known of it.
#include "scanner/pace/sc_pace_intern.h"

int SC_PACE_BUDGET(const IP_PORT *stRouter, std::uint16_t usNetz) {
    const int i = SC_PFAD_SUCHEN(stRouter, usNetz);
    return i >= 0 ? vSC_Pfad[static_cast<std::size_t>(i)].iBudget : SC_PFAD_Struct{}.iBudget;
}
