// Splits the URI of a hub, wss://host[:port][/path], into host, port (443 when none) and path ("/" when
// none). A host in brackets is an IPv6 address. Only wss:// is taken: the link never runs without TLS.
#include <cstdio>
#include <cstring>
#include "bsc/bsc.h"

bool BSC_URI(const char *cUri, BSC_HUB *stHub) {
    static const char cSchema[] = "wss://";
    if (std::strlen(cUri) >= BSC_TEXT_MAX || std::strncmp(cUri, cSchema, sizeof cSchema - 1) != 0)
        return false;
    const char *cHost = cUri + sizeof cSchema - 1;
    const char *cPfad = std::strchr(cHost, '/');
    const std::size_t uAutor =
        cPfad != nullptr ? static_cast<std::size_t>(cPfad - cHost) : std::strlen(cHost);
    // The port follows the last colon, unless that lies inside the brackets of an IPv6 address.
    const char *cKlammer = static_cast<const char *>(std::memchr(cHost, ']', uAutor));
    const char *cDoppel = nullptr;
    for (const char *p = cKlammer != nullptr ? cKlammer : cHost; p < cHost + uAutor; p++)
        if (*p == ':') cDoppel = p;
    std::size_t uHost = cDoppel != nullptr ? static_cast<std::size_t>(cDoppel - cHost) : uAutor;
    int iPort = 443;
    if (cDoppel != nullptr) {
        iPort = 0;
        for (const char *p = cDoppel + 1; p < cHost + uAutor; p++) {
            if (*p < '0' || *p > '9' || iPort > 6553) return false;
            iPort = iPort * 10 + (*p - '0');
        }
        if (iPort < 1 || iPort > 65535) return false;
    }
    if (uHost >= 2 && cHost[0] == '[' && cHost[uHost - 1] == ']') cHost++, uHost -= 2; // the address alone
    if (uHost == 0 || std::memchr(cHost, '@', uHost) != nullptr) return false;
    std::snprintf(stHub->cUri, sizeof stHub->cUri, "%s", cUri);
    std::snprintf(stHub->cHost, sizeof stHub->cHost, "%.*s", static_cast<int>(uHost), cHost);
    std::snprintf(stHub->cPfad, sizeof stHub->cPfad, "%s", cPfad != nullptr ? cPfad : "/");
    stHub->iPort = iPort;
    return true;
}
