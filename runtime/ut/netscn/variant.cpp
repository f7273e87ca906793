// Library values of the scanner build.
#include "runtime/ut/ut.h"

const bool bUT_VAR_TABCONV = false;
const std::uint32_t uUT_EL_ZeileMax = 65535;
