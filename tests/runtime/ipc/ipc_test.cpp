// FIFO message channels: the bytes on the wire, one message per receive, faulty messages and their log
// entries, the channel table, creating, refusing and draining FIFOs, and the trace of a send and a receive.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "runtime/ipc/ipc.h"
#include "runtime/ut/ut.h"
#include "support/el_probe.h"
#include "support/nt_kind.h"

namespace {

std::string KOPF(std::int32_t iPID, std::int32_t iTyp, std::int32_t iLen) {
    IPC_HEADER h = {iPID, iTyp, iLen};
    return std::string(reinterpret_cast<const char *>(&h), sizeof h);
}

const unsigned char *BYTES(const char *c) {
    return reinterpret_cast<const unsigned char *>(c);
}

class Fifo : public ::testing::Test {
  protected:
    void SetUp() override {
        NT_EL_START();
        ulUT_EL_SizeWSL = 0xFFFFFFFF; // the start-up's value: the log file is not cut under the probe
        IPC_INIT();
        NT_EL_NEU();
    }
    void TearDown() override {
        for (int i = 0; i < IPC_APP_MAX; i++)
            if (APP_IPC[i] >= 0) IPC_CLOSE(i);
        for (int fd : vRoh)
            close(fd);
        for (const std::string &s : vDateien)
            std::remove(s.c_str());
    }
    // Opens a channel on a FIFO of this test, removed afterwards.
    int OEFFNEN(const char *cName) {
        vDateien.push_back(cName);
        return IPC_OPEN(cName, 0);
    }
    // A second descriptor on the FIFO for raw bytes; it also keeps the FIFO's content alive.
    int ROH(const char *cName) {
        int fd = open(cName, O_RDWR | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        vRoh.push_back(fd);
        return fd;
    }
    static std::string ALLES(int fd) {
        std::string s;
        char c[512];
        for (ssize_t n; (n = read(fd, c, sizeof c)) > 0;)
            s.append(c, static_cast<std::size_t>(n));
        return s;
    }
    static void SCHREIBEN(int fd, const std::string &s) {
        ASSERT_EQ(write(fd, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }
    std::vector<int> vRoh;
    std::vector<std::string> vDateien;
};

} // namespace

TEST_F(Fifo, SendsTimeAndCommandMessagesByteForByte) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    int fd = ROH("f");
    EXPECT_EQ(IPC_SEND(0, 4711, -7, 0, 14, BYTES("20240517134530")), 0);
    EXPECT_EQ(ALLES(fd), KOPF(4711, 7, 14) + "20240517134530");
    const unsigned char ucDaten[3] = {1, 0, 3};
    EXPECT_EQ(IPC_SEND(0, 1, 0x86, 0x80, 3, ucDaten), 0);
    EXPECT_EQ(ALLES(fd), KOPF(1, 20, 5) + std::string("\x86\x80\x01\x00\x03", 5));
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(Fifo, ReceivesOneMessageAtATime) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    IPC_SEND(0, 1, -7, 0, 3, BYTES("abc"));
    IPC_SEND(0, 1, 0x86, 0x82, 2, BYTES("xy"));
    IPC_SEND(0, 1, -99, 0, 3, BYTES("sys"));
    IPC_SEND(0, 1, 0x11, 0x22, 0, nullptr);
    unsigned char ucBuf[100];
    int iCMD = 5, iSCMD = 0;
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 3);
    EXPECT_EQ(iCMD, -7);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(ucBuf), 3), "abc");
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 2);
    EXPECT_EQ(iCMD, 0x86);
    EXPECT_EQ(iSCMD, 0x82);
    EXPECT_EQ(std::string(reinterpret_cast<char *>(ucBuf), 2), "xy");
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 3);
    EXPECT_EQ(iCMD, -99);
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 0); // command without data
    EXPECT_EQ(iCMD, 0x11);
    EXPECT_EQ(iSCMD, 0x22);
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -1);
    EXPECT_EQ(iCMD, 0);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(Fifo, CommandDataLongerThanTheBufferStaysInTheFifo) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    int fd = ROH("f");
    IPC_SEND(0, 1, 0x86, 0x80, 10, BYTES("0123456789"));
    unsigned char ucBuf[4];
    int iCMD = 0, iSCMD = 0;
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -10);
    EXPECT_EQ(NT_EL_NEU(), std::vector<std::string>{"IPC_RECV:  -10 (0xFFFFFFF6) / 12 (0x000C)  (BodyLen)"});
    EXPECT_EQ(ALLES(fd), "0123456789");
}

