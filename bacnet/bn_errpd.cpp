// Error PDU with which the scanner refuses a confirmed request: what was asked, why it is refused.
#include "bacnet/bn.h"

int QX04_BN_ERRPDU(unsigned char *ucBuf, unsigned char ucInvoke, unsigned char ucService,
                   unsigned char ucClass, unsigned char ucCode) {
    unsigned char *a = ucBuf + QX04_REPLY_APDU;
    a[0] = 0x50; // Error
    a[1] = ucInvoke;
    a[2] = ucService;
    a[3] = 0x91; // error class, enumerated
    a[4] = ucClass;
    a[5] = 0x91; // error code, enumerated
    a[6] = ucCode;
    return QX04_REPLY_APDU + 7;
}
