// The repetition timer against answer times spread as on a token-passing trunk: for each spread, a device's
// timer learns from 100000 answers drawn one after another (fixed seed), and each answer later than the timer
// it met would have been repeated needlessly. Prints repetitions per 1000 requests, and what a lost request
// costs: the timer it would wait out, mean and longest after the first 100 answers.
//   rtospread
#include <cstdio>
#include <random>
#include "scanner/exchange/sc_austausch.h"

namespace {
constexpr int iANTWORTEN = 100000, iANLAUF = 100;

struct Streuung {
    const char *cName;
    std::uint32_t (*pfZiehen)(std::mt19937 &g);
};

std::uint32_t GLEICH(std::mt19937 &g) { // uniform over 35 to 120 ms
    return std::uniform_int_distribution<std::uint32_t>(35, 120)(g);
}
std::uint32_t HAUFEN(std::mt19937 &g) { // mostly 35 to 60 ms, one in fifteen 60 to 125 ms (a late token)
    if (std::uniform_int_distribution<int>(0, 14)(g) == 0)
        return std::uniform_int_distribution<std::uint32_t>(60, 125)(g);
    return std::uniform_int_distribution<std::uint32_t>(35, 60)(g);
}
std::uint32_t LANGSAM(std::mt19937 &g) { // a slow trunk: 100 to 400 ms
    return std::uniform_int_distribution<std::uint32_t>(100, 400)(g);
}
} // namespace

int main() {
    constexpr Streuung aStreuung[] = {{"uniform 35-120 ms", GLEICH},
                                      {"35-60 ms, 1 in 15 at 60-125 ms", HAUFEN},
                                      {"uniform 100-400 ms", LANGSAM}};
    std::printf("%-32s %18s %16s %16s\n", "answer times", "repeated per 1000", "lost: mean ms",
                "lost: max ms");
    for (const Streuung &s : aStreuung) {
        std::mt19937 g(1);
        SC_RTO_Struct r;
        int iWdh = 0;
        std::uint64_t ullSumme = 0;
        std::uint32_t ulMax = 0;
        for (int i = 0; i < iANTWORTEN; i++) {
            const std::uint32_t ulTimer = SC_RTO_DAUER(&r, 0), ulMs = s.pfZiehen(g);
            if (i >= iANLAUF) {
                iWdh += ulMs > ulTimer;
                ullSumme += ulTimer;
                ulMax = ulTimer > ulMax ? ulTimer : ulMax;
            }
            SC_RTO_MESSUNG(&r, ulMs, 0, true);
        }
        const double dN = iANTWORTEN - iANLAUF;
        std::printf("%-32s %18.2f %16.0f %16u\n", s.cName, 1000.0 * iWdh / dN, ullSumme / dN, ulMax);
    }
    return 0;
}
