// Reads a reference file whole, then its header line and every data line, and says where it is not one.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include "refdiff/rd.h"

static const char cRoutine[] = "RD_LESEN";
static constexpr std::size_t uBLOCK = 65536; // bytes of one read
static char cBlock[uBLOCK];

static const char *GRUND(int ier) {
    switch (ier) {
    case iRD_E_NR:
        return "keine Datenzeile: die Nummer (f\x81nf Ziffern und ein Leerzeichen) fehlt";
    case iRD_E_KONST:
        return "keine Datenzeile: Id, Typ und \" 0 15 15 15 0 0 000 \" fehlen";
    case iRD_E_ATB:
        return "keine Datenzeile: der Attributcode (drei Ziffern und ein Leerzeichen) fehlt";
    case iRD_E_ADR:
        return "keine Datenzeile: die Adresse fehlt";
    default:
        return "keine Datenzeile: der Text reicht in die Adresse";
    }
}

static bool INHALT(RD_DATEI_Struct *st) {
    FILE *fp = std::fopen(st->cName, "rb");
    if (fp == nullptr) {
        RD_MELDUNG(cRoutine, -1, st->cName, 0, std::strerror(errno));
        return false;
    }
    // Room for a plain file at once: no copies while it grows (a folder's size is no byte count).
    if (struct stat stStat; fstat(fileno(fp), &stStat) == 0 && S_ISREG(stStat.st_mode))
        st->sInhalt.reserve(static_cast<std::size_t>(stStat.st_size));
    for (std::size_t n; (n = std::fread(cBlock, 1, sizeof cBlock, fp)) > 0;)
        st->sInhalt.append(cBlock, n);
    const int iErrno = std::ferror(fp) ? errno : 0;
    std::fclose(fp);
    if (iErrno != 0) RD_MELDUNG(cRoutine, -1, st->cName, 0, std::strerror(iErrno));
    return iErrno == 0;
}

int RD_LESEN(RD_DATEI_Struct *st) {
    if (!INHALT(st)) return -1;
    const std::string_view s = st->sInhalt;
    st->vPunkt.reserve(static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')));
    unsigned long ulZeile = 0;
    for (std::size_t p = 0; p < s.size() || ulZeile == 0;) {
        std::size_t e = std::min(s.find('\n', p), s.size());
        std::string_view z = s.substr(p, e - p);
        p = e + 1;
        ulZeile++;
        if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
        if (z.size() > uRD_ZEILE_MAX) {
            char cText[uRD_MELDUNG_MAX];
            std::snprintf(cText, sizeof cText, "Zeile l\x84nger als %zu Zeichen", uRD_ZEILE_MAX);
            RD_MELDUNG(cRoutine, -4, st->cName, ulZeile, cText);
            return -4;
        }
        if (ulZeile == 1) {
            st->iArt = RD_KOPF(z);
            st->sKopf = z;
            if (st->iArt > 0) continue;
            RD_MELDUNG(cRoutine, -2, st->cName, ulZeile, "keine Kopfzeile einer ZDB-Referenz-Datei");
            return -2;
        }
        RD_PUNKT_Struct stPunkt;
        if (int ier = RD_ZEILE(z, st->iArt, &stPunkt); ier != 0) {
            RD_MELDUNG(cRoutine, -3, st->cName, ulZeile, GRUND(ier));
            return -3;
        }
        stPunkt.ulZeile = ulZeile;
        stPunkt.sKey = iRD_Key == iRD_KEY_ID ? stPunkt.sId : stPunkt.sAdr;
        st->vPunkt.push_back(stPunkt);
    }
    return 0;
}
