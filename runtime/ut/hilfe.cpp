// --help and --version of a program, looked for before anything else happens: asking a program how it is
// used must never open a socket, a file or a child process. Only the whole argument counts, in any position;
// the first of the two on the command line decides.
#include <cstring>
#include "runtime/ut/ut.h"

int UT_HILFE(int argc, char **argv, const char *cProgramm, const char *cVersion, const char *cText) {
    for (int i = 1; i < argc && argv[i] != nullptr; i++) {
        bool bHilfe = std::strcmp(argv[i], "--help") == 0;
        if (!bHilfe && std::strcmp(argv[i], "--version") != 0) continue;
        if (bHilfe)
            std::fputs(cText, stdout);
        else
            std::printf("%s %s\n", cProgramm, cVersion);
        // A text that did not arrive (a full disk, a closed pipe) is no success.
        if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
        std::fprintf(stderr, "%s: cannot write to standard output\n", cProgramm);
        return 1;
    }
    return -1;
}
