// The netscn program as a whole, started inside the private network namespace of the test harness: banner
// and option echo, endpoint argument, trace switches and trace file, verdict and exit status.
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "support/netns_guard.h"

namespace {

struct Lauf {
    int iStatus = -1;
    std::string cOut, cErr;
};

std::string DATEI(const std::string &cName) {
    std::ifstream f(cName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class NetscnLauf : public ::testing::Test {
  protected:
    std::string dir;
    std::string cOrdner;           // working folder of the run, the test directory when empty
    std::vector<std::string> vVor; // a command that runs netscn (e.g. strace with its options), if any
    void SetUp() override {
        NT_REQUIRE_PRIVATE_NETNS();
        char t[] = "/tmp/sc_main_XXXXXX";
        ASSERT_NE(mkdtemp(t), nullptr);
        dir = t;
    }
    void TearDown() override {
        std::string c = "rm -rf " + dir;
        ASSERT_EQ(std::system(c.c_str()), 0);
    }
    // Runs netscn in the working folder with these arguments after the program name; bLeer gives it an empty
    // argument vector (not even a program name). Standard output and error go to files in the test directory.
    Lauf LAUF(std::vector<std::string> vArgs, bool bLeer = false) {
        Lauf l;
        std::string cOut = dir + "/stdout", cErr = dir + "/stderr";
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir((cOrdner.empty() ? dir : cOrdner).c_str()) != 0) _exit(120);
            int o = open(cOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int e = open(cErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) _exit(121);
            setenv("HOST", "127.0.0.1", 1);
            std::vector<char *> argv;
            for (auto &v : vVor)
                argv.push_back(v.data());
            if (!bLeer) argv.push_back(const_cast<char *>(vVor.empty() ? "netscn" : NETSCN_BIN));
            for (auto &a : vArgs)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            if (vVor.empty())
                execv(NETSCN_BIN, argv.data());
            else
                execvp(argv[0], argv.data());
            _exit(122);
        }
        int st = 0;
        waitpid(pid, &st, 0);
        l.iStatus = WIFEXITED(st) ? WEXITSTATUS(st) : 1000 + WTERMSIG(st);
        l.cOut = DATEI(cOut);
        l.cErr = DATEI(cErr);
        return l;
    }
};

// The banner starts after 25 line feeds with the time stamp "dd.mm.yy  hh:mm:ss".
void BANNER(const std::string &s, int iPort) {
    ASSERT_GE(s.size(), 25u + 18u);
    EXPECT_EQ(s.substr(0, 25), std::string(25, '\n'));
    EXPECT_NE(s[25], '\n');
    std::string cSoll = "   ZDB-Referenz-Datei wird erstellt f\x81r BACnet auf IP-Port " +
                        std::to_string(iPort) + "\n      mit folgenden Aufrufparametern :\n";
    EXPECT_EQ(s.substr(25 + 18, cSoll.size()), cSoll);
}

} // namespace

TEST_F(NetscnLauf, EndpointSwitchesAndTraceFile) {
    Lauf l = LAUF({"127.0.0.1#47809", "-tx", "-ta4", "-TDtrace.txt"});
    EXPECT_EQ(l.iStatus, 0) << l.cOut << l.cErr;
    BANNER(l.cOut, 47809);
    EXPECT_NE(l.cOut.find("\n      mit folgenden Aufrufparametern :\n\n        Opt. Parameter : -tx"
                          "\n        Opt. Parameter : -ta4\n        Opt. Parameter : -TDtrace.txt"),
              std::string::npos);
    EXPECT_EQ(l.cOut.find("127.0.0.1#47809"), std::string::npos); // the endpoint is not echoed
    EXPECT_EQ(l.cOut.find("ABBRUCH"), std::string::npos);
    EXPECT_EQ(l.cOut.substr(l.cOut.size() - 2), "\n\n");
    std::string t = DATEI(dir + "/trace.txt");
    std::size_t p = t.find(")   SC_INIT:  Gesetzte Testschalter sind :\n");
    ASSERT_NE(p, std::string::npos) << t;
    std::string cListe = t.substr(p);
    EXPECT_EQ(cListe.find("\n      TEST_T_A\n"), std::string::npos);
    EXPECT_NE(cListe.find("\n      TEST_T_A4\n      TEST_T_X"), std::string::npos) << cListe;
    EXPECT_NE(
        t.find(")   SC_INIT:  Vor  RETURN    ier : 0 \n\n    IP_Adr. : 0x7F000001\n    IP_Port : 47809"),
        std::string::npos)
        << t;
    EXPECT_NE(t.find(")   NETSCN:  Nach SC_INIT   ier : 0"), std::string::npos);
    // Exit lines only: -TA4 sets no entry trace.
    EXPECT_EQ(t.find("Nach Aufruf"), std::string::npos);
    // The end phase writes its line before the file is closed at program end.
    EXPECT_NE(t.find(")   NETSCN:  Nach SC_EXIT   iier : 0"), std::string::npos) << t;
    EXPECT_EQ(l.cErr.find("SC_INIT"), std::string::npos); // the trace went to the file
}

TEST_F(NetscnLauf, EndpointOnlyInFirstPosition) {
    Lauf l = LAUF({"-TX", "47809"});
    EXPECT_EQ(l.iStatus, 0) << l.cOut << l.cErr;
    BANNER(l.cOut, 47808);
    EXPECT_NE(l.cOut.find("\n        Opt. Parameter : -TX"), std::string::npos);
    EXPECT_EQ(l.cOut.find("47809"), std::string::npos);
    // Without -TD the trace goes to standard error.
    EXPECT_NE(l.cErr.find("Gesetzte Testschalter sind :\n\n      TEST_T_X"), std::string::npos) << l.cErr;
}

TEST_F(NetscnLauf, OptionTextsAndIgnoredArguments) {
    Lauf l = LAUF({"kein#port", "/Aanh", "-B", "-eVOR", "-TX1", "-Z", "-ta", "-TX", "127.0.0.1#47809"});
    EXPECT_EQ(l.iStatus, 0) << l.cOut << l.cErr;
    BANNER(l.cOut, 47808); // a wrong endpoint text and a later one are ignored
    EXPECT_NE(
        l.cErr.find("Gesetzte Schalter sind :\n\n      Anf\x81geDpId : >anh<\n      EndePrefix : >VOR<"),
        std::string::npos)
        << l.cErr;
    EXPECT_EQ(l.cErr.find("BeginnDpId"), std::string::npos);
    EXPECT_NE(l.cErr.find("Testschalter sind :\n\n      TEST_T_A\n      TEST_T_X"), std::string::npos);
    // The set-up's entry line comes before the options are read; later entry lines follow -ta.
    EXPECT_EQ(l.cErr.find("SC_INIT:  Nach Aufruf"), std::string::npos);
    EXPECT_NE(l.cErr.find(")   SC_EXIT:  Nach Aufruf"), std::string::npos);
    EXPECT_NE(l.cErr.find("SC_INIT:  Vor  RETURN    ier : 0 \n\n    IP_Port : 47808"), std::string::npos);
}

// A malformed -F or -D ends the set-up before anything is opened: the option named, status 1, no file. A good
// one is echoed like every option and listed by -TX.
TEST_F(NetscnLauf, MalformedBbmdOrDeviceRange) {
    for (const std::string cArg :
         {"-F", "-F10.0.0.256", "-f10.0.0.5#0", "-F10.0.0.5#47808#9", "-F255.255.255.255", "-F10.0.0.5#1#10#",
          "-D", "-d7-3", "-D4194303", "-D1-2-3"}) {
        const bool bF = cArg[1] == 'F' || cArg[1] == 'f';
        const std::string sText = bF ? "Unzul\x84ssige BBMD-Angabe " : "Unzul\x84ssiger Device-Bereich ";
        Lauf l = LAUF({"-TX", cArg});
        EXPECT_EQ(l.iStatus, 1) << cArg;
        EXPECT_NE(l.cOut.find("\n\n***  " + sText + cArg + "  ***"), std::string::npos) << l.cOut;
        EXPECT_NE(l.cOut.find("Opt. Parameter : " + cArg), std::string::npos);
        EXPECT_NE(l.cOut.find("ABBRUCH nach Bearbeitungsfehler : -11" + std::string(bF ? "5" : "6")),
                  std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir + "/netscn.dev") ||
                     std::filesystem::exists(dir + "/netscn.ref"));
    }
    Lauf l = LAUF({"-TX", "-D0-4194302", "-f127.0.0.9#47900#65535"});
    EXPECT_NE(
        l.cErr.find("\n      BBMD       : >127.0.0.9#47900<  TTL : 65535\n      Devices    : >0-4194302<"),
        std::string::npos)
        << l.cErr;
}

