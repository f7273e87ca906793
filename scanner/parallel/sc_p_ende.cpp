// Verdicts of the parallel scan: one time-out verdict per given-up device in table order (the scan itself
// went on, so the file holds everything the other devices gave).
#include "scanner/loop/sc_ablauf.h"
#include "scanner/parallel/sc_par.h"

int SC_P_ENDE() {
    std::vector<const char *> vText;
    for (const std::string &s : stSC_Par.vAufgegeben)
        vText.push_back(s.c_str());
    return SC_URTEIL(stSC_Par.iErg, vText.data(), static_cast<int>(vText.size()));
}
