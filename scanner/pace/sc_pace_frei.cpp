// A place's device is done: nothing of it counts on its path any more.
#include "scanner/pace/sc_pace_intern.h"

void SC_PACE_FREI(int iPlatz) {
    astSC_PacePlatz[static_cast<std::size_t>(iPlatz)] = SC_PACE_PLATZ_Struct{};
}
