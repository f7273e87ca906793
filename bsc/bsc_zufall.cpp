// Random bytes from the system for the VMAC and the UUID; a clock-derived fill only where the system has none
// to give, which no machine of this project's kind lacks.
#include <sys/random.h>
#include "bsc/bsc.h"
#include "runtime/ut/ut.h"

void BSC_ZUFALL(unsigned char *ucOut, int iAnz) {
    int n = 0;
    while (n < iAnz) {
        const ssize_t r = getrandom(ucOut + n, static_cast<std::size_t>(iAnz - n), 0);
        if (r <= 0) break;
        n += static_cast<int>(r);
    }
    for (std::uint32_t ul = UT_MSEK() * 2654435761u; n < iAnz; n++, ul = ul * 1103515245u + 12345u)
        ucOut[n] = static_cast<unsigned char>(ul >> 24);
}
