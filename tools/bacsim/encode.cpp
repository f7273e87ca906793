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

namespace {

// Characters of a description text read as UTF-8; a byte that starts no valid sequence stands for itself
// (its ISO 8859-1 letter), so that an escaped byte stays one letter.
std::vector<std::uint32_t> Characters(const std::string &s) {
    constexpr std::uint32_t aMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    std::vector<std::uint32_t> v;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80 ? 1 : b < 0xC2 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 0;
        std::uint32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        bool bOk = n > 0 && i + n <= s.size();
        for (std::size_t k = 1; bOk && k < n; ++k) {
            const unsigned x = static_cast<unsigned char>(s[i + k]);
            bOk = (x & 0xC0) == 0x80;
            c = c << 6 | (x & 0x3F);
        }
        bOk = bOk && c >= aMin[n] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        v.push_back(bOk ? c : b);
        i += bOk ? n : 1;
    }
    return v;
}

// The bytes of a text in its character set.
std::string Encoded(const std::string &sText, std::uint8_t ucCharset) {
    if (ucCharset != 3 && ucCharset != 4 && ucCharset != 5) return sText;
    std::string s;
    for (std::uint32_t c : Characters(sText)) {
        if (ucCharset == 5) {
            s += static_cast<char>(c <= 0xFF ? c : '?');
        } else if (ucCharset == 3) {
            for (int k = 24; k >= 0; k -= 8)
                s += static_cast<char>(c >> k);
        } else {
            // Beyond the first 65536 characters: a surrogate pair, as UTF-16 writers send it.
            const bool bPaar = c > 0xFFFF;
            const std::uint32_t u = bPaar ? 0xD800 | ((c - 0x10000) >> 10) : c;
            s += static_cast<char>(u >> 8);
            s += static_cast<char>(u);
            if (bPaar) {
                s += static_cast<char>(0xDC | ((c >> 8) & 0x03));
                s += static_cast<char>(c);
            }
        }
    }
    return s;
}

} // namespace

void BS_TAG_TEXT(std::vector<std::uint8_t> &v, const std::string &sGiven, std::uint8_t ucCharset) {
    const std::string sText = Encoded(sGiven, ucCharset);
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
