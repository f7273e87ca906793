// Library values of the converter build.
#include "runtime/ut/ut.h"

const bool bUT_VAR_TABCONV = true;
const std::uint32_t uUT_EL_ZeileMax = 0xFFFFFFFF;
