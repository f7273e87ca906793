// Message ids of the requests the node sends: a counter for the run (0 skipped, so that no id looks unset).
#include "bsc/bsc.h"

std::uint16_t BSC_ID() {
    if (++stBSC.usId == 0) stBSC.usId = 1;
    return stBSC.usId;
}
