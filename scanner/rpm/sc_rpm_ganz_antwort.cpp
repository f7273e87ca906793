// The answer to the whole object list. Its elements are read ahead, as a batch's are, with the refusal a
// ReadProperty of the index after the last one would get at the end; the element started gets its value
// from there (index 0: the list's length). So every element goes through the walk as the element-wise scan
// takes it, and the file is the same. A refusal, an Abort, or an answer that is no list of object
// identifiers: the element started is asked again in a batch, and the device is read in batches from then
// on. Silence may be a lost datagram: the whole list is asked once more (by a device that has answered
// nothing yet, after its first element has come by ReadProperty, as a dead device is given up).
#include <algorithm>
#include <bit>
#include "runtime/ut/ut.h"
#include "scanner/walk/sc_scan.h"

static const char cRoutine[] = "SC_LOOP"; // the trace names the scan loop, whose step this is

// The list's elements from the decoded value into the read-ahead, every tag read within the value's bytes:
// their number, or -1 when the value is no array of object identifiers closed by its tag, or longer than
// 16-bit indexes reach.
static long LESEN(SC_RPM_Struct &r, const QX04_BN_WERT_Struct &w) {
    if (w.ucAnf == nullptr || w.iLen <= 0) return -1;
    const unsigned char *p = w.ucAnf, *const ucEnde = w.ucAnf + w.iLen;
    std::size_t n = 0;
    for (; p < ucEnde && *p != 0x3F; n++) {
        const int l = QX04_BN_TAGLEN(p, ucEnde);
        if (l != SC_RPM_OBJID_BYTES || QX04_BN_TAGNUM(p) != QX04_TAG_OBJID || n + 1 >= SC_LISTE_ENDE)
            return -1;
        if (r.aVor.size() <= n + 1) r.aVor.resize(2 * n + 2);
        r.aVor[n] = SC_VORRAT_Struct{QX04_TAG_OBJID, QX04_BN_TAG2L(p, -1, ucEnde)};
        p += l;
    }
    if (p >= ucEnde) return -1;
    if (r.aVor.size() <= n) r.aVor.resize(n + 1);
    r.aVor[n] = SC_VORRAT_Struct{SC_FEHLER_ARRAY_INDEX, 0};
    return static_cast<long>(n);
}

void SC_RPM_GANZ_ANTWORT(SC_SCAN_Struct *stScan, const SC_ANTWORT_Struct *stAntwort) {
    SC_RPM_Struct &r = stScan->stRpm;
    const long n = stAntwort->iArt == SC_ANT_WERT ? LESEN(r, stAntwort->stWert) : -1;
    if (TEST_T_I || TEST_T_I1)
        UT_TRC("\n\n", cRoutine, "Nach Objektliste ganz   Device : %lu   Elemente : %ld%s",
               (unsigned long)stScan->stGang.stObj.ulDev, n, n >= 0 ? "" : "   weiter in Teilen");
    if (n < 0) {
        const bool bStille = stAntwort->iArt == SC_ANT_STILLE;
        r.bGanzNein = !bStille || r.bGanzStill;
        r.bGanzStill = bStille;
        if (stAntwort->iArt == SC_ANT_ABBRUCH && stScan->stAnf.bSegAn) r.bSegNein = true;
        if (bStille && !stScan->stAnf.bGeantwortet) {
            r.bNurRP = r.bNurRP || ++r.iEinzeln >= 2;
            r.iElement = SC_RPM_OFFEN_RP;
        } else {
            r.iElement = r.bGanzNein ? SC_RPM_OFFEN_RPM : SC_RPM_OFFEN_GANZ;
        }
        return;
    }
    r.bGanzStill = false;
    r.lListeLen = n;
    r.iVorErst = 1;
    r.iVorAnz = static_cast<int>(n) + 1;
    const int i = stScan->stGang.iObjIdx;
    const SC_VORRAT_Struct v =
        i == 0 ? SC_VORRAT_Struct{QX04_TAG_UNSIGNED, std::bit_cast<std::uint32_t>(static_cast<float>(n))}
               : r.aVor[static_cast<std::size_t>(std::min<long>(i - 1, n))];
    const SC_WERT_Struct stWert = SC_WERT_VORRAT(v.iTag, v.ulWert);
    SC_SCHRITT_ANTWORT(stScan, v.iTag <= QX04_MSG_FEHLER ? v.iTag : QX04_MSG_ACK, &stWert);
}
