// Operating protocol: message lines go through the queue "DR_OPROT" to a printer device or a print file, one
// output step per call, with page headers and form feeds when paging is set.
#include <array>
#include <cstring>
#include <string_view>
#include "runtime/ut/ut.h"

UT_WSL_Struct WSL_UT_DR_OPROT;
unsigned char ucUT_DR_Zeilen;

static char cZeilenBuf[260];  // the line being output: up to 255 characters, line feed, carriage return
static int iSpalte = -1;      // -1 no line pending; = length: the line has been written
static std::uint32_t uZeile;  // line within the page, 0-3 are the header lines
static std::uint32_t uSeite;  // number of the last page begun
static char cLASTWrite = ' '; // units digit of the second of the last successful write

struct DR_TITEL {
    std::uint32_t uProdId;
    std::string_view cTitel;
};
static constexpr std::array<DR_TITEL, 5> DR_TITEL_TAB = {{
    {1, "Leitzentrale Geb\x84udeautomation"},
    {2, "W\x84hlzentrale Fernwirktechnik"},
    {3, "GA-Automationsstation"},
    {4, "Fernwirk-Unterstation"},
    {10, "Inselzentrale Fernwirknetz"},
}};
static_assert([] {
    for (const DR_TITEL &t : DR_TITEL_TAB)
        if (t.cTitel.size() > 31) return false;
    return true;
}());

static bool DR_AUSGABE() {
    return ucUT_DR_Typ == 1 || ucUT_DR_Typ == 2 || ucUT_DR_Typ == 10 || ucUT_DR_Typ == 20;
}

// Header line uZeile (0 title, 1 and 3 rules, 2 column headers) into cZeilenBuf.
static void DR_KOPF() {
    if (uZeile == 1 || uZeile == 3) {
        std::memset(cZeilenBuf, '-', 132);
        std::memcpy(cZeilenBuf + 132, "\n", 2);
    } else if (uZeile == 2) {
        const char *cSpalten =
            uUT_ProdId == 2    ? "Datum     Uhrzeit   ISDN-Rufnummer      Status      Bemerkung\n"
            : uUT_ProdId == 10 ? "Datum     Uhrzeit   Inselzentrale       Status      Bemerkung\n"
                               : "Datum     Uhrzeit   Obj.  Datenpunkt-Adr.   Bezeichnung"
                                 "              Meldung\n";
        std::snprintf(cZeilenBuf, sizeof cZeilenBuf, "%s", cSpalten);
    } else {
        uSeite++;
        cZeilenBuf[0] = '\0';
        for (const DR_TITEL &t : DR_TITEL_TAB) {
            if (t.uProdId != uUT_ProdId) continue;
            std::memset(cZeilenBuf, ' ', 132);
            std::memcpy(cZeilenBuf, t.cTitel.data(), t.cTitel.size());
            // The station text starts at the record's second byte and need not be terminated.
            const char *cStation = reinterpret_cast<const char *>(UT_KK_GETKK()) + 1;
            std::memcpy(cZeilenBuf + 37, cStation, strnlen(cStation, sizeof UT_KK_CFG - 1));
            std::snprintf(cZeilenBuf + 87, sizeof cZeilenBuf - 87, "Datum : %s       Seite :%5d\n",
                          UT_T_TIME(), static_cast<int>(uSeite));
        }
    }
}

// Next line to output: a header line or the oldest queued message.
static void DR_HOLEN() {
    bool bEintrag = uZeile > 3 || ucUT_DR_Zeilen < 5 || !DR_AUSGABE();
    if (bEintrag) {
        const char *cEintrag = UT_WSL_READ(&WSL_UT_DR_OPROT);
        // Without a message nothing is pending; the last line is not printed a second time.
        if (cEintrag == nullptr) return;
        std::snprintf(cZeilenBuf, sizeof cZeilenBuf - 2, "%s", cEintrag);
    } else {
        DR_KOPF();
    }
    // Room for both is kept above: a queued entry has at most 256 characters.
    std::size_t n = std::strlen(cZeilenBuf);
    if (bEintrag && std::memchr(cZeilenBuf, '\n', n) == nullptr) cZeilenBuf[n++] = '\n';
    if (std::memchr(cZeilenBuf, '\r', n) == nullptr && ucUT_DR_Typ != 20) cZeilenBuf[n++] = '\r';
    cZeilenBuf[n] = '\0';
    iSpalte = 0;
}

// Free space for the limits of this call, taken once at its start.
static std::uint32_t ulDR_Frei;
static std::uint32_t DR_FREI() {
    return ulDR_Frei;
}

// Print file of type 20 (converter): the oldest fifth goes when a line, size or disk limit is reached.
static int DR_PRT_KUERZEN() {
    std::uint32_t ulSize = UT_EL_FSIZE(cUT_DR_Bez);
    if ((uUT_DR_AnzWSL != 0 && uUT_DR_AnzPRT > uUT_DR_AnzWSL) || UT_DISK_KNAPP(DR_FREI) ||
        (ulSize != 0xFFFFFFFF && ulSize > ulUT_DR_SizeWSL))
        return UT_FI_CUT(cUT_DR_Bez, &uUT_DR_AnzPRT, static_cast<int>(sizeof cZeilenBuf) - 2);
    return 0;
}

