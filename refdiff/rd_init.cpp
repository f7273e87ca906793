// The command line: the key option, the JSON switch and the two file names OLD and NEW.
#include <cstdio>
#include "refdiff/rd.h"

static int AUFRUF(const char *cText, std::string_view sArg) {
    std::fprintf(stderr, "refdiff: %s%.*s\nAufruf: refdiff [-k adresse|id] [-J] ALT NEU   (refdiff --help)\n",
                 cText, static_cast<int>(sArg.size()), sArg.data());
    return -1;
}

int RD_INIT(int argc, char **argv) {
    int nDatei = 0;
    bool bOptionen = true;
    for (int i = 1; i < argc; i++) {
        const std::string_view sArg = argv[i];
        if (bOptionen && sArg == "--") {
            bOptionen = false;
        } else if (bOptionen && sArg == "-J") {
            iRD_Json = 1;
        } else if (bOptionen && sArg.starts_with("-k")) {
            const std::string_view sWert = sArg.size() > 2 ? sArg.substr(2) : i + 1 < argc ? argv[++i] : "";
            if (sWert != "adresse" && sWert != "id") return AUFRUF("-k adresse oder -k id, nicht: ", sWert);
            iRD_Key = sWert == "id" ? iRD_KEY_ID : iRD_KEY_ADR;
        } else if (bOptionen && sArg.size() > 1 && sArg[0] == '-') {
            return AUFRUF("unbekannte Option ", sArg);
        } else if (nDatei == 2) {
            return AUFRUF("mehr als zwei Dateien: ", sArg);
        } else {
            stRD_Datei[nDatei++].cName = argv[i];
        }
    }
    return nDatei == 2 ? 0 : AUFRUF("zwei Dateien erwartet: ALT NEU", "");
}
