// Library start-up of the converter: start values of the library globals, the switch options of the command
// line and the first two loop times.
#include <cstring>
#include "runtime/ut/ut.h"

int UT_INIT(int argc, char **argv) {
    int ier = 0;
    uUT_ProdId = 0;
    ulUT_fUNDEF = 0xFFFFFFFF;
    std::snprintf(cUT_CI_UNDEF, sizeof cUT_CI_UNDEF, "%s", "99999999999999");
    cUT_LOOPZeit[0] = '\0';
    ucUT_EL_Typ = 0;
    cUT_EL_Bez[0] = '\0';
    ucUT_DR_STAT = 0;
    ucUT_DR_Typ = 0;
    cUT_DR_Bez[0] = '\0';
    UT_KK_CFG[0] = 0;
    UT_KK_CFG[1] = 0;

    // The loop time is still 0 here, so no free-space figure is taken until after the first UT_LOOPTIME.
    ulUT_DiskSize = 0;
    ulUT_DiskSize = UT_DISKSIZE();
    ulUT_DiskFree = UT_DISKFREE();

    uUT_EL_AnzWSL = 0;
    ulUT_EL_SizeWSL = 0xFFFFFFFF;
    uUT_DR_AnzWSL = 0;
    uUT_DR_AnzPRT = 0;
    ulUT_DR_SizeWSL = 0xFFFFFFFF;
    ulUT_Z_Nxt = 0xFFFFFFFF;
    ulUT_Z_Set = 0xFFFFFFFF;

    for (int i = 1; argv != nullptr && i < argc; i++)
        UT_T_OPTION(argv[i]);

    cUT_LOOP1Std = ' ';
    UT_LOOPTIME();
    UT_LOOPTIME();

    // Unprinted lines of an earlier run are taken up from the operating-protocol queue.
    int r = UT_WSL_INIT(&WSL_UT_DR_OPROT, "DR_OPROT", 0);
    if (r != 0) ier = -r - 10;

    if (ier == 0) ier = UT_INIT_TYPEN();
    return ier;
}
