// Queue files: the buffered single entry, loading, long text entries, look-ahead, compaction, discarding,
// binary records, rejected arguments and write failures.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "support/nt_kind.h"

namespace {

std::string LESEN(UT_WSL_Struct *q) {
    const char *c = UT_WSL_READ(q);
    return c != nullptr ? c : "* NULL *";
}

void SCHREIBEN(const char *cName, const std::string &cInhalt) {
    std::ofstream(cName, std::ios::binary) << cInhalt;
}

// Writes the queue file and loads the queue from it: the count, or 99 when the load failed.
std::int64_t LADEN(UT_WSL_Struct *q, const char *cName, const std::string &cInhalt, int iLen = 0) {
    SCHREIBEN((std::string(cName) + ".WSL").c_str(), cInhalt);
    return UT_WSL_INIT(q, cName, iLen) == 0 ? q->lAnz : 99;
}

} // namespace

TEST(Queue, FreshTextQueueKeepsItsFirstEntryInTheRecord) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "TQ", 0), 0);
        EXPECT_FALSE(NT_GIBT_ES("TQ.WSL"));
        EXPECT_EQ(UT_WSL_WRIT(&q, "eins"), 0);
        EXPECT_FALSE(NT_GIBT_ES("TQ.WSL"));
        EXPECT_EQ(q.lAnz, -1);
        EXPECT_EQ(UT_WSL_WRIT(&q, "zwei\n"), 0);
        EXPECT_EQ(NT_DATEI("TQ.WSL"), "eins\nzwei\n");
        EXPECT_EQ(q.lAnz, -2);
        EXPECT_EQ(LESEN(&q), "eins\n"); // from the record, as written
        EXPECT_EQ(LESEN(&q), "zwei");   // from the file, line feed cut
        EXPECT_FALSE(NT_GIBT_ES("TQ.WSL"));
        EXPECT_EQ(q.lAnz, 0);
        EXPECT_EQ(LESEN(&q), "* NULL *");
    });
}

TEST(Queue, LoadsFilesOfThreeOneAndNoLines) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        EXPECT_EQ(LADEN(&q, "DREI", "a  \nb\nc\n"), -3);
        EXPECT_STREQ(q.cBuf, "a  \n");
        EXPECT_TRUE(NT_GIBT_ES("DREI.WSL"));
        EXPECT_EQ(LESEN(&q), "a  \n");
        EXPECT_EQ(LESEN(&q), "b");
        EXPECT_EQ(LESEN(&q), "c");
        EXPECT_EQ(LESEN(&q), "* NULL *");

        EXPECT_EQ(LADEN(&q, "EINS", "nur\n"), -1);
        EXPECT_FALSE(NT_GIBT_ES("EINS.WSL"));
        EXPECT_EQ(LESEN(&q), "nur\n");

        EXPECT_EQ(LADEN(&q, "LEER", ""), 0);
        EXPECT_FALSE(NT_GIBT_ES("LEER.WSL"));

        // A last line without its line feed is not a complete entry.
        EXPECT_EQ(LADEN(&q, "HALB", "x\ny\nhalb"), -2);
    });
}

TEST(Queue, LongEntryIsReadInTwoPiecesWithoutLosingTheNext) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "LANG", 0), 0);
        std::string s255(255, 'x'), s256(256, 'y');
        EXPECT_EQ(UT_WSL_WRIT(&q, s256.c_str()), 2);
        EXPECT_EQ(UT_WSL_WRIT(&q, "vorn"), 0);
        EXPECT_EQ(UT_WSL_WRIT(&q, s255.c_str()), 0);
        EXPECT_EQ(UT_WSL_WRIT(&q, "hinten"), 0);
        EXPECT_EQ(q.lAnz, -4); // the long entry counts as the two pieces it is read back as
        EXPECT_EQ(LESEN(&q), "vorn\n");
        EXPECT_EQ(LESEN(&q), std::string(254, 'x'));
        EXPECT_EQ(LESEN(&q), "x");
        EXPECT_EQ(LESEN(&q), "hinten");
        EXPECT_EQ(q.lAnz, 0);

        // Loaded from a file, the same line gives the same two pieces.
        EXPECT_EQ(LADEN(&q, "LANG", s255 + "\nz\n"), -3);
        EXPECT_EQ(LESEN(&q), std::string(254, 'x'));
        EXPECT_EQ(LESEN(&q), "x");
        EXPECT_EQ(LESEN(&q), "z");
    });
}

