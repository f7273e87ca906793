// Stand-in for the control centre's loader, for tests and the demo: records the arguments it was started
// with, the descriptors it inherited and a copy of the reference file it was given, then exits.
//
//   ctrload <reference file> <driver id> <object id> <GAK id>
//
// Records go to the directory in CTRLOAD_RECORD_DIR (default: the working directory):
//   ctrload-args.txt  "argc=N", one "argv[i]=text" line per argument, one "fd=N target" line per open
//                     descriptor above 2
//   ctrload-ref.txt   byte copy of the reference file (absent when it could not be read), at most its first
//                     64 MiB: a reference file that is a link to an endless device must not fill the disk
// The exit status is 2 when the copy was cut at 64 MiB, otherwise 0 or the number in CTRLOAD_EXIT.
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>

static std::string RECORD_PATH(const char *cName) {
    const char *cDir = std::getenv("CTRLOAD_RECORD_DIR");
    std::string s = cDir != nullptr && *cDir != '\0' ? cDir : ".";
    return s + "/" + cName;
}

// Every descriptor above 2 that this process inherited (its own record file and directory excepted).
static void OPEN_FDS(FILE *fp) {
    DIR *d = opendir("/proc/self/fd");
    if (d == nullptr) return;
    int iSelf = dirfd(d);
    while (struct dirent *e = readdir(d)) {
        int fd = std::atoi(e->d_name);
        if (e->d_name[0] < '0' || e->d_name[0] > '9' || fd <= 2 || fd == iSelf || fd == fileno(fp)) continue;
        char cZiel[512] = {};
        std::string sLink = std::string("/proc/self/fd/") + e->d_name;
        ssize_t n = readlink(sLink.c_str(), cZiel, sizeof cZiel - 1);
        std::fprintf(fp, "fd=%d %s\n", fd, n > 0 ? cZiel : "?");
    }
    closedir(d);
}

constexpr size_t uKOPIE_MAX = size_t{64} << 20;

enum KOPIE { K_KOPIERT, K_FEHLER, K_GEKAPPT };

static KOPIE COPY(const char *cVon, const std::string &sNach) {
    FILE *in = std::fopen(cVon, "rb");
    if (in == nullptr) return K_FEHLER;
    FILE *out = std::fopen(sNach.c_str(), "wb");
    bool bOk = out != nullptr;
    char cBuf[65536];
    size_t n, uKopiert = 0;
    while (bOk && uKopiert < uKOPIE_MAX && (n = std::fread(cBuf, 1, sizeof cBuf, in)) > 0) {
        if (n > uKOPIE_MAX - uKopiert) n = uKOPIE_MAX - uKopiert;
        bOk = std::fwrite(cBuf, 1, n, out) == n;
        uKopiert += n;
    }
    // at the cap: cut only when there is more to read
    const bool bGekappt = bOk && uKopiert == uKOPIE_MAX && std::fgetc(in) != EOF;
    if (out != nullptr && std::fclose(out) != 0) bOk = false;
    std::fclose(in);
    return !bOk ? K_FEHLER : bGekappt ? K_GEKAPPT : K_KOPIERT;
}

int main(int argc, char **argv) {
    std::string sArgs = RECORD_PATH("ctrload-args.txt");
    FILE *fp = std::fopen(sArgs.c_str(), "w");
    if (fp == nullptr) {
        std::fprintf(stderr, "ctrload stand-in: cannot write %s\n", sArgs.c_str());
        return 1;
    }
    OPEN_FDS(fp);
    std::fprintf(fp, "argc=%d\n", argc);
    for (int i = 1; i < argc; i++)
        std::fprintf(fp, "argv[%d]=%s\n", i, argv[i]);
    std::fclose(fp);

    const KOPIE k = argc > 1 ? COPY(argv[1], RECORD_PATH("ctrload-ref.txt")) : K_FEHLER;
    std::printf("\nctrload stand-in: %s %s, %d argument(s) recorded\n", argc > 1 ? argv[1] : "(no file)",
                k == K_KOPIERT   ? "copied"
                : k == K_GEKAPPT ? "cut at 64 MiB"
                                 : "not readable",
                argc - 1);
    if (k == K_GEKAPPT) return 2;

    const char *cExit = std::getenv("CTRLOAD_EXIT");
    return cExit != nullptr ? std::atoi(cExit) : 0;
}
