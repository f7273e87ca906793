// End phase of the converter: closes both files and, with option L and a driver id of 1 to 128, hands
// tabconv.ref to the loader and waits for it.
#include "converter/tk.h"
#include "runtime/sy/sy.h"

int TK_EXIT() {
    bool bRef = fpTK_REF != nullptr;
    if (bRef) {
        std::fclose(fpTK_REF);
        fpTK_REF = nullptr;
    }
    // The CSV file is closed before the hand-over too: the loader finds both files closed.
    if (fpTK_CSV != nullptr) {
        std::fclose(fpTK_CSV);
        fpTK_CSV = nullptr;
    }
    if (bRef && iTK_L_Modus == 1 && iTK_TrbId >= 1 && iTK_TrbId <= 128 &&
        TK_LD_CMD(cTK_CSV_Buf, sizeof cTK_CSV_Buf) > 0) {
        std::fflush(stdout); // the loader's output follows ours
        SY_PS_CSYST(cTK_CSV_Buf);
    }
    SY_EXIT();
    return 0;
}
