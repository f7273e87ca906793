// Reads the header of a BVLC-SC message as it came from the hub: function, control flags, message id, the
// virtual addresses and the header options, and where the payload begins. A message whose header breaks its
// own lengths is refused whole: nothing behind a broken length can be trusted.
#include <initializer_list>
#include "bsc/bsc.h"

// The header options from offset p on: the offset behind them, or -1 when one is cut off or malformed.
// Secure Path is a data option without data; a proprietary option carries at least its vendor and type.
static int OPTIONEN(const unsigned char *ucMsg, int iLen, int p, bool bDaten, bool *bUnverstanden) {
    for (;;) {
        if (p >= iLen) return -1;
        const unsigned char ucMarke = ucMsg[p++];
        const unsigned char ucTyp = ucMarke & BSC_OPT_TYP;
        if (ucMarke & BSC_OPT_DATEN) {
            if (iLen - p < 2) return -1;
            const int n = ucMsg[p] << 8 | ucMsg[p + 1];
            p += 2;
            if (n > iLen - p || ucTyp == BSC_OPT_SICHER || (ucTyp == BSC_OPT_HERSTELLER && n < 3)) return -1;
            p += n;
        } else if (ucTyp == BSC_OPT_HERSTELLER) {
            return -1;
        }
        if (ucTyp == BSC_OPT_SICHER && !bDaten) return -1;
        // The node knows Secure Path only; anything else it may pass over unless told it must understand it.
        if (ucTyp != BSC_OPT_SICHER && (ucMarke & BSC_OPT_MUSS)) *bUnverstanden = true;
        if (!(ucMarke & BSC_OPT_MEHR)) return p;
    }
}

int BSC_KOPF_LESEN(const unsigned char *ucMsg, int iLen, BSC_KOPF *stKopf) {
    *stKopf = BSC_KOPF{};
    if (iLen < 4) return BSC_KOPF_KURZ;
    stKopf->ucFunk = ucMsg[0];
    stKopf->ucFlags = ucMsg[1];
    stKopf->usId = static_cast<std::uint16_t>(ucMsg[2] << 8 | ucMsg[3]);
    if (stKopf->ucFlags & 0xF0) return BSC_KOPF_BITS;
    int p = 4;
    for (const unsigned char ucFlag : {BSC_F_VON, BSC_F_AN}) {
        if (!(stKopf->ucFlags & ucFlag)) continue;
        if (iLen - p < BSC_VMAC_LEN) return BSC_KOPF_KURZ;
        (ucFlag == BSC_F_VON ? stKopf->ucVon : stKopf->ucAn) = ucMsg + p;
        p += BSC_VMAC_LEN;
    }
    if (stKopf->ucFlags & BSC_F_ZIELOPT) p = OPTIONEN(ucMsg, iLen, p, false, &stKopf->bUnverstanden);
    // Data options belong to the NPDU they travel with.
    if (p >= 0 && (stKopf->ucFlags & BSC_F_DATENOPT))
        p = stKopf->ucFunk == BSC_NPDU ? OPTIONEN(ucMsg, iLen, p, true, &stKopf->bUnverstanden) : -1;
    if (p < 0) return BSC_KOPF_OPTION;
    stKopf->iNutz = p;
    stKopf->iNutzLen = iLen - p;
    return 0;
}