TEST_F(Fifo, FaultyHeadersAreLogged) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    int fd = ROH("f");
    unsigned char ucBuf[16];
    int iCMD = 0, iSCMD = 0;
    SCHREIBEN(fd, KOPF(1, 5, 3) + "abc");
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -10);
    std::vector<std::string> v = NT_EL_NEU();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].rfind("IPC_RECV:  -10 (0xFFFFFFF6) / ", 0), 0u);
    EXPECT_NE(v[0].find("  (IPC_TYPE)"), std::string::npos);
    EXPECT_EQ(ALLES(fd), "abc"); // the body of an unknown type stays

    // A command message announcing fewer than its two code bytes takes nothing of the next message.
    SCHREIBEN(fd, KOPF(1, 20, 1) + KOPF(2, 7, 1) + "z");
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -10);
    EXPECT_EQ(NT_EL_NEU(), std::vector<std::string>{"IPC_RECV:  -10 (0xFFFFFFF6) / 1 (0x0001)  (BodyLen)"});
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 1);
    EXPECT_EQ(iCMD, -7);

    SCHREIBEN(fd, "kurz");
    EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -10);
    v = NT_EL_NEU();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_NE(v[0].find("  (IPC_HEADER)"), std::string::npos);
}

// A header whose body never comes (the channel holds the FIFO's write end itself, so no end of file either):
// the receive gives up after its short wait instead of waiting for ever. alarm() turns a hang into a failure.
TEST_F(Fifo, BodyThatNeverComesEndsTheReceive) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    int fd = ROH("f");
    const int iAlt = iIPC_WarteMs;
    iIPC_WarteMs = 20;
    alarm(10);
    const struct {
        std::string sFifo;
        int ier;
        const char *cLog; // the text that closes the log entry, or none
    } fall[] = {
        {KOPF(1, 7, 5), -1, nullptr},
        {KOPF(1, 99, 1), -1, nullptr},
        {KOPF(1, 20, 4), -10, "(IPC_TYPE)"},
        {KOPF(1, 20, 4) + "\x86", -10, "(IPC_TYPE)"},
        {KOPF(1, 20, 4) + "\x86\x80", -10, "(IPC_MESSAGE)"},
        {KOPF(1, 20, 4) + "\x86\x80x", -10, "(IPC_MESSAGE)"},
    };
    for (const auto &f : fall) {
        SCHREIBEN(fd, f.sFifo);
        unsigned char ucBuf[16];
        int iCMD = 0, iSCMD = 0;
        EXPECT_EQ(IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), f.ier) << f.sFifo.size();
        std::vector<std::string> v = NT_EL_NEU();
        ASSERT_EQ(v.size(), f.cLog != nullptr ? 1u : 0u) << f.sFifo.size();
        if (f.cLog != nullptr) {
            EXPECT_NE(v[0].find(f.cLog), std::string::npos) << v[0];
        }
        EXPECT_EQ(ALLES(fd), "");
    }
    alarm(0);
    iIPC_WarteMs = iAlt;
}