TEST_F(NetscnLauf, UnopenableTraceFileFallsBackSilently) {
    Lauf l = LAUF({"-TD" + dir, "-TA4"});
    EXPECT_EQ(l.iStatus, 0);
    EXPECT_NE(l.cErr.find(")   NETSCN:  Nach SC_INIT   ier : 0"), std::string::npos) << l.cErr;
}

// --help and --version answer before the scanner sets anything up, also after other options: strace sees no
// socket, no child process and no file opened for writing, and the working folder stays empty.
TEST_F(NetscnLauf, HelpAndVersionOpenNothing) {
    ASSERT_EQ(std::system("command -v strace >/dev/null"), 0) << "strace missing (setup.sh installs it)";
    cOrdner = dir + "/leer";
    ASSERT_EQ(mkdir(cOrdner.c_str(), 0755), 0);
    std::string cLog = dir + "/strace.log";
    std::string cRufe = "trace=socket,socketpair,connect,bind,sendto,sendmsg,clone,clone3,fork,vfork,execve,"
                        "open,openat,creat,mknodat";
    // The sanitizer build's leak check cannot work under ptrace: it is switched off for these runs.
    const char *cAsan = std::getenv("ASAN_OPTIONS");
    std::string cAsanOpt =
        "ASAN_OPTIONS=" + (cAsan && *cAsan ? std::string(cAsan) + ":" : "") + "detect_leaks=0";
    vVor = {"env", cAsanOpt, "strace", "-f", "-qq", "-o", cLog, "-e", cRufe};
    const std::string cUsage = "Usage: netscn [[ADDRESS#]PORT] [OPTION]...\n";
    const std::string cVersion = std::string("netscn ") + NETSCN_VERSION + "\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> vFaelle = {
        {{"--help"}, cUsage},
        {{"-TDtrace.txt", "-TA", "--help"}, cUsage},
        {{"127.0.0.1#47809", "-TX", "-P4", "-R0", "-U", "--version"}, cVersion},
        {{"--version", "-TDtrace.txt", "--help"}, cVersion}};
    for (const auto &[vArgs, cAnfang] : vFaelle) {
        SCOPED_TRACE(vArgs.front() + " ... " + vArgs.back());
        Lauf l = LAUF(vArgs);
        EXPECT_EQ(l.iStatus, 0) << l.cErr;
        EXPECT_EQ(l.cOut.substr(0, cAnfang.size()), cAnfang);
        EXPECT_EQ(l.cErr, "");
        EXPECT_TRUE(std::filesystem::is_empty(cOrdner));
        // Allowed: the program's own start and the read-only opens of the dynamic loader.
        std::istringstream sLog(DATEI(cLog));
        int iExec = 0;
        for (std::string z; std::getline(sLog, z);) {
            // "PID  name(arguments) = result", the process id padded with blanks
            std::size_t uAnf = z.find_first_not_of("0123456789 ");
            std::string cRuf = uAnf == std::string::npos ? z : z.substr(uAnf, z.find('(') - uAnf);
            bool bSchreibt = z.find("O_WRONLY") != std::string::npos ||
                             z.find("O_RDWR") != std::string::npos || z.find("O_CREAT") != std::string::npos;
            if (cRuf == "execve" && iExec++ == 0) continue;
            if ((cRuf == "openat" || cRuf == "open") && !bSchreibt) continue;
            ADD_FAILURE() << "system call: " << z;
        }
        EXPECT_EQ(iExec, 1);
    }
}

