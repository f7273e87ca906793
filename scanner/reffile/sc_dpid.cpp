// Data-point id from the object name: the part after the last -E text, from the first -B text on, cut to 16
// characters, then as much of the -A text as fits in 16.
#include <cstring>
#include "scanner/reffile/sc_ref.h"
#include "scanner/sc.h"

int SC_DPID(SC_OBJ_Struct *stObj, const char *cName) {
    const char *p = cName;
    if (cSC_EndePrefix[0] != '\0') {
        std::size_t uLen = std::strlen(cSC_EndePrefix);
        for (const char *q = std::strstr(p, cSC_EndePrefix); q != nullptr;
             q = std::strstr(q + 1, cSC_EndePrefix))
            p = q + uLen;
    }
    if (cSC_BeginnDpId[0] != '\0') {
        p = std::strstr(p, cSC_BeginnDpId);
        if (p == nullptr) return -1;
    }
    std::snprintf(stObj->cDpId, sizeof stObj->cDpId, "%.16s", p);
    std::size_t uLen = std::strlen(stObj->cDpId);
    if (cSC_AnfuegeDpId[0] != '\0' && uLen <= 15)
        std::snprintf(stObj->cDpId + uLen, sizeof stObj->cDpId - uLen, "%.*s", static_cast<int>(16 - uLen),
                      cSC_AnfuegeDpId);
    return 0;
}
