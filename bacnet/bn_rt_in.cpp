// Fills the route table from the route file "qx/qx04ddev.bn", one device per line in fixed columns:
// instance (0-6), network (8-12), MAC address in hex (14-25, empty for a device reached directly), endpoint
// text "[IP-Adresse#]Portnummer" (from 27). The first line for a device decides its route.
#include <cstdio>
#include <cstring>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "QX04_BN_RT_INIT";

// Columns [iVon, iVon + iAnz) of a line as a text of its own.
static void SPALTEN(const char *cZeile, int iVon, int iAnz, char *cOut) {
    std::memcpy(cOut, cZeile + iVon, (std::size_t)iAnz);
    cOut[iAnz] = '\0';
}

// One line into instance, network, MAC and endpoint; false when any field does not convert.
static bool ZEILE(char *cZeile, std::uint32_t *ulInst, std::uint16_t *usNet, unsigned char *ucLen,
                  unsigned char *ucMac, IP_PORT *stPort) {
    if (UT_NORM_STRING(cZeile) < 29) return false;
    char cFeld[16];
    unsigned long ul;
    unsigned u;
    SPALTEN(cZeile, 0, 7, cFeld);
    if (std::sscanf(cFeld, "%lu", &ul) != 1 || ul >= 0x3FFFFF) return false; // no valid instance
    *ulInst = (std::uint32_t)ul;
    SPALTEN(cZeile, 8, 5, cFeld);
    if (std::sscanf(cFeld, "%u", &u) != 1 || u > 0xFFFF) return false;
    *usNet = (std::uint16_t)u;
    SPALTEN(cZeile, 14, 12, cFeld);
    const int iDigits = UT_NORM_STRING(cFeld);
    *ucLen = (unsigned char)((iDigits + 1) / 2);
    for (int i = 0; i < *ucLen; i++) {
        if (std::sscanf(cFeld + 2 * i, "%2X", &u) != 1) return false;
        ucMac[i] = (unsigned char)u;
    }
    return QX04_BN_A2ADR(cZeile + 27, stPort) == 0;
}

int QX04_BN_RT_INIT() {
    if (UT_TRC_IN()) UT_TRC("\n\n", cRoutine, "Nach Aufruf");
    FILE *fp = std::fopen("qx/qx04ddev.bn", "r");
    if (fp != nullptr) {
        char cZeile[64];
        // a line longer than 62 characters is read in pieces, each taken as a line of its own
        while (std::fgets(cZeile, 63, fp) != nullptr) {
            std::uint32_t ulInst;
            std::uint16_t usNet;
            unsigned char ucLen, ucMac[6];
            IP_PORT stPort{};
            if (!ZEILE(cZeile, &ulInst, &usNet, &ucLen, ucMac, &stPort)) continue;
            QX04_BN_ROUTE *r = QX04_BN_RT_FIND(ulInst, 0xFFFF, 255, ucMac, &stPort);
            if (r == nullptr || r->usSNET == 0xFFFF) {
                if (const int i = QX04_BN_RT_SET(ulInst | 0x02000000, usNet, ucLen, ucMac, &stPort); i >= 0)
                    BN_ROUTE_QX04_Struct[i].ucGelernt = QX04_GELERNT_ROUTENDATEI;
            } else if (r->iStatus == 0)
                r->ulZeit = ulUT_LOOPZeit;
        }
        std::fclose(fp);
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