// A -J or -X name that is missing, apart from its option, a directory or a file of the scanner's own ends the
// set-up before anything is sent: the console says why, exit status 1, the earlier reference file untouched.
// A malformed -P or -R is named and ignored.
TEST_F(NetscnLauf, UnfitOutputNamesAndMalformedNumbers) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> vFaelle = {
        {{"-J"}, "Bericht: Name fehlt, zul\x84ssig ist -J<Name>"},
        {{"-J", "bericht.json"}, "Bericht: Name \"bericht.json\" getrennt von -J, zul\x84ssig ist -J<Name>"},
        {{"-Jordner"}, "Bericht ordner ist ein Verzeichnis"},
        {{"-Jnetscn.ref"}, "Bericht netscn.ref ist dieselbe Datei wie netscn.ref"},
        {{"-Jcfg/../netscn.dev"}, "Bericht cfg/../netscn.dev ist dieselbe Datei wie netscn.dev"},
        {{"-Jcfg/dp_atb.txt"}, "Bericht cfg/dp_atb.txt ist dieselbe Datei wie cfg/dp_atb.txt"},
        {{"-X"}, "EDE-Datei: Name fehlt, zul\x84ssig ist -X<Name>"},
        {{"-x", "ede"}, "EDE-Datei: Name \"ede\" getrennt von -X, zul\x84ssig ist -X<Name>"},
        {{"-Xlink"}, "EDE-Datei link_EDE.csv ist dieselbe Datei wie qx/qx04ddev.bn"}};
    const std::string c = "cd " + dir +
                          " && mkdir ordner cfg qx && echo alt >netscn.ref && touch cfg/dp_atb.txt " +
                          "qx/qx04ddev.bn && ln -s qx/qx04ddev.bn link_EDE.csv";
    ASSERT_EQ(std::system(c.c_str()), 0);
    for (const auto &[vArgs, sText] : vFaelle) {
        Lauf l = LAUF(vArgs);
        EXPECT_EQ(l.iStatus, 1) << vArgs[0];
        EXPECT_NE(l.cOut.find("\n\n***  " + sText + "  ***"), std::string::npos) << l.cOut;
        EXPECT_EQ(DATEI(dir + "/netscn.ref"), "alt\n");
        EXPECT_FALSE(std::filesystem::exists(dir + "/netscn.dev"));
    }
    Lauf l = LAUF({"-Pabc", "-R12", "-P 4"});
    EXPECT_EQ(l.iStatus, 0);
    for (const char *cArg : {"-Pabc wird ignoriert, zul\x84ssig ist -P1 bis -P64",
                             "-R12 wird ignoriert, "
                             "zul\x84ssig ist -R0 bis -R9",
                             "-P 4 wird ignoriert"})
        EXPECT_NE(l.cOut.find(std::string("***  Unzul\x84ssige Angabe ") + cArg), std::string::npos)
            << l.cOut;
}