TEST(Queue, LineFeedInsideAnEntryKeepsTheCount) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "LF", 0), 0);
        UT_WSL_WRIT(&q, "a");
        UT_WSL_WRIT(&q, "b\nc");
        UT_WSL_WRIT(&q, "d");
        EXPECT_EQ(LESEN(&q), "a\n");
        EXPECT_EQ(LESEN(&q), "b c");
        EXPECT_EQ(LESEN(&q), "d");
    });
}

TEST(Queue, LookAheadAndOtherModes) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "VOR", 0), 0);
        EXPECT_EQ(UT_WSL_RXXX(&q, 1), nullptr); // empty
        UT_WSL_WRIT(&q, "e1");
        UT_WSL_WRIT(&q, "e2");
        EXPECT_STREQ(UT_WSL_RXXX(&q, 1), "e1\n");
        EXPECT_STREQ(UT_WSL_RXXX(&q, 1), "e1\n");
        EXPECT_EQ(q.lAnz, -2);
        EXPECT_EQ(UT_WSL_RXXX(&q, 2), nullptr);
        EXPECT_EQ(LESEN(&q), "e1\n");
        // From the file as well: looking does not move the offset.
        EXPECT_STREQ(UT_WSL_RXXX(&q, 1), "e2");
        EXPECT_STREQ(UT_WSL_RXXX(&q, 1), "e2");
        EXPECT_EQ(q.lAnz, 1);
        EXPECT_EQ(LESEN(&q), "e2");
    });
}

TEST(Queue, CompactionInPlaceAndThroughTheCopy) {
    NT_IM_KIND([] {
        for (int iModus : {1, 0}) {
            UT_WSL_Struct q;
            ASSERT_EQ(UT_WSL_INIT(&q, "KOMP", 0), 0);
            for (int i = 1; i <= 10; i++)
                UT_WSL_WRIT(&q, ("Eintrag " + std::to_string(i)).c_str());
            for (int i = 1; i <= 5; i++)
                LESEN(&q);
            EXPECT_EQ(UT_WSL_EXIT(&q, iModus), 0) << iModus;
            EXPECT_STREQ(q.cBuf, "KOMP.WSL");
            EXPECT_FALSE(NT_GIBT_ES("KOMP.WST"));
            EXPECT_EQ(NT_DATEI("KOMP.WSL"), "Eintrag 6\nEintrag 7\nEintrag 8\nEintrag 9\nEintrag 10\n");
            ASSERT_EQ(UT_WSL_INIT(&q, "KOMP", 0), 0);
            EXPECT_EQ(q.lAnz, -5);
            EXPECT_EQ(LESEN(&q), "Eintrag 6\n");
            UT_WSL_EXIT(&q, 2);
        }
    });
}

TEST(Queue, ExitKeepsASingleEntryAndDiscardsOnRequest) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "AUS", 0), 0);
        UT_WSL_WRIT(&q, "allein");
        EXPECT_EQ(UT_WSL_EXIT(&q, 0), 0); // the entry of the record goes into the file for the next run
        EXPECT_EQ(NT_DATEI("AUS.WSL"), "allein\n");
        ASSERT_EQ(UT_WSL_INIT(&q, "AUS", 0), 0);
        EXPECT_EQ(LESEN(&q), "allein\n");

        for (const char *c : {"1", "2", "3"})
            UT_WSL_WRIT(&q, c);
        LESEN(&q);
        EXPECT_EQ(q.lAnz, 2);
        EXPECT_EQ(UT_WSL_EXIT(&q, 3), 2);
        EXPECT_TRUE(NT_GIBT_ES("AUS.WSL"));
        EXPECT_EQ(UT_WSL_EXIT(&q, 2), 11); // nothing to copy into: the file goes all the same
        EXPECT_FALSE(NT_GIBT_ES("AUS.WSL"));
    });
}

