// Day number (1 January 1900 = day 0) of the date word of a packed date-time; -1 for a month above 12.
#include "runtime/ut/ut.h"

int UT_UDATETAG(std::uint16_t usDate) {
    int iJahr = 1980 + (usDate >> 9);
    int iMonat = (usDate >> 5) & 15;
    int iTag = usDate & 31;
    int iSumme = 0;
    for (int j = 1980; j < iJahr; j++)
        iSumme += 365 + UT_SCHALTJAHR(j);
    if (iMonat > 12) return -1;
    for (int m = 1; m < iMonat; m++)
        iSumme += UT_MON_TAGE(iJahr, m);
    return iSumme + iTag + 29218;
}
