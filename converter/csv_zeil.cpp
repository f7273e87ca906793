// One line of the CSV file as the conversion takes it, counted in characters of the code page.
#include <cstring>
#include "converter/tk.h"

constexpr int TK_ZEILE_MAX = 254;

bool TK_CSV_ZEILE(bool bAnfang) {
    if (iTK_Umsetzen == 0) return std::fgets(cTK_CSV_Buf, TK_ZEILE_MAX + 1, fpTK_CSV) != nullptr;
    // A byte that does not continue a UTF-8 sequence starts a character. Bytes are taken one at a time so
    // that the line ends before the character that would be one too many, never inside a character.
    std::size_t n = 0;
    int iZeichen = 0, c;
    while (n + 1 < sizeof cTK_CSV_Buf && (c = getc_unlocked(fpTK_CSV)) != EOF) {
        const bool bNeu = (c & 0xC0) != 0x80;
        if (bNeu && iZeichen == TK_ZEILE_MAX) {
            std::ungetc(c, fpTK_CSV);
            break;
        }
        cTK_CSV_Buf[n++] = static_cast<char>(c);
        if (bNeu) iZeichen++;
        if (bAnfang && n == 3) {
            bAnfang = false;
            if (std::memcmp(cTK_CSV_Buf, "\xEF\xBB\xBF", 3) == 0) n = 0, iZeichen = 0;
        }
        if (c == '\n') break;
    }
    cTK_CSV_Buf[n] = '\0';
    return n > 0;
}