TEST(Queue, RejectsNamesAndLengths) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        EXPECT_EQ(UT_WSL_INIT(&q, "NEUNZEICH", 0), 2);
        EXPECT_EQ(UT_WSL_INIT(&q, "", 0), 2);
        EXPECT_EQ(UT_WSL_INIT(&q, nullptr, 0), 2);
        EXPECT_EQ(UT_WSL_INIT(&q, "ACHTZEIC", 257), 3);
        EXPECT_EQ(UT_WSL_INIT(&q, "ACHTZEIC", -1), 3);
        EXPECT_EQ(UT_WSL_INIT(&q, "ACHTZEIC", 256), 0);
        // Every step names the file by the part before the dot.
        SCHREIBEN("AB.WSL", "p\nq\n");
        ASSERT_EQ(UT_WSL_INIT(&q, "AB.C", 0), 0);
        EXPECT_EQ(q.lAnz, -2);
        EXPECT_EQ(LESEN(&q), "p\n");
        EXPECT_EQ(LESEN(&q), "q");
        // A record never loaded touches no file.
        UT_WSL_Struct leer{};
        EXPECT_EQ(UT_WSL_WRIT(&leer, "a"), 0);
        EXPECT_EQ(UT_WSL_WRIT(&leer, "b"), 10);
        EXPECT_FALSE(NT_GIBT_ES(".WSL"));
    });
}

TEST(Queue, BinaryRecords) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "BIN", 4), 0);
        const char r1[4] = {1, 0, 2, 0}, r2[4] = {'\n', 'x', 0, 3}, r3[4] = {9, 9, 9, 9};
        for (const char *r : {r1, r2, r3})
            EXPECT_EQ(UT_WSL_WRIT(&q, r), 0);
        EXPECT_EQ(NT_DATEI("BIN.WSL"), std::string(r1, 4) + std::string(r2, 4) + std::string(r3, 4));
        const char *c = UT_WSL_READ(&q);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(std::memcmp(c, r1, 4), 0);
        c = UT_WSL_READ(&q);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(std::memcmp(c, r2, 4), 0);
        EXPECT_EQ(c[4], '\0'); // followed by a zero byte
        EXPECT_EQ(UT_WSL_EXIT(&q, 1), 0);
        EXPECT_EQ(NT_DATEI("BIN.WSL"), std::string(r3, 4));
        // A short record at the end is not an entry.
        EXPECT_EQ(LADEN(&q, "BIN", std::string(r1, 4).append("\1\2"), 4), -1);
    });
}

TEST(Queue, FailedWriteLeavesQueueAsItWas) {
    NT_IM_KIND([] {
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "VOLL", 0), 0);
        EXPECT_EQ(UT_WSL_WRIT(&q, "eins"), 0);
        ASSERT_EQ(symlink("/dev/full", "VOLL.WSL"), 0);
        EXPECT_EQ(UT_WSL_WRIT(&q, "zwei"), 10);
        EXPECT_EQ(q.lAnz, -1);
        EXPECT_EQ(LESEN(&q), "eins\n");
        EXPECT_EQ(q.lAnz, 0);
    });
}

TEST(Queue, CountWidthOfTheProgram) {
    NT_IM_KIND([] {
#ifdef NT_NETSCN
        EXPECT_EQ(lUT_WSL_AnzMax, 0x7FFFFFFF);
        EXPECT_EQ(lUT_WSL_OffsMax, 0xFFFFFFFF);
#else
        EXPECT_EQ(lUT_WSL_AnzMax, 0x7FFFFFFFFFFFFFFF);
#endif
        UT_WSL_Struct q;
        ASSERT_EQ(UT_WSL_INIT(&q, "BREIT", 0), 0);
        UT_WSL_WRIT(&q, "a");
        q.lAnz = -lUT_WSL_AnzMax;
        EXPECT_EQ(UT_WSL_WRIT(&q, "b"), 10);
        EXPECT_EQ(q.lAnz, -lUT_WSL_AnzMax);
    });
}
