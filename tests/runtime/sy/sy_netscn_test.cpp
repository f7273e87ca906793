// System services as the scanner links them: shell commands and children, file time, console settings, and
// the disk figures measured by df children (a stand-in df on PATH prints chosen figures, slowly if asked).
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"
#include "support/nt_uhr.h"

namespace {

// A temporary working directory for the case, removed afterwards.
class ImVerz : public ::testing::Test {
  protected:
    std::string dir;
    char cAlt[4096] = {};
    void SetUp() override {
        ASSERT_NE(getcwd(cAlt, sizeof cAlt), nullptr);
        char t[] = "/tmp/sy_XXXXXX";
        ASSERT_NE(mkdtemp(t), nullptr);
        dir = t;
        ASSERT_EQ(chdir(t), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(cAlt), 0);
        std::string c = "rm -rf " + dir;
        ASSERT_EQ(std::system(c.c_str()), 0);
    }
    void SCHREIBE(const char *cName, const std::string &s) {
        std::ofstream(cName, std::ios::binary) << s;
    }
};

const char cKopf[] = "Filesystem     1K-blocks     Used Available Use% Mounted on\n";

} // namespace

TEST(ShellCommand, ExitCodeAndTraceLines) {
    FILE *fp = std::tmpfile();
    TEST_T_fpout = fp;
    TEST_T_A = 1;
    EXPECT_EQ(SY_PS_CSYST("exit 3"), 3);
    TEST_T_A = 0;
    TEST_T_fpout = stderr;
    EXPECT_EQ(SY_PS_CSYST("true"), 0);
    EXPECT_EQ(SY_PS_CSYST("exit 255"), 255);
    std::rewind(fp);
    char buf[512] = {};
    std::size_t n = std::fread(buf, 1, sizeof buf - 1, fp);
    std::fclose(fp);
    std::string t(buf, n);
    EXPECT_NE(t.find(")   SY_PS_CSYST:  Nach Aufruf   Befehl : >exit 3<"), std::string::npos) << t;
    EXPECT_NE(t.find(")   SY_PS_CSYST:  Vor  RETURN    ier : 3"), std::string::npos) << t;
}

TEST(Children, PollReportsEndAndStatusWithoutWaiting) {
    int iStat = 0;
    EXPECT_EQ(SY_PS_CPOLL(-1, &iStat), -1); // no child at all
    EXPECT_EQ(iStat, -1);
    int p[2];
    ASSERT_EQ(pipe(p), 0);
    pid_t pid = SY_PS_CFORK();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        char c;
        (void)!read(p[0], &c, 1); // runs until the parent lets it go
        _exit(5);
    }
    EXPECT_EQ(SY_PS_CPOLL(pid, &iStat), 0); // still running: no waiting
    ASSERT_EQ(write(p[1], "x", 1), 1);
    int r;
    while ((r = SY_PS_CPOLL(pid, &iStat)) == 0)
        usleep(1000);
    EXPECT_EQ(r, pid);
    EXPECT_TRUE(WIFEXITED(iStat) && WEXITSTATUS(iStat) == 5);
    close(p[0]);
    close(p[1]);
}

TEST(ExitPhase, CollectsEndedChildren) {
    pid_t pid = SY_PS_CFORK();
    ASSERT_GE(pid, 0);
    if (pid == 0) _exit(0);
    siginfo_t stInfo{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(pid), &stInfo, WEXITED | WNOWAIT), 0); // ended, not collected
    EXPECT_EQ(SY_EXIT(), 0);
    EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1); // already collected
}

