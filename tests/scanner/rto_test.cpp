// The repetition timer of one device, driven through the monotonic clock seam: answers after chosen times,
// some to repeated requests, then the timer length of the next request's tries.
#include <gtest/gtest.h>
#include <vector>
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

namespace {

std::uint32_t ulUhr = 0xFFFFF000; // comes round during the test
std::uint32_t UHR() {
    return ulUhr;
}

struct Antwort {
    std::uint32_t ulMs; // answer time
    int iVersuch;       // repetitions the request needed
    int iMal;           // answers of this kind in a row
};

} // namespace

TEST(RepetitionTimer, LearnsFromAnswersOfUnrepeatedRequests) {
    struct Fall {
        const char *cWas;
        std::vector<Antwort> vAntw;
        int iVersuch;               // try of the next request
        std::uint32_t ulMin, ulMax; // its timer length in ms
    } const aFall[] = {
        {"first value", {}, 0, 1000, 1000},
        {"first value, doubled", {}, 2, 4000, 4000},
        {"doubling stops at the ceiling", {}, 3, 5000, 5000},
        {"one answer: time + 4 x half of it", {{300, 0, 1}}, 0, 900, 900},
        {"steady answers: the deviation fades", {{300, 0, 40}}, 0, 301, 301},
        {"steady after a slow start", {{2000, 0, 1}, {300, 0, 60}}, 0, 301, 305},
        {"jitter: above the longest", {{250, 0, 1}, {350, 0, 1}, {200, 0, 1}, {400, 0, 1}}, 0, 401, 1000},
        {"floor", {{1, 0, 40}}, 0, 100, 100},
        {"floor, doubled", {{1, 0, 40}}, 1, 200, 200},
        {"ceiling", {{3000, 0, 1}}, 0, 5000, 5000},
        {"repeated request: no sample, its doubling stays", {{300, 0, 40}, {2000, 1, 1}}, 0, 602, 602},
        {"... until an unrepeated one is answered", {{300, 0, 40}, {2000, 1, 1}, {300, 0, 1}}, 0, 301, 301},
        {"repeated first request: still the first value", {{4000, 2, 1}}, 0, 4000, 4000},
    };
    UT_MSEK_SET(UHR);
    for (const Fall &f : aFall) {
        SC_RTO_Struct r;
        for (const Antwort &a : f.vAntw)
            for (int i = 0; i < a.iMal; i++) {
                const std::uint32_t ulGesendet = UT_MSEK();
                ulUhr += a.ulMs;
                SC_RTO_MESSUNG(&r, ulGesendet, a.iVersuch);
            }
        const std::uint32_t ul = SC_RTO_DAUER(&r, f.iVersuch);
        EXPECT_GE(ul, f.ulMin) << f.cWas;
        EXPECT_LE(ul, f.ulMax) << f.cWas;
    }
    UT_MSEK_SET(nullptr);
}
