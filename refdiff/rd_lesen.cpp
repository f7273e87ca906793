// Reads a reference file, checking each line as it arrives, then takes its header line and every data line;
// says where it is not one. A wrong file (a device, binary data, an endless stream) is refused once one line
// is too long or wrong, with little read and little held.
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
        return "keine Datenzeile: die Nummer (fünf Ziffern und ein Leerzeichen) fehlt";
    case iRD_E_KONST:
        return "keine Datenzeile: Id, Typ und \" 0 15 15 15 0 0 000 \" fehlen";
    case iRD_E_ATB:
        return "keine Datenzeile: der Attributcode (drei Ziffern und ein Leerzeichen) fehlt";
    case iRD_E_ADR:
        return "keine Datenzeile: nach Text und zehn Leerzeichen steht keine BACnet-Adresse wie "
               "0001003.AI#0000007'00085 (abgeschnitten?)";
    case iRD_E_KURZ:
        return "Zeile abgeschnitten: sie endet vor der Adresse";
    case iRD_E_REST:
        return "keine Datenzeile: nach der Adresse steht anderes als die Polarität 00001";
    case iRD_E_NUL:
        return "keine Textzeile: ein Nullbyte (Binärdaten?)";
    default:
        return "keine Datenzeile: der Text reicht über seine Spalte in die Adresse";
    }
}

// The reason a file cannot be read, in the program's language; the system's words for the rare ones.
static const char *LESEFEHLER(int iErrno) {
    switch (iErrno) {
    case ENOENT:
        return "Datei nicht vorhanden";
    case EACCES:
        return "keine Leseberechtigung";
    case EISDIR:
        return "ein Verzeichnis, keine Datei";
    case EIO:
        return "Lesefehler (E/A)";
    default:
        return std::strerror(iErrno);
    }
}

// Line ulZeile as it arrived, without its line end: 0, or after the message the result of RD_LESEN.
static int PRUEFEN(RD_DATEI_Struct *st, std::string_view z, unsigned long ulZeile) {
    if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
    if (z.size() > uRD_ZEILE_MAX) {
        char cText[uRD_MELDUNG_MAX];
        std::snprintf(cText, sizeof cText,
                      "Zeile länger als %zu Zeichen: keine Zeile einer ZDB-Referenz-Datei", uRD_ZEILE_MAX);
        RD_MELDUNG(cRoutine, -4, st->cName, ulZeile, cText);
        return -4;
    }
    if (ulZeile == 1) {
        st->iArt = RD_KOPF(z);
        if (st->iArt > 0) return 0;
        RD_MELDUNG(cRoutine, -2, st->cName, ulZeile, "keine Kopfzeile einer ZDB-Referenz-Datei");
        return -2;
    }
    RD_PUNKT_Struct stPunkt;
    if (int ier = RD_ZEILE(z, st->iArt, &stPunkt); ier != 0) {
        RD_MELDUNG(cRoutine, -3, st->cName, ulZeile, GRUND(ier));
        return -3;
    }
    return 0;
}

// The whole file into st->sInhalt, every complete line checked when its line end arrives and a line without
// one as soon as it is too long: 0 or the result of RD_LESEN.
static int INHALT(RD_DATEI_Struct *st, FILE *fp) {
    // Room for a plain file at once: no copies while it grows (a folder's size is no byte count).
    if (struct stat stStat; fstat(fileno(fp), &stStat) == 0 && S_ISREG(stStat.st_mode))
        st->sInhalt.reserve(std::min(static_cast<std::size_t>(stStat.st_size), uRD_DATEI_MAX));
    std::string &s = st->sInhalt;
    std::size_t uOffen = 0; // start of the first line not yet checked
    unsigned long ulZeile = 0;
    for (std::size_t n; (n = std::fread(cBlock, 1, sizeof cBlock, fp)) > 0;) {
        if (s.size() + n > uRD_DATEI_MAX) {
            char cText[uRD_MELDUNG_MAX];
            std::snprintf(cText, sizeof cText, "Datei größer als %zu MiB: keine ZDB-Referenz-Datei",
                          uRD_DATEI_MAX >> 20);
            RD_MELDUNG(cRoutine, -5, st->cName, 0, cText);
            return -5;
        }
        s.append(cBlock, n);
        for (std::size_t e; (e = s.find('\n', uOffen)) != std::string::npos; uOffen = e + 1)
            if (int ier = PRUEFEN(st, std::string_view(s).substr(uOffen, e - uOffen), ++ulZeile); ier != 0)
                return ier;
        // A line end may still follow a carriage return.
        if (s.size() - uOffen > uRD_ZEILE_MAX + 1)
            return PRUEFEN(st, std::string_view(s).substr(uOffen), ulZeile + 1);
    }
    if (std::ferror(fp)) {
        RD_MELDUNG(cRoutine, -1, st->cName, 0, LESEFEHLER(errno));
        return -1;
    }
    // The last line without a line end, or the missing header line of an empty file.
    if (uOffen < s.size() || ulZeile == 0)
        return PRUEFEN(st, std::string_view(s).substr(uOffen), ulZeile + 1);
    return 0;
}

int RD_LESEN(RD_DATEI_Struct *st) {
    FILE *fp = std::fopen(st->cName, "rb");
    if (fp == nullptr) {
        RD_MELDUNG(cRoutine, -1, st->cName, 0, LESEFEHLER(errno));
        return -1;
    }
    const int ier = INHALT(st, fp);
    std::fclose(fp);
    if (ier != 0) return ier;
    // Every line has passed: now the points, their views into the content that no longer moves.
    const std::string_view s = st->sInhalt;
    st->vPunkt.reserve(static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')));
    unsigned long ulZeile = 0;
    for (std::size_t p = 0; p < s.size() || ulZeile == 0;) {
        const std::size_t e = std::min(s.find('\n', p), s.size());
        std::string_view z = s.substr(p, e - p);
        p = e + 1;
        if (!z.empty() && z.back() == '\r') z.remove_suffix(1);
        if (++ulZeile == 1) {
            st->sKopf = z;
            continue;
        }
        RD_PUNKT_Struct stPunkt;
        RD_ZEILE(z, st->iArt, &stPunkt);
        stPunkt.ulZeile = ulZeile;
        stPunkt.sKey = iRD_Key == iRD_KEY_ID ? stPunkt.sId : stPunkt.sAdr;
        st->vPunkt.push_back(stPunkt);
    }
    return 0;
}
