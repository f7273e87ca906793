// One switch option of the command line ("-T..." or "-Z", either case, "/" as well) applied to the trace
// switches; anything it does not know is ignored without a message.
#include <cctype>
#include <cstring>
#include "runtime/ut/ut.h"

// The trace file of -TD: a name too long to be kept counts as not openable, so no other file is created.
static void T_OPEN(const char *cName) {
    if (TEST_T_fpout != nullptr && TEST_T_fpout != stderr && TEST_T_fpout != stdout)
        std::fclose(TEST_T_fpout);
    FILE *fp = nullptr;
    if (std::strlen(cName) < sizeof TEST_T_filnam) fp = std::fopen(cName, "w");
    if (fp != nullptr) {
        TEST_T_fpout = fp;
        std::snprintf(TEST_T_filnam, sizeof TEST_T_filnam, "%s", cName);
    } else {
        TEST_T_fpout = stderr;
        std::setvbuf(stderr, nullptr, _IONBF, 0);
        TEST_T_filnam[0] = '\0';
    }
}

// End of argument sets the first switch; a digit 1..n selects the others. Only that one character counts.
static void T_SET(const char *p, unsigned char *ucSchalter[], int iAnz) {
    if (*p == '\0')
        *ucSchalter[0] = 1;
    else if (*p >= '1' && *p < '0' + iAnz)
        *ucSchalter[*p - '0'] = 1;
}

void UT_T_OPTION(const char *cArg) {
    if (cArg == nullptr || (cArg[0] != '-' && cArg[0] != '/')) return;
    int c = std::toupper(static_cast<unsigned char>(cArg[1]));
    if (c == 'Z') {
        TEST_Z_ = 1;
        return;
    }
    if (c != 'T' || cArg[2] == '\0') return;
    const char *p = cArg + 3;
    switch (std::toupper(static_cast<unsigned char>(cArg[2]))) {
    case 'A': {
        unsigned char *uc[] = {&TEST_T_A, &TEST_T_A1, &TEST_T_A2, &TEST_T_A3, &TEST_T_A4};
        T_SET(p, uc, 5);
        break;
    }
    case 'D':
        T_OPEN(p);
        break;
    case 'I': {
        unsigned char *uc[] = {&TEST_T_I, &TEST_T_I1, &TEST_T_I2, &TEST_T_I3};
        T_SET(p, uc, 4);
        break;
    }
    case 'O': {
        unsigned char *uc[] = {&TEST_T_O, &TEST_T_O1, &TEST_T_O2};
        T_SET(p, uc, 3);
        break;
    }
    case 'X':
        if (*p == '\0') TEST_T_X = 1;
        break;
    default:
        break;
    }
}
