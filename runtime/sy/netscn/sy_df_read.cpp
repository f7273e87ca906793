// Reads one figure of the df output (in KiB) from its temporary file, then removes the file.
#include <cctype>
#include <cstdio>
#include "runtime/sy/sy.h"

int SY_DF_READ(const char *cFile, int iFeld, std::uint32_t *ulBytes) {
    FILE *fp = std::fopen(cFile, "r");
    if (fp == nullptr) return -1;
    // Columns follow the widths df chooses for the file-system name, so the figure is taken by field.
    // A long name may stand alone on the line after the header; its figures then follow on the next.
    char cZeile[256];
    int ier = 0, iIdx = 0;
    bool bKopf = true;
    while (ier == 0 && std::fgets(cZeile, sizeof cZeile, fp) != nullptr) {
        if (bKopf) {
            bKopf = false;
            continue;
        }
        for (const char *p = cZeile; *p != '\0' && ier == 0;) {
            while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p)))
                p++;
            if (*p == '\0') break;
            const char *q = p;
            while (*q != '\0' && !std::isspace(static_cast<unsigned char>(*q)))
                q++;
            if (++iIdx == iFeld) {
                unsigned long long ull = 0;
                bool bZahl = true;
                for (const char *r = p; r < q && bZahl; r++) {
                    bZahl = std::isdigit(static_cast<unsigned char>(*r)) != 0;
                    if (bZahl && ull < 0x400000) ull = ull * 10 + static_cast<unsigned>(*r - '0');
                }
                *ulBytes = bZahl && ull < 0x400000 ? static_cast<std::uint32_t>(ull * 1024) : 0xFFFFFFFF;
                ier = 1;
            }
            p = q;
        }
    }
    // Figures missing after a data line: the figure is unreadable.
    if (ier == 0 && iIdx > 0) {
        *ulBytes = 0xFFFFFFFF;
        ier = 1;
    }
    std::fclose(fp);
    std::remove(cFile);
    return ier;
}
