// Endpoint text "[IP-Adresse#]Portnummer" from the command line or the route file into an endpoint record.
#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include <netdb.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_A2PORT";

// Host part: a name, or a dotted address that is taken even when no reverse entry exists.
static int HOST_LESEN(const char *cHost, const char *cText, IP_PORT *Port) {
    struct in_addr ia;
    bool bDotted = inet_aton(cHost, &ia) != 0;
    struct hostent *he = bDotted ? gethostbyaddr(&ia, sizeof ia, AF_INET) : gethostbyname(cHost);
    if (he != nullptr && he->h_addrtype == AF_INET && he->h_length == 4 && he->h_addr_list[0] != nullptr) {
        std::uint32_t ulNL;
        std::memcpy(&ulNL, he->h_addr_list[0], sizeof ulNL);
        Port->ulAdr = IP_NL2L(ulNL);
        return 0;
    }
    if (bDotted) {
        Port->ulAdr = IP_NL2L(ia.s_addr);
        UT_ERR_LOG(cRoutine, 0, 0, cText); // notice only: the address is usable without a name
        return 0;
    }
    UT_ERR_LOG(cRoutine, -1, 1, cText);
    return -1;
}

// Port part: leading blanks, then decimal digits (at least one); what follows the digits is ignored.
// Only the low 16 bits are kept, so 70000 becomes 4464.
static bool PORT_LESEN(const char *c, std::uint16_t *usPort) {
    while (std::isspace(static_cast<unsigned char>(*c)))
        c++;
    if (!std::isdigit(static_cast<unsigned char>(*c))) return false;
    std::uint32_t ul = 0;
    for (; std::isdigit(static_cast<unsigned char>(*c)); c++)
        ul = ul * 10 + static_cast<std::uint32_t>(*c - '0');
    *usPort = static_cast<std::uint16_t>(ul);
    return true;
}

int IP_A2PORT(const char *cPort, IP_PORT *Port) {
    if (UT_TRC_IN())
        UT_TRC("\n\n", "IP_A2PORT", "Nach Aufruf  cPort : >%s<", cPort != nullptr ? cPort : "* NULL *");
    int ier = 0;
    char cBuf[32];
    if (cPort == nullptr || Port == nullptr || std::strlen(cPort) >= sizeof cBuf) {
        // A text that does not fit is refused as a whole: a cut text could name another endpoint.
        UT_ERR_LOG(cRoutine, -1, 1, cPort);
        ier = -1;
    } else {
        std::memcpy(cBuf, cPort, std::strlen(cPort) + 1);
        const char *cPortTeil = cBuf;
        char *cHash = std::strchr(cBuf, '#');
        if (cHash != nullptr) {
            *cHash = '\0';
            ier = HOST_LESEN(cBuf, cPort, Port);
            cPortTeil = cHash + 1;
        } else {
            Port->ulAdr = 0;
        }
        // read even after a rejected host part, so that both faults are logged
        if (!PORT_LESEN(cPortTeil, &Port->usPort)) {
            UT_ERR_LOG(cRoutine, -1, 2, cPortTeil);
            ier = -1;
        }
    }
    if (UT_TRC_OUT()) {
        IP_PORT Zeig = Port != nullptr ? *Port : IP_PORT{0xFFFFFFFF, 0xFFFF};
        char cText[32];
        const char *c = IP_PORT2A(&Zeig);
        std::snprintf(cText, sizeof cText, "%s", c != nullptr ? c : "* NULL *");
        UT_TRC("\n\n", "IP_A2PORT", "Vor  RETURN   ier : %d    PORT-Adr : 0x%08lX%c%u (>%s<)", ier,
               (unsigned long)Zeig.ulAdr, '#', (unsigned)Zeig.usPort, cText);
    }
    return ier;
}
