// Starts bacsim as a child of the test on a building given as text, and stops it again. Its folder (building,
// log, capture) lies in the temporary directory and goes with the SIM that made it.
#pragma once
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

struct SIM;
inline void SIM_STOP(SIM &s);

// Owns the simulator and its folder: both go with the SIM.
struct SIM {
    pid_t pid = -1;
    std::string sDir;
    int iStatus = -1;
    SIM() = default;
    SIM(SIM &&o) noexcept {
        *this = std::move(o);
    }
    SIM &operator=(SIM &&o) noexcept { // the one given up goes with o
        std::swap(pid, o.pid), std::swap(sDir, o.sDir), iStatus = o.iStatus;
        return *this;
    }
    ~SIM() {
        SIM_STOP(*this);
        std::error_code ec;
        if (!sDir.empty()) std::filesystem::remove_all(sDir, ec);
    }
};

inline std::string SIM_READ(const std::string &sPath) {
    std::ifstream f(sPath, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Writes the building into a fresh folder in the temporary directory and waits until bacsim is ready.
inline SIM SIM_START(const std::string &sBuilding, std::vector<std::string> vExtra = {}) {
    SIM s;
    std::string sTmpl = (std::filesystem::temp_directory_path() / "simXXXXXX").string();
    s.sDir = mkdtemp(sTmpl.data());
    std::ofstream(s.sDir + "/b.txt") << sBuilding;
    std::vector<std::string> vArgs{
        BACSIM_EXE, "--log",           s.sDir + "/log", "--pcap", s.sDir + "/cap.pcap",
        "--ready",  s.sDir + "/ready", "--seconds",     "60"};
    vArgs.insert(vArgs.end(), vExtra.begin(), vExtra.end());
    vArgs.push_back(s.sDir + "/b.txt");
    s.pid = fork();
    if (s.pid == 0) {
        std::vector<char *> v;
        for (std::string &a : vArgs)
            v.push_back(a.data());
        v.push_back(nullptr);
        execv(v[0], v.data());
        _exit(127);
    }
    struct stat st {};
    for (int i = 0; i < 500 && stat((s.sDir + "/ready").c_str(), &st) != 0; ++i) {
        int iSt = 0;
        if (waitpid(s.pid, &iSt, WNOHANG) == s.pid) {
            s.iStatus = WIFEXITED(iSt) ? WEXITSTATUS(iSt) : 128;
            s.pid = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return s;
}

inline void SIM_STOP(SIM &s) {
    if (s.pid > 0) {
        kill(s.pid, SIGTERM);
        int iSt = 0;
        waitpid(s.pid, &iSt, 0);
        s.iStatus = WIFEXITED(iSt) ? WEXITSTATUS(iSt) : 128;
        s.pid = -1;
    }
}

inline std::string SIM_LOG(const SIM &s) {
    return SIM_READ(s.sDir + "/log");
}
