// The service tags of a ReadPropertyMultiple request: one read-access block per run of properties of
// the same object (its identifier, then the property references between opening and closing tag 1).
#include <cstring>
#include "bacnet/bn.h"

int QX04_BN_RPMTAGS(const QX04_BN_RPMREF *pRef, int iAnz, unsigned char *ucOut, int iMax) {
    if (iAnz < 1) return -1;
    int n = 0;
    for (int i = 0; i < iAnz; i++) {
        const bool bNeu = i == 0 || pRef[i].ulObjId != pRef[i - 1].ulObjId;
        const bool bEnde = i == iAnz - 1 || pRef[i + 1].ulObjId != pRef[i].ulObjId;
        unsigned char ucTeil[24];
        int k = 0;
        if (bNeu) {
            ucTeil[k++] = 0x0C; // object identifier
            QX04_BN_L2BNL(pRef[i].ulObjId, ucTeil + k);
            k += 4;
            ucTeil[k++] = 0x1E;
        }
        k += QX04_BN_KTAG(ucTeil + k, 0, pRef[i].ulPropId);
        if (pRef[i].lIndex >= 0) k += QX04_BN_KTAG(ucTeil + k, 1, (std::uint32_t)pRef[i].lIndex);
        if (bEnde) ucTeil[k++] = 0x1F;
        if (n + k > iMax) return -1;
        if (ucOut != nullptr) std::memcpy(ucOut + n, ucTeil, (std::size_t)k);
        n += k;
    }
    return n;
}
