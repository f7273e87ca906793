// The differences as lines for the engineer: "+ " and "- " with the line as it stands, "~ " with the key, the
// point's other name in parentheses (its id beside an address, its address beside an id) and each changed
// field's old and new value, then one summary line. Texts of the files appear in the terminal's character
// set.
#include <cstdio>
#include "refdiff/rd.h"

static void AUS(std::string_view s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
}

static void WERT(const RD_FELD_Struct &stF, const RD_PUNKT_Struct &stP) {
    if (stF.bText) AUS("\"");
    AUS(RD_ANZEIGE(stP.*stF.pWert));
    if (stF.bText) AUS("\"");
}

int RD_TEXT() {
    const std::vector<RD_PUNKT_Struct> &vAlt = stRD_Datei[0].vPunkt, &vNeu = stRD_Datei[1].vPunkt;
    for (const RD_DIFF_Struct &stD : stRD_Erg.vDiff) {
        if (stD.cArt != '~') {
            AUS(stD.cArt == '+' ? "+ " : "- ");
            AUS(RD_ANZEIGE((stD.cArt == '+' ? vNeu[stD.uNeu] : vAlt[stD.uAlt]).sZeile));
            AUS("\n");
            continue;
        }
        const RD_PUNKT_Struct &stNeu = vNeu[stD.uNeu];
        AUS("~ ");
        AUS(RD_ANZEIGE(stNeu.sKey));
        if (const std::string_view sName = iRD_Key == iRD_KEY_ID ? stNeu.sAdr : stNeu.sId; !sName.empty()) {
            AUS(" (");
            AUS(RD_ANZEIGE(sName));
            AUS(")");
        }
        for (const RD_FELD_Struct &stF : stRD_Feld) {
            if ((stD.uFelder & stF.uBit) == 0) continue;
            std::printf("  %s: ", stF.cName);
            WERT(stF, vAlt[stD.uAlt]);
            AUS(" -> ");
            WERT(stF, stNeu);
        }
        AUS("\n");
    }
    std::printf("%lu hinzugefügt, %lu entfernt, %lu geändert, %lu umnummeriert, %lu unverändert\n",
                stRD_Erg.ulNeu, stRD_Erg.ulWeg, stRD_Erg.ulGeaendert, stRD_Erg.ulUmnum, stRD_Erg.ulGleich);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : -1;
}
