// Time jumps and clock setting: the refused times, the time-setting message as the time-synchronisation
// process receives it (read by the stand-in on the real "/tmp/TSYNC_FIFO"), and the once-only time jump.
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"
#include "support/nt_uhr.h"

namespace {

// Start-up at 17.05.24 13:45:30, error lines into "err.log", protocol lines kept in the queue.
void RTC_START() {
    NT_UHR(2024, 5, 17, 13, 45, 30);
    ASSERT_EQ(UT_INIT(0, nullptr), 0);
    ucUT_EL_Typ = 255;
    std::snprintf(cUT_EL_Bez, sizeof cUT_EL_Bez, "%s", "err.log");
    ucUT_DR_Typ = 255;
}

bool IM_LOG(const char *cText) {
    return NT_DATEI("err.log").find(cText) != std::string::npos;
}

// The stand-in time-synchronisation process, its standard output on a pipe.
struct STANDIN {
    pid_t pid = -1;
    int fd = -1;
    std::string sRest;
};

// Next line of the stand-in, waiting at most five seconds; empty on time-out.
std::string ZEILE(STANDIN &s) {
    for (;;) {
        std::size_t n = s.sRest.find('\n');
        if (n != std::string::npos) {
            std::string z = s.sRest.substr(0, n);
            s.sRest.erase(0, n + 1);
            return z;
        }
        struct pollfd p = {s.fd, POLLIN, 0};
        char c[256];
        ssize_t k = poll(&p, 1, 5000) > 0 ? read(s.fd, c, sizeof c) : 0;
        if (k <= 0) return "";
        s.sRest.append(c, static_cast<std::size_t>(k));
    }
}

STANDIN STANDIN_START() {
    STANDIN s;
    int p[2];
    if (pipe(p) != 0) return s;
    std::fflush(nullptr);
    s.pid = fork();
    if (s.pid == 0) {
        dup2(p[1], 1);
        close(p[0]);
        execl(TSYNC_BIN, "tsync", "-t", "30", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(p[1]);
    s.fd = p[0];
    EXPECT_EQ(ZEILE(s), "bereit /tmp/TSYNC_FIFO");
    return s;
}

void STANDIN_STOP(STANDIN &s) {
    if (s.pid > 0) {
        kill(s.pid, SIGTERM);
        waitpid(s.pid, nullptr, 0);
    }
    close(s.fd);
}

} // namespace

TEST(ClockSetting, RefusesUndefinedAndInvalidTimes) {
    NT_IM_KIND([] {
        RTC_START();
        EXPECT_EQ(UT_SET_RTC(0xFFFFFFFF), -1);
        EXPECT_TRUE(IM_LOG("  UT_SET_RTC:  -1 (0xFFFFFFFF) / 0 (0x0000)  (99999999999999)\n"));
        EXPECT_EQ(UT_SET_RTC(0x58B1CDAF), -2); // 17.05.2024, hour 25
        EXPECT_TRUE(IM_LOG("  UT_SET_RTC:  -2 (0xFFFFFFFE) / 0 (0x0000)  (CI)\n"));
    });
}

TEST(ClockSetting, NoJumpWithoutTheTestSwitchOrATarget) {
    NT_IM_KIND([] {
        RTC_START();
        ulUT_Z_Set = NT_DT(2050, 3, 1, 0, 0, 0);
        ulUT_Z_Nxt = NT_DT(2024, 5, 17, 13, 45, 30);
        UT_LOOPTIME();
        EXPECT_EQ(UT_Z_JUMP(), 0);
        EXPECT_EQ(ulUT_Z_Set, NT_DT(2050, 3, 1, 0, 0, 0));
        TEST_Z_ = 1;
        ulUT_Z_Set = 0xFFFFFFFF;
        EXPECT_EQ(UT_Z_JUMP(), 0);
        EXPECT_EQ(ulUT_Z_Nxt, NT_DT(2024, 5, 17, 13, 45, 30));
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, 0);
    });
}

// Every use of the fixed FIFO is in this one case, so that no other case drains what the stand-in is to read.
TEST(ClockSetting, TimeMessagesReachTheSynchronisationProcess) {
    bool bVorher = NT_GIBT_ES("/tmp/TSYNC_FIFO");
    NT_IM_KIND([] {
        RTC_START();
        STANDIN s = STANDIN_START();

        EXPECT_EQ(UT_SET_RTC(0x58B16DAF), 0);
        EXPECT_EQ(ZEILE(s), "PID -1  Typ 7  Len 14  >20240517134530<");
        EXPECT_EQ(APP_IPC[0], -1);

        // A jump scheduled for 13:45:40 happens on the first pass after a pass at that time, once.
        TEST_Z_ = 1;
        ulUT_Z_Set = NT_DT(2050, 3, 1, 0, 0, 0);
        ulUT_Z_Nxt = NT_DT(2024, 5, 17, 13, 45, 40);
        for (int iSek : {35, 40}) {
            NT_UHR(2024, 5, 17, 13, 45, iSek);
            UT_LOOPTIME();
        }
        EXPECT_EQ(WSL_UT_DR_OPROT.lAnz, 0);
        NT_UHR(2024, 5, 17, 13, 45, 45);
        UT_LOOPTIME();
        EXPECT_EQ(ZEILE(s), "PID -1  Typ 7  Len 14  >20500301000000<");
        EXPECT_STREQ(UT_WSL_RXXX(&WSL_UT_DR_OPROT, 1),
                     "17.05.24  13:45:45  ****  Zeitsprung auf   1.03.2050 00:00:00  durchgef\x81hrt ****\n");
        EXPECT_EQ(ulUT_Z_Nxt, 0xFFFFFFFFu);
        EXPECT_EQ(ulUT_Z_Set, 0xFFFFFFFFu);

        // Channel 0 taken by another FIFO: refused, and the channel it got instead is given back.
        ASSERT_EQ(IPC_OPEN("belegt", 0), 0);
        EXPECT_EQ(UT_SET_RTC(0x58B16DAF), -3);
        EXPECT_TRUE(IM_LOG("  UT_SET_RTC:  -3 (0xFFFFFFFD) / 1 (0x0001)  (IPC_OPEN)\n"));
        EXPECT_EQ(APP_IPC[1], -1);
        IPC_CLOSE(0);
        STANDIN_STOP(s);
    });
    struct stat st;
    if (!bVorher && lstat("/tmp/TSYNC_FIFO", &st) == 0 && S_ISFIFO(st.st_mode))
        std::remove("/tmp/TSYNC_FIFO");
}
