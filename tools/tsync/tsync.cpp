// Stand-in of the installation's time-synchronisation process, for tests and trials: it reads the FIFO
// (default "/tmp/TSYNC_FIFO", created when missing) and prints every message as one line
//   PID <pid>  Typ <type>  Len <body length>  ><body><
// with bytes outside 0x20..0x7E written as \xHH. It sets no clock.
//
//   tsync [-n COUNT] [-t SECONDS] [FIFO]
// ends after COUNT messages, or after SECONDS (default 30) without a message. "bereit" on the first line
// tells a caller that the FIFO is open.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Reads exactly n bytes, waiting at most iMs milliseconds for each part: false on time-out or error.
static bool LESEN(int iFd, void *pZiel, std::size_t n, int iMs) {
    auto *p = static_cast<unsigned char *>(pZiel);
    while (n > 0) {
        struct pollfd sPoll = {iFd, POLLIN, 0};
        int r = poll(&sPoll, 1, iMs);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        ssize_t k = read(iFd, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

int main(int argc, char **argv) {
    long lAnzahl = -1, lSekunden = 30;
    const char *cFifo = "/tmp/TSYNC_FIFO";
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc)
            lAnzahl = std::strtol(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "-t") == 0 && i + 1 < argc)
            lSekunden = std::strtol(argv[++i], nullptr, 10);
        else
            cFifo = argv[i];
    }
    if (mkfifo(cFifo, 0666) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "tsync: %s: %s\n", cFifo, std::strerror(errno));
        return 1;
    }
    // Read and write, so that the open does not wait for a writer and a writer closing gives no end of file.
    int iFd = open(cFifo, O_RDWR);
    struct stat sStat;
    if (iFd < 0 || fstat(iFd, &sStat) != 0 || !S_ISFIFO(sStat.st_mode)) {
        std::fprintf(stderr, "tsync: %s: keine FIFO\n", cFifo);
        return 1;
    }
    std::printf("bereit %s\n", cFifo);
    std::fflush(stdout);

    for (long n = 0; lAnzahl < 0 || n < lAnzahl; n++) {
        std::int32_t iKopf[3];
        if (!LESEN(iFd, iKopf, sizeof iKopf, static_cast<int>(lSekunden * 1000))) break;
        std::string sText;
        std::int32_t iRest = iKopf[2];
        bool bGanz = true;
        while (iRest > 0 && bGanz) {
            unsigned char ucBuf[256];
            std::size_t k = iRest < 256 ? static_cast<std::size_t>(iRest) : sizeof ucBuf;
            bGanz = LESEN(iFd, ucBuf, k, 1000);
            for (std::size_t i = 0; bGanz && i < k; i++) {
                char cZeichen[8];
                if (ucBuf[i] >= 0x20 && ucBuf[i] <= 0x7E && ucBuf[i] != '\\')
                    std::snprintf(cZeichen, sizeof cZeichen, "%c", ucBuf[i]);
                else
                    std::snprintf(cZeichen, sizeof cZeichen, "\\x%02X", ucBuf[i]);
                sText += cZeichen;
            }
            iRest -= static_cast<std::int32_t>(k);
        }
        std::printf("PID %d  Typ %d  Len %d  >%s<%s\n", iKopf[0], iKopf[1], iKopf[2], sText.c_str(),
                    bGanz ? ""
                          : "  (unvollst\x84"
                            "ndig)");
        std::fflush(stdout);
    }
    close(iFd);
    return 0;
}
