// ReadProperty requests addressed to the scanner: its own device object is answered from a fixed property
// table, everything else is refused, so that other nodes see a well-behaved small device.
#include <array>
#include <string_view>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"

using namespace std::string_view_literals;

static const char cRoutine[] = "QX04_BN_MSGRPR";

enum WERTART { W_BYTES, W_OBJID, W_TEXT };
struct MERKMAL {
    std::uint32_t ulProp;
    WERTART eArt;
    std::string_view Wert; // encoded value bytes, or the text of a character string
};

constexpr std::string_view cName = "GA-Knoten (QX04)";
constexpr std::string_view cVersion = "V1.4 (QX04)";

constexpr std::array<MERKMAL, 20> MERKMALE{{
    {75, W_OBJID, {}},   // object-identifier
    {76, W_OBJID, {}},   // object-list: the device itself (index 0 and above 1 are handled before)
    {77, W_TEXT, cName}, // object-name
    {70, W_TEXT, cName}, // model-name
    {28, W_TEXT, cName}, // description
    {121, W_TEXT, "Daten - Technik  KORVAN   (KVS)"}, // vendor-name
    {44, W_TEXT, cVersion},                           // firmware-revision
    {12, W_TEXT, cVersion},                           // application-software-version
    {79, W_BYTES, "\x91\x08"sv},                      // object-type: device
    {112, W_BYTES, "\x91\x00"sv},                     // system-status: operational
    {120, W_BYTES, "\x21\xFF"sv},                     // vendor-identifier: 255, the maker has none of its own
    {98, W_BYTES, "\x21\x01"sv},                      // protocol-version
    {95, W_BYTES, "\x21\x01"sv},                      // protocol-conformance-class
    {97, W_BYTES, "\x85\x06\x00\x00\x08\x00\x20\x20"sv}, // services: readProperty, i-Am, who-Is
    {96, W_BYTES, "\x84\x01\x00\x80\x00"sv},             // object types: device
    {62, W_BYTES, "\x22\x05\xC4"sv},                     // max-apdu-length-accepted 1476
    {107, W_BYTES, "\x91\x03"sv},                        // segmentation-supported: none
    {11, W_BYTES, "\x22\x0B\xB8"sv},                     // apdu-timeout 3000 ms
    {73, W_BYTES, "\x21\x03"sv},                         // number-of-APDU-retries
    {30, W_BYTES, ""sv},                                 // device-address-binding: empty list
}};
constexpr std::uint32_t ulOBJECT_LIST = 76;

// The frame's bytes in the entry trace line, as many as its length byte says.
static void TRC_EINGANG(const IP_PORT *stPort, const unsigned char *ucFrame) {
    const char *c = stPort != nullptr ? IP_PORT2A(stPort) : nullptr;
    UT_TRC("\n\n", cRoutine, "Nach Aufruf  Port : >%s<\n>", c != nullptr ? c : "* NULL *");
    for (int i = 0; i < ucFrame[3]; i++)
        UT_TRC_CONT(" 0x%02X ", ucFrame[i]);
    if (TEST_T_fpout != nullptr) std::fflush(TEST_T_fpout);
}

static int OBJID(unsigned char *p, std::uint32_t ulObjId) {
    QX04_BN_L2BNL(ulObjId, p);
    return 4;
}

// Value bytes of the property from the table into p; their count, or -1 when the device has no such property.
static int WERT(unsigned char *p, std::uint32_t ulProp, bool bIndex, std::uint32_t ulIndex) {
    if (ulProp == ulOBJECT_LIST && bIndex && ulIndex == 0) {
        p[0] = 0x21; // the list holds one object
        p[1] = 0x01;
        return 2;
    }
    for (const MERKMAL &m : MERKMALE) {
        if (m.ulProp != ulProp) continue;
        if (m.eArt == W_OBJID) {
            p[0] = 0xC4;
            return 1 + OBJID(p + 1, ulQX04_SDEV);
        }
        int n = 0;
        if (m.eArt == W_TEXT) {
            p[n++] = 0x75;
            p[n++] = static_cast<unsigned char>(m.Wert.size() + 1);
            p[n++] = 0x00; // character set: ANSI X3.4
        }
        for (char c : m.Wert)
            p[n++] = static_cast<unsigned char>(c);
        return n;
    }
    return -1;
}

