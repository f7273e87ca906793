// Encoding of the few application and context tags the simulated devices send.
#include "tools/bacsim/bacsim.h"
#include <cstring>

void BS_PUT16(std::vector<std::uint8_t> &v, unsigned uVal) {
    v.push_back(static_cast<std::uint8_t>(uVal >> 8));
    v.push_back(static_cast<std::uint8_t>(uVal));
}

void BS_PUT32(std::vector<std::uint8_t> &v, std::uint32_t ulVal) {
    BS_PUT16(v, ulVal >> 16);
    BS_PUT16(v, ulVal & 0xFFFF);
}

// Unsigned or enumerated value in as few bytes as it needs; iCtx >= 0 makes it a context tag.
void BS_TAG_UNSIGNED(std::vector<std::uint8_t> &v, int iCtx, unsigned uAppTag, std::uint32_t ulVal) {
    unsigned uLen = ulVal > 0xFFFFFF ? 4 : (ulVal > 0xFFFF ? 3 : (ulVal > 0xFF ? 2 : 1));
    v.push_back(static_cast<std::uint8_t>(iCtx >= 0 ? ((iCtx << 4) | 0x08 | uLen) : ((uAppTag << 4) | uLen)));
    for (unsigned i = uLen; i-- > 0;)
        v.push_back(static_cast<std::uint8_t>(ulVal >> (8 * i)));
}

void BS_TAG_OBJID(std::vector<std::uint8_t> &v, int iCtx, std::uint32_t ulObjId) {
    v.push_back(static_cast<std::uint8_t>(iCtx >= 0 ? ((iCtx << 4) | 0x0C) : 0xC4));
    BS_PUT32(v, ulObjId);
}

void BS_TAG_TEXT(std::vector<std::uint8_t> &v, const std::string &sText, std::uint8_t ucCharset) {
    std::size_t uLen = sText.size() + 1; // the character-set byte counts
    if (uLen <= 4) {
        v.push_back(static_cast<std::uint8_t>(0x70 | uLen));
    } else if (uLen <= 253) {
        v.push_back(0x75);
        v.push_back(static_cast<std::uint8_t>(uLen));
    } else {
        v.push_back(0x75);
        v.push_back(254);
        BS_PUT16(v, static_cast<unsigned>(uLen));
    }
    v.push_back(ucCharset);
    v.insert(v.end(), sText.begin(), sText.end());
}

void BS_TAG_VALUE(std::vector<std::uint8_t> &v, const BS_VALUE &stVal, std::uint8_t ucCharset) {
    switch (stVal.cKind) {
    case 'c':
        BS_TAG_TEXT(v, stVal.sText, ucCharset);
        break;
    case 'e':
        BS_TAG_UNSIGNED(v, -1, 9, static_cast<std::uint32_t>(stVal.dNum));
        break;
    case 'u':
        BS_TAG_UNSIGNED(v, -1, 2, static_cast<std::uint32_t>(stVal.dNum));
        break;
    case 'b':
        v.push_back(stVal.dNum != 0 ? 0x11 : 0x10);
        break;
    case 'a':
        for (const std::string &s : stVal.vList)
            BS_TAG_TEXT(v, s, ucCharset);
        break;
    default: {
        float f = static_cast<float>(stVal.dNum);
        std::uint32_t ul = 0;
        std::memcpy(&ul, &f, sizeof ul);
        v.push_back(0x44);
        BS_PUT32(v, ul);
    }
    }
}
