// Shared pieces of the fuzz targets: the check that turns a broken invariant into a finding, a private
// working folder, input bytes written as a file, and a clock that moves on by itself.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sanitizer/common_interface_defs.h>
#include <string>
#include <sys/time.h>
#include <unistd.h>

// A broken invariant ends the run like a crash, so libFuzzer keeps the input as a reproducer. The text goes
// to the sanitizers' report as well, which still reaches the log when the target's own stderr is closed.
#define FZ_CHECK(cond)                                                                                       \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "fuzz: invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__);         \
            __sanitizer_report_error_summary("fuzz: invariant broken: " #cond);                              \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

inline std::string &FZ_DIR() {
    static std::string s;
    return s;
}

// A fresh folder in the working directory becomes the working directory, so that files opened by relative
// name belong to this run alone; it is removed when the process ends normally and left with the reproducer
// after a finding (tests/extra/fuzz.sh clears it before the next run).
inline void FZ_TEMP_DIR() {
    char cTmpl[] = "nt_fuzzXXXXXX";
    if (mkdtemp(cTmpl) == nullptr || chdir(cTmpl) != 0) std::abort();
    FZ_DIR() = std::filesystem::current_path().string();
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(FZ_DIR(), ec);
    });
}

// The bytes as the whole content of the file cName.
inline void FZ_FILE(const char *cName, const unsigned char *ucData, std::size_t uSize) {
    FILE *fp = std::fopen(cName, "wb");
    if (fp == nullptr) std::abort();
    if (uSize > 0 && std::fwrite(ucData, 1, uSize, fp) != uSize) std::abort();
    if (std::fclose(fp) != 0) std::abort();
}

// A trace stream that formats everything and writes nothing: no system call per flushed trace line.
inline FILE *FZ_SENKE() {
    cookie_io_functions_t f{nullptr, [](void *, const char *, std::size_t n) { return (ssize_t)n; }, nullptr,
                            nullptr};
    return fopencookie(nullptr, "w", f);
}

// A clock for UT_CLOCK_SET that moves one second on with every reading: time stamps cost no system call, and
// code that looks at a file at most once per interval looks at it on every call.
inline void FZ_UHR(struct timeval *tv) {
    static long lSek = 1796601600; // 2026-12-06 00:00:00 UTC
    tv->tv_sec = lSek++;
    tv->tv_usec = 0;
}
