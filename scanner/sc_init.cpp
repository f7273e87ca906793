// Set-up of the scanner: the argument phase (start values, endpoint argument, options, trace switches),
// then the resource phase (endpoint, device table, Who-Is, output files).
#include "bacnet/bn.h"
#include "ip/ip.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/securelink/sc_sicher.h"
#include "scanner/setup/sc_setup.h"

// Start values, set before the arguments are read so that these can override port, address and options.
static void SC_INIT_START() {
    iQX04_IP_Port = 47808;
    ulQX04_IP_Adr = 0xFFFFFFFF;
    cSC_AnfuegeDpId[0] = '\0';
    cSC_BeginnDpId[0] = '\0';
    cSC_EndePrefix[0] = '\0';
    iQX04_IP_APP = -1;
    ulQX04_SDEV = 0xFFFFFFFF;
    fpSC_DEV = nullptr;
    fpSC_REF = nullptr;
    iSC_Wiederhol = 3;
    iSC_Parallel = 1;
    iSC_Umsetzen = 0;
    iSC_Mehrfach = 0;
    stSC_Bbmd = {0xFFFFFFFF, 0};
    iSC_BbmdTtl = 60;
    stSC_BbmdStand = SC_BBMD_Struct{};
    SC_BEOBACHTER_NEU();
    ulQX04_DevMin = 0;
    ulQX04_DevMax = SC_DEV_MAX;
    bSC_Bereich = false;
    iSC_OptFehler = 0;
    SC_SICHER_NEU();
}

// -TX: the option texts and the trace switches that are set.
static void SC_INIT_LISTE() {
    UT_TRC("\n", "SC_INIT", "Gesetzte Schalter sind :\n");
    if (cSC_AnfuegeDpId[0] != '\0') UT_TRC_CONT("\n      Anf\x81geDpId : >%s<", cSC_AnfuegeDpId);
    if (cSC_BeginnDpId[0] != '\0') UT_TRC_CONT("\n      BeginnDpId : >%s<", cSC_BeginnDpId);
    if (cSC_EndePrefix[0] != '\0') UT_TRC_CONT("\n      EndePrefix : >%s<", cSC_EndePrefix);
    if (stSC_Bbmd.ulAdr != 0xFFFFFFFF)
        UT_TRC_CONT("\n      BBMD       : >%s<  TTL : %d", IP_PORT2A(&stSC_Bbmd), iSC_BbmdTtl);
    if (bSC_Bereich)
        UT_TRC_CONT("\n      Devices    : >%lu-%lu<", (unsigned long)ulQX04_DevMin,
                    (unsigned long)ulQX04_DevMax);
    UT_T_LISTE("SC_INIT");
}

int SC_INIT(int argc, char **argv) {
    if (UT_TRC_IN()) {
        UT_TRC("\n\n", "SC_INIT", "Nach Aufruf   argc : %d", argc);
        for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; i++)
            UT_TRC_CONT("\n                     argv[%d] : %s", i, argv[i]);
        std::fflush(TEST_T_fpout);
    }
    // Current and previous loop time both hold the start time; the header line is dated from it.
    UT_LOOPTIME();
    UT_LOOPTIME();
    SC_INIT_START();

    int ier = 0;
    if (argc <= 0 || argv == nullptr)
        ier = -1;
    else
        for (int i = 1; i < argc && argv[i] != nullptr; i++)
            SC_INIT_ARG(i, argv[i]);
    if (TEST_T_X) SC_INIT_LISTE();

    // resource phase: runs here with the error number of the argument phase (also when it is not 0)
    ier = SC_INIT_RES(ier, argc, argv);

    if (UT_TRC_OUT()) {
        UT_TRC("\n", "SC_INIT", "Vor  RETURN    ier : %d \n", ier);
        if (ulQX04_IP_Adr != 0xFFFFFFFF) UT_TRC_CONT("\n    IP_Adr. : 0x%08lX", (unsigned long)ulQX04_IP_Adr);
        UT_TRC_CONT("\n    IP_Port : %d", iQX04_IP_Port);
        std::fflush(TEST_T_fpout);
    }
    return ier;
}
