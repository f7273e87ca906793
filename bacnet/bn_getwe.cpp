// Numeric value (or object identifier) of the ReadProperty acknowledgement in a received frame.
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_GETWERT";

int QX04_BN_GETWERT(const unsigned char *ucFrame, std::uint16_t usPropId, std::uint32_t *ulWert) {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf  Prop-Id.: %u", usPropId);
    const int ier = QX04_BN_WERT(ucFrame, QX04_BN_POSWERT(ucFrame, usPropId), ulWert);
    if (UT_TRC_OUT()) {
        float fSlot;
        std::memcpy(&fSlot, ulWert, sizeof fSlot);
        UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d   Wert : %G", ier, (double)fSlot);
    }
    return ier;
}