// Builds the answer in ucAntw from the request's tags from offset t on; the frame length.
static int ANTWORT(unsigned char *ucAntw, const unsigned char *ucFrame, int t, unsigned char ucInvoke) {
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    const unsigned char *ucEnd = ucFrame + uLen;
    unsigned char *a = ucAntw + QX04_REPLY_APDU;
    const int l = QX04_BN_TAGLEN(ucFrame + t, ucEnd);
    const std::uint32_t ulObjId = QX04_BN_TAG2L(ucFrame + t, 12, ucEnd);
    // an object identifier that yields no value counts as the own device, whose identifier is all ones
    if (l <= 0 || ulObjId != ulQX04_SDEV) return QX04_BN_ERRPDU(ucAntw, ucInvoke, 0x0C, 1, 29);

    unsigned p = static_cast<unsigned>(t + l);
    const int lProp = QX04_BN_TAGLEN(ucFrame + p, ucEnd);
    const std::uint32_t ulProp = QX04_BN_TAG2L(ucFrame + p, 9, ucEnd);
    p += static_cast<unsigned>(lProp);
    const bool bIndex = lProp > 0 && p < uLen && QX04_BN_TAGLEN(ucFrame + p, ucEnd) > 0;
    const std::uint32_t ulIndex = bIndex ? QX04_BN_TAG2L(ucFrame + p, 2, ucEnd) : 0xFFFFFFFF;
    if (ulProp == ulOBJECT_LIST && bIndex && ulIndex > 1)
        return QX04_BN_ERRPDU(ucAntw, ucInvoke, 0x0C, 2, 42); // the list has one element

    int n = 0;
    a[n++] = 0x30; // Complex-ACK
    a[n++] = ucInvoke;
    a[n++] = 0x0C; // readProperty
    a[n++] = 0x0C; // context tag 0: object identifier
    n += OBJID(a + n, ulQX04_SDEV);
    a[n++] = 0x19; // context tag 1: property identifier
    a[n++] = static_cast<unsigned char>(ulProp);
    if (bIndex && ulIndex <= 1) {
        a[n++] = 0x29; // context tag 2: array index
        a[n++] = static_cast<unsigned char>(ulIndex);
    }
    a[n++] = 0x3E;
    const int w = WERT(a + n, ulProp, bIndex, ulIndex);
    if (w < 0) return QX04_BN_ERRPDU(ucAntw, ucInvoke, 0x0C, 1, 29);
    n += w;
    a[n++] = 0x3F;
    return QX04_REPLY_APDU + n;
}

int QX04_BN_MSGRPR(const IP_PORT *stPort, const unsigned char *ucFrame) {
    if (UT_TRC_IN()) TRC_EINGANG(stPort, ucFrame);
    const unsigned uLen = QX04_BN_BVLCLEN(ucFrame);
    const int n = QX04_BN_POSNPDU(ucFrame);
    if (n < 0) {
        UT_ERR_LOG(cRoutine, static_cast<int>(uLen), n, "BVLC zu kurz");
    } else if (static_cast<unsigned>(n) + 1 >= uLen || (ucFrame[n + 1] & 0x80) == 0) {
        const int t = QX04_BN_POSTAG(ucFrame);
        if (t <= 0 || static_cast<unsigned>(t) >= uLen) {
            UT_ERR_LOG(cRoutine, static_cast<int>(uLen), t, "APDU zu kurz");
        } else {
            // the invoke id is the third header byte of a Confirmed-Request, segmented or not
            const unsigned char ucInvoke = ucFrame[QX04_BN_POSAPDU(ucFrame) + 2];
            unsigned char ucAntw[64];
            QX04_BN_REPLY(stPort, ucAntw, ANTWORT(ucAntw, ucFrame, t, ucInvoke));
        }
    }
    if (UT_TRC_OUT()) UT_TRC("\n\n", cRoutine, "Vor  RETURN   ier : %d", 0);
    return 0;
}
