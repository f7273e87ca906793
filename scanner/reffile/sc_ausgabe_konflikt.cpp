// An output file an option names (-J, -X) must not take the place of a file the scanner reads or writes of
// its own, nor be a directory that only the end of the scan would find: what is wrong with the name, or null.
// The same file is found by device and inode where both exist, else by the directory and the last name.
#include <array>
#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include "scanner/reffile/sc_ref.h"

constexpr std::array<const char *, 4> acEIGENE = {"netscn.ref", "netscn.dev", "cfg/dp_atb.txt",
                                                  "qx/qx04ddev.bn"};

// The absolute name of cName's directory joined with its last name ("" when the directory does not exist).
static std::string VOLL(const std::string &sName) {
    const std::size_t n = sName.find_last_of('/');
    const std::string sDir = n == std::string::npos ? "." : n == 0 ? "/" : sName.substr(0, n);
    char cPfad[PATH_MAX];
    if (realpath(sDir.c_str(), cPfad) == nullptr) return "";
    return std::string(cPfad) + "/" + (n == std::string::npos ? sName : sName.substr(n + 1));
}

const char *SC_AUSGABE_KONFLIKT(const char *cName, char *cText, std::size_t uGroesse) {
    struct stat st, stEigen;
    const bool bDa = stat(cName, &st) == 0;
    if (bDa && S_ISDIR(st.st_mode)) return "ist ein Verzeichnis";
    const std::string sVoll = VOLL(cName);
    for (const char *cEigen : acEIGENE) {
        const bool bGleich = bDa && stat(cEigen, &stEigen) == 0
                                 ? st.st_dev == stEigen.st_dev && st.st_ino == stEigen.st_ino
                                 : !sVoll.empty() && sVoll == VOLL(cEigen);
        if (!bGleich) continue;
        std::snprintf(cText, uGroesse, "ist dieselbe Datei wie %s", cEigen);
        return cText;
    }
    return nullptr;
}
