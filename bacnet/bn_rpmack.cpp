// Splits a ReadPropertyMultiple-ACK into its results: for each object its identifier, then per property its
// identifier, the array index if any, and either the value(s) between opening and closing tag 4 or the error
// class and code between opening and closing tag 5. Nothing at or after the frame's BVLC length is read; a
// frame that breaks this shape anywhere counts as no acknowledgement at all.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RPMACK";

// From the first tag of a value list to its closing tag 4: that tag's offset, 0 when the frame ends first.
// Constructed values nest their own opening and closing tags.
static int WERTE(const unsigned char *ucFrame, int p, int iLen) {
    int iTiefe = 0;
    while (p < iLen) {
        const int t = QX04_BN_TAGNUM(ucFrame + p);
        if (t == QX04_TAG_CLOSE && iTiefe == 0) return ucFrame[p] == 0x4F ? p : 0;
        if (t == QX04_TAG_OPEN) iTiefe++;
        if (t == QX04_TAG_CLOSE) iTiefe--;
        const int l = QX04_BN_TAGLEN(ucFrame + p, ucFrame + iLen);
        if (l == 0) return 0;
        p += l;
    }
    return 0;
}

// Error class and code between opening tag 5 (at p - 1) and closing tag 5: the offset after it, -1000 - code
// in *iFehler and the class in *iKlasse; 0 when malformed or either is no 16-bit enumeration.
static int FEHLER(const unsigned char *ucFrame, int p, int iLen, int *iFehler, int *iKlasse) {
    std::uint32_t ulCode[2] = {0, 0};
    for (int i = 0; i < 2; i++) { // class, then code
        if (p >= iLen || QX04_BN_TAGNUM(ucFrame + p) != 9) return 0;
        const int l = QX04_BN_TAGLEN(ucFrame + p, ucFrame + iLen);
        ulCode[i] = QX04_BN_TAG2L(ucFrame + p, -1, ucFrame + iLen);
        if (l == 0 || ulCode[i] > 0xFFFF) return 0;
        p += l;
    }
    if (p >= iLen || ucFrame[p] != 0x5F) return 0;
    *iFehler = -1000 - (int)ulCode[1];
    *iKlasse = (int)ulCode[0];
    return p + 1;
}

static int ZERLEGEN(const unsigned char *ucFrame, QX04_BN_RPMERG *pErg, int iMax) {
    const int iLen = (int)QX04_BN_BVLCLEN(ucFrame);
    const int a = QX04_BN_POSAPDU(ucFrame);
    // An unsegmented Complex-ACK of service 14: our requests never accept segmented answers.
    if (a <= 0 || a + 3 >= iLen || ucFrame[a] != 0x30 || ucFrame[a + 2] != 0x0E) return -1;
    int p = a + 3, n = 0;
    while (p < iLen) {
        std::uint32_t ulObj = 0, ulProp = 0, ulIdx = 0;
        int l = p < iLen && ucFrame[p] == 0x0C ? QX04_BN_KWERT(ucFrame, p, iLen, 0, &ulObj) : 0;
        if (l != 5 || p + l >= iLen || ucFrame[p + l] != 0x1E) return -1;
        p += l + 1;
        do {
            if ((l = QX04_BN_KWERT(ucFrame, p, iLen, 2, &ulProp)) == 0 || ulProp > 0x3FFFFF) return -1;
            p += l;
            std::int32_t lIdx = -1;
            if ((l = QX04_BN_KWERT(ucFrame, p, iLen, 3, &ulIdx)) > 0) {
                if (ulIdx > 0x7FFFFFFF) return -1;
                lIdx = (std::int32_t)ulIdx;
                p += l;
            }
            if (n >= iMax || p >= iLen) return -1;
            QX04_BN_RPMERG &e = pErg[n++];
            e.stRef = QX04_BN_RPMREF{ulObj, ulProp, lIdx};
            e.iWert = e.iEnde = e.iFehler = 0;
            e.iKlasse = -1;
            if (ucFrame[p] == 0x4E) {
                e.iWert = p + 1;
                if ((e.iEnde = WERTE(ucFrame, p + 1, iLen)) == 0) return -1;
                p = e.iEnde + 1;
            } else if (ucFrame[p] == 0x5E) {
                if ((p = FEHLER(ucFrame, p + 1, iLen, &e.iFehler, &e.iKlasse)) == 0) return -1;
            } else {
                return -1;
            }
        } while (p < iLen && ucFrame[p] != 0x1F);
        if (p >= iLen) return -1; // the object's list of results is not closed
        p++;
    }
    return n;
}

int QX04_BN_RPMACK(const unsigned char *ucFrame, QX04_BN_RPMERG *pErg, int iMax) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Max.: %d", iMax);
    const int ier = ZERLEGEN(ucFrame, pErg, iMax);
    if (UT_TRC_OUT()) {
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", ier);
        for (int i = 0; i < ier; i++)
            UT_TRC_CONT("\n   Obj.-Id.: 0x%08lX   -PropId.: %lu[%ld]   Wert : %d   Fehler : %d",
                        (unsigned long)pErg[i].stRef.ulObjId, (unsigned long)pErg[i].stRef.ulPropId,
                        (long)pErg[i].stRef.lIndex, pErg[i].iWert, pErg[i].iFehler);
        std::fflush(TEST_T_fpout != nullptr ? TEST_T_fpout : stderr);
    }
    return ier;
}
