// The differences as lines for the engineer: "+ " and "- " with the line as it stands, "~ " with the key and
// each changed field's old and new value, then one summary line.
#include <cstdio>
#include "refdiff/rd.h"

static void AUS(std::string_view s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
}

static void WERT(const RD_FELD_Struct &stF, const RD_PUNKT_Struct &stP) {
    if (stF.bText) AUS("\"");
    AUS(stP.*stF.pWert);
    if (stF.bText) AUS("\"");
}

int RD_TEXT() {
    const std::vector<RD_PUNKT_Struct> &vAlt = stRD_Datei[0].vPunkt, &vNeu = stRD_Datei[1].vPunkt;
    for (const RD_DIFF_Struct &stD : stRD_Erg.vDiff) {
        if (stD.cArt != '~') {
            AUS(stD.cArt == '+' ? "+ " : "- ");
            AUS((stD.cArt == '+' ? vNeu[stD.uNeu] : vAlt[stD.uAlt]).sZeile);
            AUS("\n");
            continue;
        }
        AUS("~ ");
        AUS(vNeu[stD.uNeu].sKey);
        for (const RD_FELD_Struct &stF : stRD_Feld) {
            if ((stD.uFelder & stF.uBit) == 0) continue;
            std::printf("  %s: ", stF.cName);
            WERT(stF, vAlt[stD.uAlt]);
            AUS(" -> ");
            WERT(stF, vNeu[stD.uNeu]);
        }
        AUS("\n");
    }
    std::printf("%lu hinzugef\x81gt, %lu entfernt, %lu ge\x84ndert, %lu umnummeriert, %lu unver\x84ndert\n",
                stRD_Erg.ulNeu, stRD_Erg.ulWeg, stRD_Erg.ulGeaendert, stRD_Erg.ulUmnum, stRD_Erg.ulGleich);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : -1;
}
