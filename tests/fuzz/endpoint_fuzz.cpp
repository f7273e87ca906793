// libFuzzer target for endpoint texts "[IP-Adresse#]Portnummer" (command line, route file). Each input up to
// its first zero byte is converted with IP_A2PORT; host names are looked up against the private network
// namespace's resolver. A text that does not fit the 32-byte buffer changes nothing; otherwise the port is
// the number the port part starts with (modulo 65536) or, when it has none, stays as it was; no host part
// gives address 0, a dotted one its own address; an address that cannot be had stays as it was. Every record
// converted comes back unchanged through its text, and a plain dotted quad with a plain port is that text.
#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include <string>
#include "fuzz/fz.h"
#include "ip/ip.h"
#include "runtime/ut/ut.h"
#include "support/netns_guard.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = FZ_SENKE();
    return 0;
}

// The port number the text starts with (blanks before it skipped), modulo 65536; -1 when there is none.
static long PORT(const char *c) {
    while (std::isspace((unsigned char)*c))
        c++;
    if (!std::isdigit((unsigned char)*c)) return -1;
    long l = 0;
    for (; std::isdigit((unsigned char)*c); c++)
        l = (l * 10 + (*c - '0')) % 65536;
    return l;
}

// a.b.c.d with parts 0 to 255 written without leading zeros: the form IP_PORT2A writes.
static bool PUNKTIERT(const std::string &s) {
    int iTeile = 0;
    std::size_t p = 0;
    while (p <= s.size()) {
        std::size_t e = s.find('.', p);
        if (e == std::string::npos) e = s.size();
        const std::string t = s.substr(p, e - p);
        if (t.empty() || t.size() > 3 || (t.size() > 1 && t[0] == '0') ||
            t.find_first_not_of("0123456789") != std::string::npos || std::stoi(t) > 255)
            return false;
        iTeile++;
        p = e + 1;
    }
    return iTeile == 4;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    const std::string sText(reinterpret_cast<const char *>(ucData), strnlen((const char *)ucData, uSize));
    const IP_PORT stAlt{0xDEADBEEF, 0xBEEF};
    IP_PORT stPort = stAlt;
    const int ier = IP_A2PORT(sText.c_str(), &stPort);
    FZ_CHECK(ier == 0 || ier == -1);
    if (sText.size() >= 32) {
        FZ_CHECK(ier == -1 && stPort.ulAdr == stAlt.ulAdr && stPort.usPort == stAlt.usPort);
        return 0;
    }
    const std::size_t uHash = sText.find('#');
    const std::string sHost = uHash == std::string::npos ? "" : sText.substr(0, uHash);
    const std::string sPort = uHash == std::string::npos ? sText : sText.substr(uHash + 1);
    const long lPort = PORT(sPort.c_str());
    FZ_CHECK(stPort.usPort == (lPort >= 0 ? lPort : stAlt.usPort));
    struct in_addr ia {};
    const bool bPunkt = uHash != std::string::npos && inet_aton(sHost.c_str(), &ia) != 0;
    if (uHash == std::string::npos)
        FZ_CHECK(stPort.ulAdr == 0);
    else if (bPunkt)
        FZ_CHECK(stPort.ulAdr == ntohl(ia.s_addr));
    // a host part that gives no address leaves the old one (which a dotted text may name itself)
    const bool bAdrOk = uHash == std::string::npos || bPunkt || stPort.ulAdr != stAlt.ulAdr;
    FZ_CHECK(ier == (lPort >= 0 && bAdrOk ? 0 : -1));
    if (ier != 0) return 0;

    const char *c = IP_PORT2A(&stPort);
    FZ_CHECK(c != nullptr);
    const std::string sZurueck = c;
    IP_PORT stWieder{};
    FZ_CHECK(IP_A2PORT(sZurueck.c_str(), &stWieder) == 0);
    FZ_CHECK(stWieder.ulAdr == stPort.ulAdr && stWieder.usPort == stPort.usPort);
    if (PUNKTIERT(sHost) && sPort == std::to_string(lPort)) FZ_CHECK(sZurueck == sText);
    return 0;
}
