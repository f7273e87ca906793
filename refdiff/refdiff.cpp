// Entry of REFDIFF: both files read, their data points paired and compared, the differences reported, and
// the exit status as diff and cmp give it (0 none, 1 differences, 2 trouble).
#include <cstdio>
#include "refdiff/rd.h"

int main(int argc, char **argv) {
    if (int iHilfe = RD_HILFE(argc, argv, NT_VERSION); iHilfe >= 0) return iHilfe == 0 ? 0 : iRD_AERGER;
    if (RD_INIT(argc, argv) != 0) return iRD_AERGER;
    RD_ZEICHENSATZ();
    for (RD_DATEI_Struct &st : stRD_Datei)
        if (RD_LESEN(&st) != 0) return iRD_AERGER;
    RD_VERGLEICH();
    if ((iRD_Json ? RD_JSON() : RD_TEXT()) != 0) {
        std::fprintf(stderr, "refdiff: WRITE-Fehler auf der Standardausgabe\n");
        return iRD_AERGER;
    }
    return stRD_Erg.vDiff.empty() ? iRD_GLEICH : iRD_VERSCHIEDEN;
}
