// bacsim entry: options, the namespace guard, loading the building, opening the endpoints, serving.
#include "tests/support/netns_guard.h"
#include "tools/bacsim/bacsim.h"
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

int Usage() {
    std::fprintf(
        stderr,
        "usage: bacsim [--log FILE] [--pcap FILE] [--ready FILE] [--seconds N] [--seed N] [--hub PORT ...] "
        "[--with-parent] [--list-hosts] BUILDING   (bacsim --help explains)\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    const char *cLog = nullptr, *cPcap = nullptr, *cReady = nullptr, *cFile = nullptr;
    double dSeconds = 0;
    std::uint64_t ullSeed = 1;
    bool bCheck = false, bList = false, bWithParent = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool bNext = i + 1 < argc;
        if (a == "--help" || a == "-h") {
            std::fputs(BS_HELP(), stdout);
            return 0;
        } else if (a == "--log" && bNext) {
            cLog = argv[++i];
        } else if (a == "--pcap" && bNext) {
            cPcap = argv[++i];
        } else if (a == "--ready" && bNext) {
            cReady = argv[++i];
        } else if (a == "--seconds" && bNext) {
            dSeconds = std::atof(argv[++i]);
        } else if (a == "--seed" && bNext) {
            std::string sSeed = argv[++i];
            if (sSeed.empty() || sSeed.size() > 19 ||
                sSeed.find_first_not_of("0123456789") != std::string::npos)
                return Usage();
            ullSeed = std::strtoull(sSeed.c_str(), nullptr, 10);
        } else if (a == "--hub" && bNext) {
            stBS_Hub.iPort = std::atoi(argv[++i]);
            if (stBS_Hub.iPort < 1 || stBS_Hub.iPort > 65535) return Usage();
        } else if (a == "--hub-cert" && bNext) {
            stBS_Hub.sCert = argv[++i];
        } else if (a == "--hub-key" && bNext) {
            stBS_Hub.sKey = argv[++i];
        } else if (a == "--hub-ca" && bNext) {
            stBS_Hub.sCa = argv[++i];
        } else if (a == "--hub-path" && bNext) {
            stBS_Hub.sPath = argv[++i];
        } else if (a == "--hub-drop" && bNext) {
            char *cEnd = nullptr;
            stBS_Hub.ulDropAfter = static_cast<std::uint32_t>(std::strtoul(argv[++i], &cEnd, 10));
            if (cEnd == nullptr || *cEnd != ':' || stBS_Hub.ulDropAfter == 0) return Usage();
            stBS_Hub.dDownSeconds = std::atof(cEnd + 1);
        } else if (a == "--hub-dup-vmac") {
            stBS_Hub.bDupVmac = true;
        } else if (a == "--with-parent") {
            bWithParent = true;
        } else if (a == "--check") {
            bCheck = true;
        } else if (a == "--list-hosts") {
            bList = true;
        } else if (a[0] != '-' && cFile == nullptr) {
            cFile = argv[i];
        } else {
            return Usage();
        }
    }
    if (cFile == nullptr) return Usage();
    std::string sErr;
    stBS_Bld.ullSeed = ullSeed;
    if (!BS_LOAD(cFile, stBS_Bld, sErr)) {
        std::fprintf(stderr, "bacsim: %s\n", sErr.c_str());
        return 2;
    }
    if (bList) {
        for (std::size_t i = 0; i < stBS_Bld.vHosts.size(); ++i) {
            const BS_HOST &h = stBS_Bld.vHosts[i];
            const BS_HUB_VMAC_T v = BS_HUB_VMAC(i);
            if (stBS_Hub.iPort == 0)
                std::printf("%s\n", BS_IPTEXT(h.ulIp, h.usPort).c_str());
            else
                std::printf("%s vmac %02X:%02X:%02X:%02X:%02X:%02X\n", BS_IPTEXT(h.ulIp, h.usPort).c_str(),
                            v[0], v[1], v[2], v[3], v[4], v[5]);
        }
        return 0;
    }
    if (bCheck) return 0;
    if (!NT_IN_PRIVATE_NETNS()) {
        std::fprintf(stderr, "bacsim: refusing to send outside a private network namespace "
                             "(run it through tests/harness/netns-run or tests/harness/bench-net)\n");
        return 97;
    }
    // A bench that dies without cleaning up takes its simulator with it.
    pid_t iParent = getppid();
    if (bWithParent && (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != iParent)) return 1;
    if (cLog != nullptr && (fpBS_Log = std::fopen(cLog, "w")) == nullptr) {
        std::fprintf(stderr, "bacsim: cannot write %s\n", cLog);
        return 2;
    }
    if (cPcap != nullptr && !BS_PCAP_OPEN(cPcap)) {
        std::fprintf(stderr, "bacsim: cannot write %s\n", cPcap);
        return 2;
    }
    if (stBS_Hub.iPort != 0 && (stBS_Hub.sCert.empty() || stBS_Hub.sKey.empty() || stBS_Hub.sCa.empty())) {
        std::fprintf(stderr, "bacsim: --hub needs --hub-cert, --hub-key and --hub-ca\n");
        return 2;
    }
    if (stBS_Hub.iPort != 0 ? !BS_HUB_OPEN(sErr) : !BS_NET_OPEN(stBS_Bld, sErr)) {
        std::fprintf(stderr, "bacsim: %s\n", sErr.c_str());
        return 1;
    }
    for (const BS_DEVICE &d : stBS_Bld.vDevs)
        if (d.bIamAtStart) {
            BS_IAM_SEND(d, true, 0, 0);
            BS_LOG("host=" + BS_IPTEXT(stBS_Bld.vHosts[d.uHost].ulIp, stBS_Bld.vHosts[d.uHost].usPort) +
                   " dev=" + std::to_string(d.ulInst) + " event=iam-at-start");
        }
    if (cReady != nullptr) {
        FILE *fp = std::fopen(cReady, "w");
        if (fp != nullptr) std::fclose(fp);
    }
    BS_RUN(dSeconds);
    BS_HUB_CLOSE();
    BS_PCAP_CLOSE();
    if (fpBS_Log != nullptr) std::fclose(fpBS_Log);
    return 0;
}
