// Error-log probe for tests: the library's error log is sent to a file in a private temporary directory,
// and each call of NT_EL_NEU() returns the lines written since the previous call, without the time stamp.
#pragma once
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>
#include "runtime/ut/ut.h"

inline std::size_t &NT_EL_GELESEN() {
    static std::size_t n = 0;
    return n;
}

// Makes a temporary directory the working directory and the error-log file "err.log" in it the
// destination. Returns the directory.
inline std::string NT_EL_START() {
    static std::string dir;
    if (dir.empty()) {
        char tmpl[] = "/tmp/nt_el_XXXXXX";
        if (mkdtemp(tmpl) == nullptr) std::abort();
        dir = tmpl;
        if (chdir(tmpl) != 0) std::abort();
        UT_LOOPTIME(); // the disk checks of the error log measure from the loop time on
        ucUT_EL_Typ = 255;
        std::snprintf(cUT_EL_Bez, sizeof cUT_EL_Bez, "%s", "err.log");
    }
    return dir;
}

// Lines written since the last call; the leading time stamp ("dd.mm.yy  hh:mm:ss  ") is cut off.
inline std::vector<std::string> NT_EL_NEU() {
    std::vector<std::string> alle, neu;
    std::ifstream f{std::string(cUT_EL_Bez)};
    for (std::string z; std::getline(f, z);)
        alle.push_back(z);
    if (alle.size() < NT_EL_GELESEN()) NT_EL_GELESEN() = 0; // the file was emptied
    for (std::size_t i = NT_EL_GELESEN(); i < alle.size(); i++)
        neu.push_back(alle[i].size() > 20 ? alle[i].substr(20) : alle[i]);
    NT_EL_GELESEN() = alle.size();
    return neu;
}
