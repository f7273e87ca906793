// Lists the trace switches that are set, under the name of the program phase that asks (-TX).
#include "runtime/ut/ut.h"

void UT_T_LISTE(const char *cName) {
    static const struct {
        const unsigned char *ucSchalter;
        const char *cText;
    } Liste[] = {{&TEST_T_A, "TEST_T_A"},   {&TEST_T_A1, "TEST_T_A1"}, {&TEST_T_A2, "TEST_T_A2"},
                 {&TEST_T_A3, "TEST_T_A3"}, {&TEST_T_A4, "TEST_T_A4"}, {&TEST_T_I, "TEST_T_I"},
                 {&TEST_T_I1, "TEST_T_I1"}, {&TEST_T_I2, "TEST_T_I2"}, {&TEST_T_I3, "TEST_T_I3"},
                 {&TEST_T_O, "TEST_T_O"},   {&TEST_T_O1, "TEST_T_O1"}, {&TEST_T_O2, "TEST_T_O2"},
                 {&TEST_T_X, "TEST_T_X"}};
    UT_TRC("\n", cName, "Gesetzte Testschalter sind :\n");
    for (const auto &s : Liste)
        if (*s.ucSchalter) UT_TRC_CONT("\n      %s", s.cText);
    std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
}