TEST_F(Fifo, FourChannelsAndTheirChecks) {
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(OEFFNEN(("k" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(OEFFNEN("k4"), -2);
    EXPECT_FALSE(NT_GIBT_ES("k4"));
    EXPECT_EQ(IPC_CLOSE(2), 0);
    EXPECT_EQ(IPC_CLOSE(2), -3);
    EXPECT_EQ(IPC_CLOSE(4), -2);
    EXPECT_EQ(IPC_CLOSE(-1), -2);
    EXPECT_EQ(IPC_SEND(2, 1, -7, 0, 1, BYTES("a")), -3);
    EXPECT_EQ(IPC_SEND(4, 1, -7, 0, 1, BYTES("a")), -2);
    unsigned char ucBuf[4];
    int iCMD = 0, iSCMD = 0;
    EXPECT_EQ(IPC_RECV(4, &iCMD, &iSCMD, 4, ucBuf), -2);
    EXPECT_EQ(IPC_RECV(2, &iCMD, &iSCMD, 4, ucBuf), -3);
    EXPECT_EQ(IPC_RECV(1, &iCMD, &iSCMD, 0, ucBuf), -4);
    EXPECT_EQ(IPC_RECV(1, &iCMD, &iSCMD, 4, nullptr), -5);
    EXPECT_EQ(OEFFNEN("k2"), 2);
    EXPECT_TRUE(NT_EL_NEU().empty());
    // Only the first IPC_INIT clears the table.
    EXPECT_GE(IPC_INIT(), 1);
    EXPECT_GE(APP_IPC[2], 0);
}

TEST_F(Fifo, NewFifoIsForEverybodyAnOldOneKeepsOwnerAndIsDrained) {
    mode_t alt = umask(022);
    ASSERT_EQ(OEFFNEN("neu"), 0);
    EXPECT_EQ(umask(alt), 022);
    struct stat st;
    ASSERT_EQ(stat("neu", &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, 0777u);

    vDateien.push_back("alt");
    ASSERT_EQ(mkfifo("alt", 0600), 0);
    ASSERT_EQ(chown("alt", 65534, 65534), 0);
    int fd = ROH("alt");
    // What an earlier user left: a time message, a command, and the remains of a message.
    SCHREIBEN(fd, KOPF(1, 7, 14) + "20240517134530" + KOPF(1, 20, 3) + "\x86\x80x" + "rest");
    ASSERT_EQ(IPC_OPEN("alt", 0), 1);
    ASSERT_EQ(stat("alt", &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    unsigned char ucBuf[32];
    int iCMD = 0, iSCMD = 0;
    EXPECT_EQ(IPC_RECV(1, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), -1);
    EXPECT_EQ(ALLES(fd), "");
    IPC_SEND(1, 2, -7, 0, 2, BYTES("ok"));
    EXPECT_EQ(IPC_RECV(1, &iCMD, &iSCMD, sizeof ucBuf, ucBuf), 2);
    EXPECT_TRUE(NT_EL_NEU().empty());
}

TEST_F(Fifo, RefusesWhatIsNoFifo) {
    vDateien.push_back("datei");
    vDateien.push_back("link");
    { std::ofstream("datei") << "inhalt"; }
    ASSERT_EQ(symlink("datei", "link"), 0);
    EXPECT_EQ(IPC_OPEN("datei", 0), -1);
    EXPECT_EQ(IPC_OPEN("link", 0), -1);
    EXPECT_EQ(APP_IPC[0], -1);
    EXPECT_EQ(NT_DATEI("datei"), "inhalt");
    std::vector<std::string> v = NT_EL_NEU();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_NE(v[0].find("IPC_OPEN:  -1 (0xFFFFFFFF) / "), std::string::npos);
    EXPECT_NE(v[0].find("  (datei)"), std::string::npos);

    EXPECT_EQ(IPC_OPEN("fehlt/f", 0), -1);
    EXPECT_EQ(iIPC_Error, ENOENT);
    EXPECT_EQ(NT_EL_NEU(), std::vector<std::string>{"IPC_OPEN:  -1 (0xFFFFFFFF) / 2 (0x0002)  (fehlt/f)"});
}

TEST_F(Fifo, CommandDataWithinTheProgramsBuffer) {
#ifdef NT_NETSCN
    const int iMax = 66;
#else
    const int iMax = 78;
#endif
    ASSERT_EQ(OEFFNEN("f"), 0);
    int fd = ROH("f");
    std::string s(iMax + 1, 'd');
    EXPECT_EQ(IPC_SEND(0, 1, 0x86, 0x80, iMax + 1, BYTES(s.c_str())), -4);
    EXPECT_EQ(IPC_SEND(0, 1, 0x86, 0x80, -1, BYTES(s.c_str())), -4);
    EXPECT_EQ(ALLES(fd), "");
    EXPECT_EQ(IPC_SEND(0, 1, 0x86, 0x80, iMax, BYTES(s.c_str())), 0);
    EXPECT_EQ(ALLES(fd).size(), 12u + 2u + static_cast<unsigned>(iMax));
    // A time or system message is not put together in that buffer.
    EXPECT_EQ(IPC_SEND(0, 1, -99, 0, iMax + 1, BYTES(s.c_str())), 0);
}

TEST_F(Fifo, DescriptorZeroIsAChannelLikeAnyOther) {
    vDateien.push_back("null");
    std::fflush(nullptr);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        close(0);
        int ok = IPC_OPEN("null", 0) == 0 && APP_IPC[0] == 0 && IPC_SEND(0, 1, -7, 0, 1, BYTES("a")) == 0;
        unsigned char c[4];
        int iCMD = 0, iSCMD = 0;
        ok = ok && IPC_RECV(0, &iCMD, &iSCMD, 4, c) == 1 && IPC_CLOSE(0) == 0;
        _exit(ok ? 0 : 1);
    }
    int st = 0;
    waitpid(pid, &st, 0);
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0);
}

TEST_F(Fifo, TraceOfSendAndReceive) {
    ASSERT_EQ(OEFFNEN("f"), 0);
    FILE *fp = std::tmpfile();
    ASSERT_NE(fp, nullptr);
    FILE *alt = TEST_T_fpout;
    TEST_T_fpout = fp;
    TEST_T_A = 1;
    IPC_SEND(0, 4711, -7, 0, 2, BYTES("ab"));
    unsigned char ucBuf[8];
    int iCMD = 0, iSCMD = 0;
    IPC_RECV(0, &iCMD, &iSCMD, sizeof ucBuf, ucBuf);
    TEST_T_A = 0;
    TEST_T_fpout = alt;
    std::rewind(fp);
    std::string s;
    for (int c; (c = std::fgetc(fp)) != EOF;)
        s += static_cast<char>(c);
    std::fclose(fp);
    for (const char *c :
         {"   IPC_SEND:  Nach Aufruf    iIndex : 0\n          iPID : 4711\n          iCMD : 0xfffffff9"
          "\n         iSCMD : 0x00\n\n  MESSAGE:   Anzahl : 2 Byte\n                  Byte[000] : 0x61",
          "   IPC_SEND:  Vor  RETURN    ier : 0", "   IPC_RECV:  Nach Aufruf    iIndex : 0   iLen : 8",
          "   IPC_RECV:  Nach READ-HEADER   iier : 12   PID : 4711   Typ : 7   Len : 2",
          "   IPC_RECV:  Nach READ-TSYNC_BODY   iier : 2   Msg : >ab<",
          "   IPC_RECV:  Vor  RETURN    ier : 2"})
        EXPECT_NE(s.find(c), std::string::npos) << c << "\nin\n" << s;
}
