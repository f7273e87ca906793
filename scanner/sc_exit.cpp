// End phase of the scanner: leaves the BBMD, closes the endpoint and both output files and restores the
// console; runs after every set-up, also a failed one.
#include "ip/ip.h"
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"
#include "scanner/bbmd/sc_bbmd.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/securelink/sc_sicher.h"

int SC_EXIT() {
    if (UT_TRC_IN()) UT_TRC("\n\n", "SC_EXIT", "Nach Aufruf");
    SC_BBMD_ENDE();
    SC_SICHER_ENDE(); // -S: the Disconnect-Request to the hub
    IP_EXIT();
    if (fpSC_REF != nullptr) {
        std::fclose(fpSC_REF);
        fpSC_REF = nullptr;
    }
    if (fpSC_DEV != nullptr) {
        std::fclose(fpSC_DEV);
        fpSC_DEV = nullptr;
    }
    SY_EXIT();
    if (UT_TRC_OUT()) UT_TRC("\n", "SC_EXIT", "Vor  RETURN    ier : %d \n", 0);
    return 0;
}
