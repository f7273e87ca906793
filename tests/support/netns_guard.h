// Guard for tests that send datagrams: they run only inside the fresh private network namespace that
// tests/harness/netns-run makes, never on the machine's real interfaces.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

inline std::string NT_NETNS_ID(const char *path) {
    char buf[128] = {};
    ssize_t n = readlink(path, buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// True only in another namespace than the harness started in and than process 1's, without a default route.
inline bool NT_IN_PRIVATE_NETNS() {
    const char *outer = std::getenv("NT_OUTER_NETNS");
    std::string cur = NT_NETNS_ID("/proc/self/ns/net");
    if (outer == nullptr || cur.empty() || cur == outer) return false;
    std::string init = NT_NETNS_ID("/proc/1/ns/net");
    if (!init.empty() && init == cur) return false;
    FILE *f = std::fopen("/proc/net/route", "r");
    if (f == nullptr) return false;
    char line[256];
    bool defroute = false;
    while (std::fgets(line, sizeof line, f) != nullptr) {
        char ifc[64], dst[16];
        if (std::sscanf(line, "%63s %15s", ifc, dst) == 2 && std::strcmp(dst, "00000000") == 0) defroute = true;
    }
    std::fclose(f);
    return !defroute;
}

// Ends the test program at once when it is not inside such a namespace.
#define NT_REQUIRE_PRIVATE_NETNS()                                                                         \
    do {                                                                                                   \
        if (!NT_IN_PRIVATE_NETNS()) {                                                                      \
            std::fprintf(stderr, "refusing to send datagrams outside a private network namespace "          \
                                 "(run through tests/harness/netns-run)\n");                               \
            std::exit(97);                                                                                 \
        }                                                                                                  \
    } while (0)
