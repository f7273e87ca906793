// Closes the trace file of -TD at program end, so its last lines are on disk whatever way the process ends.
#include "runtime/ut/ut.h"

void UT_T_CLOSE() {
    if (TEST_T_fpout != nullptr && TEST_T_fpout != stderr && TEST_T_fpout != stdout)
        std::fclose(TEST_T_fpout);
    TEST_T_fpout = stderr;
    TEST_T_filnam[0] = '\0';
}
