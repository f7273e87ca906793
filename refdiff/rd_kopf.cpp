// Tells the kind of a reference file from its header line: the frame both writers share, then the source.
#include "refdiff/rd.h"

static constexpr char cMASKE[] = "00000 99/99/9999 99:99 "; // 9: any digit
static constexpr char cNETSCN[] = "BACnet nach ZDB (NETSCN)";
static constexpr char cTABCONV[] = "CSV nach ZDB (TABCNV)";

int RD_KOPF(std::string_view s) {
    constexpr std::size_t uRahmen = sizeof cMASKE - 1;
    if (s.size() < uRahmen) return -1;
    for (std::size_t i = 0; i < uRahmen; i++)
        if (cMASKE[i] == '9' ? !RD_ZIFFER(s[i]) : s[i] != cMASKE[i]) return -1;
    const std::string_view sQuelle = s.substr(uRahmen);
    if (sQuelle.starts_with(cNETSCN)) return iRD_NETSCN;
    if (sQuelle.starts_with(cTABCONV)) return iRD_TABCONV;
    return -1;
}
