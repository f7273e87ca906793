// A device's repetition timer: answers after chosen times, then the next timer.
#include <array>
#include <gtest/gtest.h>
#include <vector>
#include "runtime/ut/ut.h"
#include "scanner/exchange/sc_austausch.h"

TEST(RepetitionTimer, LearnsFromAnswersOfUnrepeatedRequests) {
    struct Fall {
        const char *cWas;
        std::vector<std::array<std::uint32_t, 3>> vAntw; // answer ms, repetitions it needed, times in a row
        int iVersuch;                                    // try of the next request
        std::uint32_t ulMin, ulMax;                      // its timer length in ms
    } const aFall[] = {
        {"first value", {}, 0, 1000, 1000},
        {"doubling stops at the ceiling", {}, 3, 5000, 5000},
        {"one answer: time + 4 x half of it", {{300, 0, 1}}, 0, 900, 900},
        {"steady after a slow start: twice the time", {{2000, 0, 1}, {300, 0, 60}}, 0, 600, 605},
        {"jitter: above the longest", {{250, 0, 1}, {350, 0, 1}, {200, 0, 1}, {400, 0, 1}}, 0, 401, 1000},
        {"floor", {{1, 0, 40}}, 1, 400, 400},
        {"ceiling", {{3000, 0, 1}}, 0, 5000, 5000},
        {"repeated request: no sample, its doubling stays", {{300, 0, 40}, {2000, 1, 1}}, 0, 1200, 1204},
        {"... until an unrepeated one is answered", {{300, 0, 40}, {2000, 1, 1}, {300, 0, 1}}, 0, 600, 602},
    };
    for (const Fall &f : aFall) {
        SC_RTO_Struct r;
        for (const auto &a : f.vAntw)
            for (std::uint32_t i = 0; i < a[2]; i++)
                SC_RTO_MESSUNG(&r, a[0], static_cast<int>(a[1]), a[1] == 0);
        const std::uint32_t ul = SC_RTO_DAUER(&r, f.iVersuch);
        EXPECT_TRUE(ul >= f.ulMin && ul <= f.ulMax) << f.cWas << ": " << ul;
    }
}
