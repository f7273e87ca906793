// A device text in UTF-8 from its BACnet character set, as -U decodes it, but without the code page's limits:
// every character stays. Whatever the bytes, the result is valid UTF-8.
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/ede/sc_ede_intern.h"

// Characters of iBreite bytes, big-endian; a UCS-2 surrogate pair is one character.
static std::string UCS(const unsigned char *uc, std::size_t n, std::size_t uBreite) {
    constexpr std::uint32_t uHochEnde = 0xDBFF, uTiefErst = 0xDC00, uEbene = 0x10000, uBits = 10;
    std::string s;
    char c[4];
    for (std::size_t i = 0; i + uBreite <= n; i += uBreite) {
        std::uint32_t u = 0;
        for (std::size_t k = 0; k < uBreite; k++)
            u = u << 8 | uc[i + k];
        if (u == 0) break;
        if (uBreite == 2 && u >= UT_SURROGAT_ERST && u <= uHochEnde && i + 4 <= n) {
            const std::uint32_t uTief = static_cast<std::uint32_t>(uc[i + 2]) << 8 | uc[i + 3];
            if (uTief >= uTiefErst && uTief <= UT_SURROGAT_LETZT) {
                u = uEbene + ((u - UT_SURROGAT_ERST) << uBits | (uTief - uTiefErst));
                i += 2;
            }
        }
        s.append(c, static_cast<std::size_t>(UT_UTF8_ZEICHEN(u, c)));
    }
    return s;
}

// Bytes that are valid UTF-8 as a whole.
static bool GUELTIG(const unsigned char *uc, std::size_t n) {
    std::uint32_t u;
    for (std::size_t i = 0; i < n;) {
        const int l = UT_UTF8_FOLGE(uc + i, n - i, &u);
        if (l == 0) return false;
        i += static_cast<std::size_t>(l);
    }
    return true;
}

std::string SC_EDE_UTF8(const unsigned char *uc, std::size_t uLen, unsigned char ucSatz) {
    if (ucSatz == QX04_SATZ_UCS2) return UCS(uc, uLen, 2);
    if (ucSatz == QX04_SATZ_UCS4) return UCS(uc, uLen, 4);
    std::size_t n = 0; // the single-byte and multi-byte sets end at a zero byte, as the reference file's text
    while (n < uLen && uc[n] != 0)
        n++;
    if (ucSatz == QX04_SATZ_UTF8 && GUELTIG(uc, n)) return std::string(reinterpret_cast<const char *>(uc), n);
    if (ucSatz == QX04_SATZ_LATIN1) return UCS(uc, n, 1);
    // Code-page bytes of an older device, and the double-byte sets, which pass to the loader byte for byte:
    // what the loader shows of them.
    std::string s(n * 3 + 1, '\0');
    s.resize(static_cast<std::size_t>(
        UT_CP850_NACH_UTF8(reinterpret_cast<const char *>(uc), n, s.data(), s.size())));
    return s;
}
