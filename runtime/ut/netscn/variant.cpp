// Library values of the scanner build.
#include "runtime/ut/ut.h"

const bool bUT_VAR_TABCONV = false;
const std::uint32_t uUT_EL_ZeileMax = 65535;
// Queue entry count and read offset are 32-bit in this program.
const std::int64_t lUT_WSL_AnzMax = 0x7FFFFFFF;
const std::int64_t lUT_WSL_OffsMax = 0xFFFFFFFF;
