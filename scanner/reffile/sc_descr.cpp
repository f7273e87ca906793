// Text of a data point from the object description: its first 23 characters; an attribute code in brackets
// after them ("... [123]") overrides the code the point would get otherwise.
#include <cctype>
#include <cstring>
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"

void SC_DESCR(SC_OBJ_Struct *stObj, const char *cBeschr) {
    std::snprintf(stObj->cText, sizeof stObj->cText, "%.23s", cBeschr);
    UT_NORM_STRING(stObj->cText);
    stObj->ucAtbOvr = SC_KEIN_OVR;
    if (std::strlen(cBeschr) <= 23) return;
    const char *pAuf = std::strchr(cBeschr + 23, '[');
    if (pAuf == nullptr || std::strchr(pAuf + 1, ']') == nullptr) return;
    const char *p = pAuf + 1;
    while (*p == ' ')
        p++;
    if (!std::isdigit(static_cast<unsigned char>(*p))) return;
    unsigned uKode = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)) && uKode <= 254; p++)
        uKode = uKode * 10 + static_cast<unsigned>(*p - '0');
    if (uKode <= 254) stObj->ucAtbOvr = static_cast<unsigned char>(uKode);
}
