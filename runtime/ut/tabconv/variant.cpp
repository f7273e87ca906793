// Library values of the converter build.
#include "runtime/ut/ut.h"

const bool bUT_VAR_TABCONV = true;
const std::uint32_t uUT_EL_ZeileMax = 0xFFFFFFFF;
// Queue entry count and read offset are 64-bit in this program.
const std::int64_t lUT_WSL_AnzMax = 0x7FFFFFFFFFFFFFFF;
const std::int64_t lUT_WSL_OffsMax = 0x7FFFFFFFFFFFFFFF;
