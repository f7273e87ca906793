// The state of the node's one connection to its hub.
#include "bsc/bsc.h"

BSC_Struct stBSC;
