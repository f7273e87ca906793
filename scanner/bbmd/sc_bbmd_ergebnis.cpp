// Whether the latest BVLC-Result came from our BBMD: only its results answer our registration messages.
#include "bacnet/bn.h"
#include "scanner/bbmd/sc_bbmd.h"

bool SC_BBMD_ERGEBNIS() {
    return iQX04_BvlcErg >= 0 && stQX04_BvlcVon.ulAdr == stSC_Bbmd.ulAdr &&
           stQX04_BvlcVon.usPort == stSC_Bbmd.usPort;
}