// Console settings are put back at the end, and only when they were read at the start: a terminal on
// standard input must not receive an empty record.
TEST(ExitPhase, ConsoleSettingsPutBackOnlyWhenRead) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int m = posix_openpt(O_RDWR | O_NOCTTY);
        if (m < 0 || grantpt(m) != 0 || unlockpt(m) != 0) _exit(10);
        int s = open(ptsname(m), O_RDWR | O_NOCTTY);
        if (s < 0 || dup2(s, 0) < 0) _exit(11);
        struct termios t0, t1;
        tcgetattr(0, &t0);
        bSY_STDIN_ots = false; // as in a program whose set-up ended before SY_INIT
        SY_EXIT();
        tcgetattr(0, &t1);
        if (t1.c_lflag != t0.c_lflag || t1.c_iflag != t0.c_iflag || t1.c_cflag != t0.c_cflag) _exit(12);
        SY_INIT();
        t1.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON);
        tcsetattr(0, TCSANOW, &t1);
        SY_EXIT();
        tcgetattr(0, &t1);
        _exit(t1.c_lflag == t0.c_lflag ? 0 : 13);
    }
    int st = 0;
    waitpid(pid, &st, 0);
    EXPECT_TRUE(WIFEXITED(st));
    EXPECT_EQ(WEXITSTATUS(st), 0);
}

TEST(FileTime, SecondsHalvedAndMissingFile) {
    NT_UHR(2024, 5, 17, 13, 45, 31);
    UT_CLOCK_SET(nullptr);
    char t[] = "/tmp/sy_fidt_XXXXXX";
    int fd = mkstemp(t);
    ASSERT_GE(fd, 0);
    close(fd);
    struct timeval tv[2] = {{NT_UHR_ZEIT().tv_sec, 0}, {NT_UHR_ZEIT().tv_sec, 0}};
    ASSERT_EQ(utimes(t, tv), 0);
    EXPECT_EQ(SY_FI_DT(t), NT_DT(2024, 5, 17, 13, 45, 30));
    unlink(t);
    EXPECT_EQ(SY_FI_DT(t), 0xFFFFFFFFu);
}

TEST_F(ImVerz, TruncateOpenFile) {
    SCHREIBE("f", std::string(100, 'a'));
    FILE *fp = std::fopen("f", "r+");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(SY_FI_CHSIZE(fp, 10), 0);
    std::fclose(fp);
    EXPECT_EQ(NT_DATEI("f"), std::string(10, 'a'));
}

TEST(Memory, ZeroFilledTableOrNull) {
    auto *p = static_cast<unsigned char *>(SY_CALLOC(100, 8));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 800; i++)
        ASSERT_EQ(p[i], 0);
    std::free(p);
    EXPECT_EQ(SY_CALLOC(-1, 8), nullptr);
    EXPECT_EQ(SY_CALLOC(8, 0), nullptr);
}

TEST(FloatOrder, NetworkToHost) {
    const unsigned char src[4] = {0x3F, 0x80, 0x00, 0x00};
    float f = 0;
    EXPECT_EQ(SY_IEEE2F(src, reinterpret_cast<unsigned char *>(&f)), 0);
    EXPECT_EQ(f, 1.0f);
}

TEST_F(ImVerz, DfFiguresAreTakenByFieldAndRangeChecked) {
    static const struct {
        const char *cDaten; // df output after the header
        int iFeld;          // 2 = 1K-blocks, 4 = Available
        std::uint32_t ulSoll;
    } Faelle[] = {
        {"tmpfs               1000       10       500   1% /x\n", 2, 1024000},
        {"tmpfs               1000       10       500   1% /x\n", 4, 512000},
        // The columns follow the width of the file-system name: a fixed position would read the wrong digits.
        {"/dev/vda       264212084 17071764  83265424  18% /\n", 2, 0xFFFFFFFF},
        {"/dev/vda 4194303 1 4194304 1% /\n", 2, 4194303u * 1024u},
        {"/dev/vda 4194303 1 4194304 1% /\n", 4, 0xFFFFFFFF},
        // A long name alone on its line, the figures on the next.
        {"/dev/mapper/ein-sehr-langer-name\n     2000 10 700 1% /\n", 4, 700u * 1024u},
        {"x - - - - /\n", 2, 0xFFFFFFFF},
        {"x 1\n", 4, 0xFFFFFFFF},
    };
    std::uint32_t ul = 7;
    for (const auto &f : Faelle) {
        SCHREIBE("a.TMP", std::string(cKopf) + f.cDaten);
        EXPECT_EQ(SY_DF_READ("a.TMP", f.iFeld, &ul), 1) << f.cDaten;
        EXPECT_EQ(ul, f.ulSoll) << f.cDaten << f.iFeld;
        EXPECT_NE(access("a.TMP", F_OK), 0); // removed after reading
    }
    ul = 7;
    EXPECT_EQ(SY_DF_READ("fehlt.TMP", 2, &ul), -1);
    SCHREIBE("a.TMP", cKopf); // no data line: nothing read
    EXPECT_EQ(SY_DF_READ("a.TMP", 2, &ul), 0);
    EXPECT_EQ(ul, 7u);
}