// Writes the pending line to the output; an output that cannot be opened keeps it pending.
static int DR_SCHREIBEN(int iWSL) {
    int ier = 0;
    FILE *fp = nullptr;
    if (ucUT_DR_Typ == 1 || ucUT_DR_Typ == 2) {
        fp = std::fopen(cUT_DR_Bez, "w");
    } else if (ucUT_DR_Typ == 10 || ucUT_DR_Typ == 20) {
        if (ucUT_DR_Typ == 20 && bUT_VAR_TABCONV) ier = DR_PRT_KUERZEN();
        fp = std::fopen(cUT_DR_Bez, "a");
    } else {
        iSpalte = -1;
        return 0;
    }

    if (fp == nullptr) {
        // Signalled when no write has succeeded yet, or each full ten seconds after the last one.
        if (cLASTWrite == ' ' || (cUT_LOOP1Sek == cLASTWrite && std::strcmp(cUT_LOOPZeit, cUT_LASTZeit) != 0))
            ucUT_DR_STAT = static_cast<unsigned char>(ucUT_DR_Typ == 1 ? 1 | iWSL : 1);
        return ier;
    }
    if (ucUT_DR_Typ == 20 && bUT_VAR_TABCONV) uUT_DR_AnzPRT++;
    std::size_t uLen = std::strlen(cZeilenBuf);
    iSpalte = static_cast<int>(uLen);
    bool bOk = std::fwrite(cZeilenBuf, 1, uLen, fp) == uLen;
    if (std::fclose(fp) != 0) bOk = false;
    cLASTWrite = cUT_LOOP1Sek;
    ucUT_DR_STAT = bOk ? 0 : 1;
    return ier;
}

// The pending line has been written: count it and end the page with a form feed.
static void DR_ZAEHLEN() {
    if (ucUT_DR_Zeilen >= uZeile) uZeile++;
    iSpalte = -1;
    if (ucUT_DR_Zeilen == 0 || ucUT_DR_Zeilen == 255 || uZeile < ucUT_DR_Zeilen) return;
    if (uZeile == ucUT_DR_Zeilen) {
        std::memcpy(cZeilenBuf, "\f", 2);
        iSpalte = 0;
    } else {
        uZeile = 0;
    }
}

int UT_DR_OPROT(const char *cZeile) {
    int iWSL = 0; // result of the last queue operation of this call
    if (cZeile != nullptr && cZeile[0] != '\0' && UT_DISK_PLATZ())
        iWSL = UT_WSL_WRIT(&WSL_UT_DR_OPROT, cZeile);

    // The free space is measured only once a minute here.
    ulDR_Frei = cUT_LOOP1Min == cUT_LAST1Min ? 0xFFFFFFFF : UT_DISKFREE();
    std::int64_t lAnz = WSL_UT_DR_OPROT.lAnz < 0 ? -WSL_UT_DR_OPROT.lAnz : WSL_UT_DR_OPROT.lAnz;
    char cDatei[16];
    std::uint32_t ulSize = 0xFFFFFFFF;
    if (UT_WSL_DATEI(&WSL_UT_DR_OPROT, ".WSL", cDatei, sizeof cDatei)) ulSize = UT_EL_FSIZE(cDatei);
    // An empty queue has nothing to drop.
    if (lAnz > 0 && ((uUT_DR_AnzWSL != 0 && lAnz > static_cast<std::int64_t>(uUT_DR_AnzWSL)) ||
                     UT_DISK_KNAPP(DR_FREI) || (ulSize != 0xFFFFFFFF && ulSize > ulUT_DR_SizeWSL))) {
        for (std::int64_t i = lAnz / 5; i > 0; i--)
            UT_WSL_READ(&WSL_UT_DR_OPROT);
        UT_WSL_EXIT(&WSL_UT_DR_OPROT, 1);
        iWSL = UT_WSL_INIT(&WSL_UT_DR_OPROT, "DR_OPROT", 0);
    }

    int ier = 0;
    if (iSpalte >= 0 || ucUT_DR_Typ == 255) {
        if (ucUT_DR_Typ == 255) {
            // the lines stay in the queue file for another reader
        } else if (static_cast<std::size_t>(iSpalte) < std::strlen(cZeilenBuf)) {
            ier = DR_SCHREIBEN(iWSL);
        } else {
            DR_ZAEHLEN();
        }
    } else if (WSL_UT_DR_OPROT.lAnz != 0) {
        DR_HOLEN();
    }
    if (ier < 0) return ier;
    return iSpalte >= 0 || WSL_UT_DR_OPROT.lAnz != 0 ? 1 : 0;
}
