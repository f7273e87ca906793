// System services as the converter links them: disk figures from the file-system statistics, saturated to
// 32 bits, and the file size.
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/vfs.h>
#include <unistd.h>
#include "runtime/sy/sy.h"
#include "runtime/ut/ut.h"

TEST(StatfsFigures, SaturateFromTwoGiBWithFourKiBBlocks) {
    EXPECT_EQ(SY_SF_BYTES(4096, 262144), 1073741824u); // 1 GiB
    EXPECT_EQ(SY_SF_BYTES(4096, 524287), 2147479552u);
    EXPECT_EQ(SY_SF_BYTES(4096, 524288), 0xFFFFFFFFu); // 2 GiB
    EXPECT_EQ(SY_SF_BYTES(4096, 1ULL << 40), 0xFFFFFFFFu);
    EXPECT_EQ(SY_SF_BYTES(4096, (1ULL << 40) | 5), 0xFFFFFFFFu);              // high bits alone count too
    EXPECT_EQ(SY_SF_BYTES(1024, (1ULL << 21) - 1), ((1u << 21) - 1) * 1024u); // 1024 has 11 bits
    EXPECT_EQ(SY_SF_BYTES(1024, 1ULL << 21), 0xFFFFFFFFu);
    EXPECT_EQ(SY_SF_BYTES(0, 12345), 0u);
    EXPECT_EQ(SY_SF_BYTES(4096, 0), 0u);
}

TEST(StatfsFigures, WorkingDirectoryMeasured) {
    struct statfs sf;
    ASSERT_EQ(statfs(".", &sf), 0);
    EXPECT_EQ(SY_DISKSIZE(), SY_SF_BYTES(static_cast<unsigned long>(sf.f_bsize), sf.f_blocks));
    EXPECT_NE(SY_DISKSIZE(), 0u);
    EXPECT_NE(SY_DISKFREE(), 0u);
}

TEST(FileSize, SizeOrUndefined) {
    char t[] = "/tmp/sy_fisz_XXXXXX";
    int fd = mkstemp(t);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, std::string(1234, 'x').data(), 1234), 1234);
    close(fd);
    EXPECT_EQ(SY_FI_SIZE(t), 1234u);
    unlink(t);
    EXPECT_EQ(SY_FI_SIZE(t), 0xFFFFFFFFu);
}