// The df child: the stand-in df prints the contents of $DF_AUSGABE after $DF_SCHLAF seconds.
class DfKind : public ImVerz {
  protected:
    void SetUp() override {
        ImVerz::SetUp();
        ASSERT_EQ(mkdir("bin", 0755), 0);
        SCHREIBE("bin/df", "#!/bin/sh\nsleep \"${DF_SCHLAF:-0}\"\ncat \"$DF_AUSGABE\"\n");
        ASSERT_EQ(chmod("bin/df", 0755), 0);
        std::string path = dir + "/bin:" + std::getenv("PATH");
        setenv("PATH", path.c_str(), 1);
        setenv("DF_AUSGABE", (dir + "/df.txt").c_str(), 1);
        setenv("DF_SCHLAF", "0", 1);
    }
    void FIGUREN(int iBloecke, int iFrei) {
        SCHREIBE("df.txt", std::string(cKopf) + "tmpfs " + std::to_string(iBloecke) + " 1 " +
                               std::to_string(iFrei) + " 1% /\n");
    }
};

TEST_F(DfKind, SizeWaitsForItsChildAndRemovesTheFile) {
    FIGUREN(1000, 500);
    SCHREIBE("SY_DISKSIZE.TMP", std::string(cKopf) + "alt 9 9 9 1% /\n"); // left over from an earlier run
    EXPECT_EQ(SY_DISKSIZE(), 1024000u);
    EXPECT_NE(access("SY_DISKSIZE.TMP", F_OK), 0);
    FIGUREN(4194304, 500);
    EXPECT_EQ(SY_DISKSIZE(), 0xFFFFFFFFu);
    // df cannot be run at all: the output file stays empty, no figure
    setenv("DF_AUSGABE", "/nicht/da", 1);
    EXPECT_EQ(SY_DISKSIZE(), 0xFFFFFFFFu);
}

TEST_F(DfKind, FreeSpaceIsMeasuredInTheBackgroundAfterTheFirstCall) {
    FIGUREN(1000, 500);
    setenv("DF_SCHLAF", "0.3", 1);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(SY_DISKFREE(), 512000u); // the first call waits for its figure
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(250));
    FIGUREN(1000, 300);
    t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(SY_DISKFREE(), 512000u); // a new child runs; the last figure comes back at once
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
    EXPECT_EQ(SY_DISKFREE(), 512000u); // still running: no second child
    int iStat = 0;
    EXPECT_EQ(SY_PS_CPOLL(-1, &iStat), 0); // one child runs
    std::uint32_t ulFrei = 512000u;
    for (int i = 0; i < 200 && ulFrei == 512000u; ++i) { // a busy machine may take its time over the child
        usleep(50000);
        ulFrei = SY_DISKFREE();
    }
    EXPECT_EQ(ulFrei, 300u * 1024u); // ended: its figure is taken up
    EXPECT_NE(access("SY_DISKFREE.TMP", F_OK), 0);
    EXPECT_EQ(SY_EXIT(), 0);
    EXPECT_EQ(SY_PS_CPOLL(-1, &iStat), -1);
}
