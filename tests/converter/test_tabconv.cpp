// The tabconv program end to end: console texts, exit status, tabconv.ref and the hand-over to the loader,
// seen by the loader stand-in that each test puts on PATH as "ctrload".
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include "support/nt_dos.h"

namespace fs = std::filesystem;

namespace {

struct Lauf {
    int iStatus = -1; // exit status, or -1 when the program did not exit normally
    std::string sOut, sErr;
};

std::string LESEN(const fs::path &p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void SCHREIBEN(const fs::path &p, const std::string &s) {
    std::ofstream f(p, std::ios::binary);
    f << s;
}

// 9 fields with the given values; the rest of a record is filled in by the tests that need it.
std::string SATZ(const std::string &sNr, const std::string &sId, const std::string &sText,
                 const std::string &sTrb, const std::string &sObj = "AB", const std::string &sGak = "123") {
    return sNr + ";" + sId + ";1;5;" + sText + ";K3.12;" + sTrb + ";" + sObj + ";" + sGak + "\n";
}

std::string PAD(const std::string &s, std::size_t n) {
    return s + std::string(n > s.size() ? n - s.size() : 0, ' ');
}

const std::string KOPFZEILE = "Nr;Id;Typ;Atb;Text;Adresse;Treiber;Obj;GAK\n";

class Tabconv : public ::testing::Test {
  protected:
    fs::path dir;

    void SetUp() override {
        char cVorlage[] = "/tmp/tabconv_test_XXXXXX";
        ASSERT_NE(mkdtemp(cVorlage), nullptr);
        dir = cVorlage;
        fs::create_directory(dir / "bin");
        fs::create_symlink(NT_CTRLOAD_BIN, dir / "bin" / "ctrload");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Runs tabconv in the test directory with the stand-in first on PATH. lFsize > 0 limits the size of
    // files the program may write, so that a write fails at a chosen byte.
    Lauf RUN(const std::vector<std::string> &args, long lFsize = 0,
             const std::map<std::string, std::string> &env = {}) {
        Lauf l;
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.c_str()) != 0) _exit(126);
            if (!freopen("/dev/null", "r", stdin) || !freopen(".out", "w", stdout) ||
                !freopen(".err", "w", stderr))
                _exit(126);
            std::string sPath =
                (dir / "bin").string() + ":" + (getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin");
            setenv("PATH", sPath.c_str(), 1);
            for (const auto &[k, v] : env)
                setenv(k.c_str(), v.c_str(), 1);
            if (lFsize > 0) {
                signal(SIGXFSZ, SIG_IGN);
                struct rlimit r = {static_cast<rlim_t>(lFsize), static_cast<rlim_t>(lFsize)};
                setrlimit(RLIMIT_FSIZE, &r);
            }
            std::vector<char *> argv{const_cast<char *>(NT_TABCONV_BIN)};
            for (const auto &a : args)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            execv(NT_TABCONV_BIN, argv.data());
            _exit(127);
        }
        int iStat = 0;
        waitpid(pid, &iStat, 0);
        if (WIFEXITED(iStat)) l.iStatus = WEXITSTATUS(iStat);
        l.sOut = LESEN(dir / ".out");
        l.sErr = LESEN(dir / ".err");
        return l;
    }

    // Converts a CSV text (heading line added) and returns the lines of tabconv.ref after the header.
    Lauf CONVERT(const std::string &sSaetze, const std::vector<std::string> &opts = {}) {
        SCHREIBEN(dir / "in.csv", KOPFZEILE + sSaetze);
        std::vector<std::string> args{"in.csv"};
        args.insert(args.end(), opts.begin(), opts.end());
        return RUN(args);
    }
    std::string REF() {
        return LESEN(dir / "tabconv.ref");
    }
    std::vector<std::string> REF_ZEILEN() {
        std::vector<std::string> v;
        std::istringstream s(REF());
        for (std::string z; std::getline(s, z);)
            v.push_back(z);
        return v;
    }
    // The stand-in's record: argv[1..] and the descriptors it inherited; empty when it did not run.
    std::vector<std::string> LOADER_ARGS() {
        std::vector<std::string> v;
        std::istringstream s(LESEN(dir / "ctrload-args.txt"));
        for (std::string z; std::getline(s, z);)
            if (z.rfind("argv[", 0) == 0) v.push_back(z.substr(z.find('=') + 1));
        return v;
    }
    bool LOADER_RAN() {
        return fs::exists(dir / "ctrload-args.txt");
    }
};

const std::string DATEN_17 =
    "00017 A1.DI.3          1 0 15 15 15 0 0 000 005 Pumpe Kessel 1                   K3.12";

std::string ABBRUCH(int iCode) {
    return "        ***  ABBRUCH nach Bearbeitungsfehler : " + std::to_string(iCode) + "  ***";
}

const std::string WRITE_FEHLER = "\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei TABCONV.REF  ***";

// ---- Start-up ------------------------------------------------------------------------------------------

TEST_F(Tabconv, NoArgumentExplainsTheCallAndCreatesNothing) {
    Lauf l = RUN({});
    EXPECT_EQ(l.iStatus, 1);
    EXPECT_EQ(l.sOut.substr(0, 25), std::string(25, '\n'));
    EXPECT_NE(
        l.sOut.find("   ZDB-Referenz-Datei wird erstellt f\x81r GA-Knoten Version 2.00\n      mit folgenden "
                    "Aufrufparametern :\n\n\n***  Fehlende Aufrufparameter  ***\n\n     Zul\x84"
                    "ssige Aufrufparameter sind :\n     - Name der CSV-Datei (ggf. mit Laufwerk, Pfad und "
                    "Extension)\n\n("),
        std::string::npos)
        << l.sOut;
    EXPECT_NE(l.sOut.find(ABBRUCH(-101) + "\n\n"), std::string::npos);
    EXPECT_NE(l.sErr.find(ABBRUCH(-101)), std::string::npos) << "the verdict goes to standard error as well";
    EXPECT_FALSE(fs::exists(dir / "tabconv.ref"));
}

TEST_F(Tabconv, UnusableInputOrOutputStopsTheStartUp) {
    SCHREIBEN(dir / "leer.csv", "");
    Lauf l = RUN({"leer.csv", "-L"});
    EXPECT_EQ(l.iStatus, 1);
    EXPECT_NE(l.sOut.find("\n        CSV-Datei .... : leer.csv\n        Opt. Parameter : -L"),
              std::string::npos);
    EXPECT_NE(l.sOut.find("\n\n***  READ-Fehler auf CSV-Datei leer.csv ***"), std::string::npos);
    EXPECT_NE(l.sOut.find(ABBRUCH(-111)), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "tabconv.ref"));

    // An option in first place is the CSV file name.
    l = RUN({"-L", "leer.csv"});
    EXPECT_EQ(l.iStatus, 1);
    EXPECT_NE(l.sOut.find("\n\n***  OPEN-Fehler auf CSV-Datei -L ***"), std::string::npos);
    EXPECT_NE(l.sOut.find(ABBRUCH(-110)), std::string::npos);

    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "X", "T", "4"));
    fs::create_directory(dir / "tabconv.ref");
    l = RUN({"in.csv", "-L"});
    EXPECT_EQ(l.iStatus, 1);
    EXPECT_NE(l.sOut.find("\n\n***  OPEN-Fehler auf ZDB-Referenz-Datei TABCONV.REF ***"), std::string::npos);
    EXPECT_NE(l.sOut.find(ABBRUCH(-112)), std::string::npos);
    EXPECT_FALSE(LOADER_RAN());
}

// ---- Conversion -----------------------------------------------------------------------------------------

TEST_F(Tabconv, RecordGivesHeaderAndDataLineByteForByte) {
    Lauf l = CONVERT("17;A1.DI.3;1;5;Pumpe Kessel 1;K3.12;4;AB;1234567890\n");
    EXPECT_EQ(l.iStatus, 0);
    EXPECT_NE(l.sOut.find("   ZDB-Referenz-Datei TABCONV.REF wurde erzeugt.\n\n"), std::string::npos)
        << l.sOut;
    auto z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 2u) << REF();
    // "00000 dd/mm/yyyy hh:mm " from the start time, then the converter's own part of the header.
    std::string sMaske = z[0].substr(0, 23);
    for (char &c : sMaske)
        if (c >= '0' && c <= '9') c = '9';
    EXPECT_EQ(sMaske, "99999 99/99/9999 99:99 ");
    EXPECT_EQ(z[0].substr(0, 6), "00000 ");
    EXPECT_EQ(z[0].substr(23), "CSV nach ZDB (TABCNV)   Treiber-Id.: 4 (QX04)   Obj.: AB   GAK: 1234567890");
    EXPECT_EQ(z[1], DATEN_17);
    EXPECT_EQ(REF().back(), '\n');
    // Text from column 49 in 32 columns, address from column 82.
    EXPECT_EQ(DATEN_17.substr(48, 14), "Pumpe Kessel 1");
    EXPECT_EQ(DATEN_17.substr(81), "K3.12");
}

TEST_F(Tabconv, FieldsAreTrimmedCutAndPlaced) {
    std::string sText40 = "Vorlauftemperatur Heizkreis 1 Istwert XY";
    Lauf l = CONVERT("200;B;2;7;Text;Adr;200;OBJEKT;GAK-1234567890;zehn;elf\r\n" // 11 fields, CR LF
                     "3;ABCDEFGHIJKLMNOPQRST;3;300;" +
                     sText40 +
                     ";K1   ;9;X;Y\n"                          // long id and text
                     " 12abc;  links  ;+4;-1;  T  ;A;7x;;\n"); // numbers and blanks
    ASSERT_EQ(l.iStatus, 0) << l.sOut;
    auto z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 4u);
    EXPECT_NE(z[0].find("   Treiber-Id.: 200 (QXC8)   Obj.: OBJE   GAK: GAK-123456"), std::string::npos)
        << z[0];
    const std::string K = " 0 15 15 15 0 0 000 ";
    EXPECT_EQ(z[1], "00200 " + PAD("B", 16) + " 2" + K + "007 " + PAD("Text", 32) + " Adr");
    EXPECT_EQ(z[2], "00003 ABCDEFGHIJKLMNOPQRST 3" + K + "300 " + sText40.substr(0, 32) + " K1");
    EXPECT_EQ(z[3], "00012 " + PAD("  links", 16) + " 4" + K + "4294967295 " + PAD("  T", 32) + " A");
    EXPECT_EQ(REF().find('\r'), std::string::npos);
}

TEST_F(Tabconv, DriverIdMinusOneWritesTheHeaderAgain) {
    Lauf l = CONVERT(SATZ("1", "A", "T", "-1", "O1", "G1") + SATZ("2", "B", "T", "5", "O2", "G2") +
                     SATZ("3", "C", "T", "6", "O3", "G3"));
    ASSERT_EQ(l.iStatus, 0);
    auto z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 5u);
    EXPECT_NE(z[0].find("Treiber-Id.: -1 (QXFFFFFFFF)   Obj.: O1   GAK: G1"), std::string::npos) << z[0];
    EXPECT_EQ(z[1].substr(0, 7), "00001 A");
    EXPECT_NE(z[2].find("Treiber-Id.: 5 (QX05)   Obj.: O2   GAK: G2"), std::string::npos) << z[2];
    EXPECT_EQ(z[3].substr(0, 7), "00002 B");
    EXPECT_EQ(z[4].substr(0, 7), "00003 C");
}

TEST_F(Tabconv, HeadingLineOnlyIsSuccessWithoutHandOver) {
    Lauf l = CONVERT("", {"-L"});
    EXPECT_EQ(l.iStatus, 0);
    EXPECT_NE(
        l.sOut.find("   ZDB-Referenz-Datei TABCONV.REF wurde erzeugt\n                      und an CTRLOAD "
                    "weitergeleitet.\n\n"),
        std::string::npos)
        << l.sOut;
    EXPECT_TRUE(fs::exists(dir / "tabconv.ref"));
    EXPECT_EQ(REF(), "");
    EXPECT_FALSE(LOADER_RAN());
}

TEST_F(Tabconv, FaultyRecordStopsWithItsCode) {
    struct Fall {
        std::string sSatz;
        int iCode;
    } faelle[] = {
        {"\n", -221},                     // empty line
        {"   \t\n", -221},                // blanks only
        {"1;2;3;4;5;6;7;8\n", -221},      // 8 fields
        {"x1;A;1;1;T;A;4;O;G\n", -222},   // letters in field 0
        {"1;A;1;1;T;A;vier;O;G\n", -222}, // driver id not a number
        {"1;A;1;;T;A;4;O;G\n", -222},     // attribute code empty
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.sSatz);
        Lauf l = CONVERT(SATZ("1", "A", "T", "4") + f.sSatz + SATZ("3", "C", "T", "4"));
        EXPECT_EQ(l.iStatus, 2);
        EXPECT_NE(l.sOut.find(WRITE_FEHLER + "\n\n("), std::string::npos) << l.sOut;
        EXPECT_NE(l.sOut.find(ABBRUCH(f.iCode)), std::string::npos) << l.sOut;
        auto z = REF_ZEILEN();
        ASSERT_EQ(z.size(), 2u) << "the lines before the faulty record stay, nothing after it";
        EXPECT_EQ(z[1].substr(0, 7), "00001 A");
    }
    // A faulty first record stops before any line is written.
    Lauf l = CONVERT("1;A;1;1;T;A;-;O;G\n");
    EXPECT_EQ(l.iStatus, 2);
    EXPECT_EQ(REF(), "");
}

TEST_F(Tabconv, LongLinesAreReadInPiecesOf254) {
    // A line of exactly 254 characters is followed by the empty rest of its line.
    std::string s254 = "1;A;1;1;T;A;4;O;";
    s254 += std::string(254 - s254.size(), 'G');
    Lauf l = CONVERT(s254 + "\n");
    EXPECT_EQ(l.iStatus, 2);
    EXPECT_NE(l.sOut.find(ABBRUCH(-221)), std::string::npos);
    ASSERT_EQ(REF_ZEILEN().size(), 2u);
    EXPECT_NE(REF_ZEILEN()[0].find("GAK: GGGGGGGGGG"), std::string::npos);

    // Longer: the rest of the line is the next record.
    l = CONVERT(s254 + "2;B;1;1;T;A;4;O;G\n");
    EXPECT_EQ(l.iStatus, 0) << l.sOut;
    auto z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z[2].substr(0, 7), "00002 B");
}

// A UTF-8 file, byte-order mark first: with -U every field in the code page before it is cut, a field that is
// not UTF-8 as it is, and a line counted in characters; without it the bytes pass as they are.
TEST_F(Tabconv, OptionUReadsUtf8IntoTheCodePage) {
    const std::string sText = "Kälteanlage Rückkühlwerk Süd Nordseite";
    std::string sUmlaute;
    for (int i = 0; i < 100; i++)
        sUmlaute += "ä";
    const std::string sSaetze = "1;Kühlwasser_Rücklauf;3;108;" + sText + ";Außen.AI.1;4;ÖLST;GRÜNFLÄCHE1\n" +
                                "2;K\x84lte;1;17;€ für Pumpe;A;4;O;G\n" + // code-page bytes, a missing letter
                                "3;B;1;1;" + sUmlaute + ";A;4;O;" + std::string(90, 'G') + "\n"; // 305 bytes
    // 253 characters after the mark: one more, and the line end would be read as an empty record.
    SCHREIBEN(dir / "in.csv", "\xEF\xBB\xBF" + std::string(253, 'N') + "\n" + sSaetze);
    Lauf l = RUN({"in.csv", "-u"});
    ASSERT_EQ(l.iStatus, 0) << l.sOut;
    auto z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 4u);
    const std::string K = " 0 15 15 15 0 0 000 ";
    EXPECT_NE(z[0].find(DOS("Obj.: ÖLST   GAK: GRÜNFLÄCHE")), std::string::npos) << z[0];
    EXPECT_EQ(z[1], "00001 " + DOS("Kühlwasser_Rücklauf") + " 3" + K + "108 " +
                        DOS("Kälteanlage Rückkühlwerk Süd Nor") + " " + DOS("Außen.AI.1"));
    EXPECT_EQ(z[2],
              "00002 " + PAD(DOS("Kälte"), 16) + " 1" + K + "017 " + PAD(DOS("? für Pumpe"), 32) + " A");
    EXPECT_EQ(z[3], "00003 " + PAD("B", 16) + " 1" + K + "001 " + std::string(32, '\x84') + " A");

    // Without -U: the bytes as written, the text cut at 32 bytes, the long line read in two pieces.
    SCHREIBEN(dir / "in.csv", KOPFZEILE + sSaetze);
    l = RUN({"in.csv"});
    EXPECT_NE(l.sOut.find(ABBRUCH(-221)), std::string::npos) << "the rest of the long line is no record";
    z = REF_ZEILEN();
    ASSERT_EQ(z.size(), 4u);
    EXPECT_EQ(z[1], "00001 Kühlwasser_Rücklauf 3" + K + "108 " + sText.substr(0, 32) + " Außen.AI.1");
}

// ---- Hand-over to the loader ----------------------------------------------------------------------------

TEST_F(Tabconv, OptionLHandsTheClosedFileToTheLoader) {
    SCHREIBEN(dir / "in.csv",
              KOPFZEILE + SATZ("1", "A", "T", "4", "AB", "123") + SATZ("2", "B", "T", "9", "Q", "R"));
    Lauf l = RUN({"in.csv", "-L", "-TA", "-TDtrace.txt"});
    EXPECT_EQ(l.iStatus, 0);
    EXPECT_NE(LESEN(dir / "trace.txt").find("Befehl : >exec ctrload tabconv.ref 4 'AB' '123'<"),
              std::string::npos);
    EXPECT_EQ(LOADER_ARGS(), (std::vector<std::string>{"tabconv.ref", "4", "AB", "123"}));
    EXPECT_EQ(LESEN(dir / "ctrload-ref.txt"), REF()) << "the loader sees the complete file";
    std::istringstream sRecord(LESEN(dir / "ctrload-args.txt"));
    for (std::string z; std::getline(sRecord, z);) {
        if (z.rfind("fd=", 0) != 0) continue;
        EXPECT_EQ(z.find("tabconv.ref"), std::string::npos) << "reference file still open: " << z;
        EXPECT_EQ(z.find("in.csv"), std::string::npos) << "CSV file still open: " << z;
    }
    // The loader's output comes after the verdict.
    EXPECT_LT(l.sOut.find("und an CTRLOAD weitergeleitet."), l.sOut.find("ctrload stand-in:"));
}

TEST_F(Tabconv, OptionLIsRecognisedInAnySpelling) {
    for (std::string sOpt : {"-l", "-LE", "/L", "/lxyz"}) {
        SCOPED_TRACE(sOpt);
        fs::remove(dir / "ctrload-args.txt");
        Lauf l = CONVERT(SATZ("1", "A", "T", "128"), {"-TX", sOpt});
        EXPECT_EQ(l.iStatus, 0);
        EXPECT_EQ(LOADER_ARGS(), (std::vector<std::string>{"tabconv.ref", "128", "AB", "123"}));
    }
}

TEST_F(Tabconv, NoHandOverWithoutOptionOrValidDriverId) {
    for (const auto &[sTrb, sOpt] : {std::pair{"0", "-L"}, {"129", "-L"}, {"-1", "-L"}, {"4", "-X"}}) {
        SCOPED_TRACE(std::string(sTrb) + " " + sOpt);
        Lauf l = CONVERT(SATZ("1", "A", "T", sTrb), {sOpt});
        EXPECT_EQ(l.iStatus, 0);
        EXPECT_FALSE(LOADER_RAN());
        EXPECT_EQ(l.sOut.find("ctrload"), std::string::npos);
    }
}

TEST_F(Tabconv, HandOverAlsoAfterAConversionErrorAndWhateverTheLoaderReturns) {
    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "A", "T", "4") + "\n");
    Lauf l = RUN({"in.csv", "-L"}, 0, {{"CTRLOAD_EXIT", "3"}});
    EXPECT_EQ(l.iStatus, 2);
    EXPECT_NE(l.sOut.find(ABBRUCH(-221)), std::string::npos);
    EXPECT_EQ(LOADER_ARGS(), (std::vector<std::string>{"tabconv.ref", "4", "AB", "123"}));

    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "A", "T", "4"));
    l = RUN({"in.csv", "-L"}, 0, {{"CTRLOAD_EXIT", "3"}});
    EXPECT_EQ(l.iStatus, 0) << "a failing loader does not change the result";
}

// A tabconv.ref that is a link to an endless device: the loader stand-in copies its first 64 MiB and says so,
// instead of filling the disk.
TEST_F(Tabconv, LoaderStandInCutsAnEndlessReferenceFile) {
    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "A", "T", "4"));
    fs::create_symlink("/dev/zero", dir / "tabconv.ref");
    Lauf l = RUN({"in.csv", "-L"});
    EXPECT_EQ(l.iStatus, 0) << "the loader's exit status is not examined";
    EXPECT_NE(l.sOut.find("ctrload stand-in: tabconv.ref cut at 64 MiB"), std::string::npos) << l.sOut;
    EXPECT_EQ(fs::file_size(dir / "ctrload-ref.txt"), std::uintmax_t{64} << 20);
}

// Identifiers from the CSV must reach the loader as they are and never run as shell text.
TEST_F(Tabconv, IdentifiersWithQuotesReachTheLoaderUnchanged) {
    struct Fall {
        std::string sObj, sGak, sObjErwartet, sGakErwartet;
    } faelle[] = {
        {"A'B", "'; touch pwned; '", "A'B", "'"}, // the CSV separator ends the field
        {"'&&", "'|touch z'", "'&&", "'|touch z'"},    {"'", "'`touch x`", "'", "'`touch x`"},
        {"$(id", "'$(touch y)", "$(id", "'$(touch y"}, {"\\'", "a b\tc", "\\'", "a b\tc"},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.sObj + " / " + f.sGak);
        fs::remove(dir / "ctrload-args.txt");
        Lauf l = CONVERT(SATZ("1", "A", "T", "7", f.sObj, f.sGak), {"-L"});
        EXPECT_EQ(l.iStatus, 0);
        EXPECT_EQ(LOADER_ARGS(),
                  (std::vector<std::string>{"tabconv.ref", "7", f.sObjErwartet, f.sGakErwartet}));
        for (const char *cName : {"pwned", "x", "y", "z"})
            EXPECT_FALSE(fs::exists(dir / cName)) << cName;
    }
}

// ---- Write errors -----------------------------------------------------------------------------------------

TEST_F(Tabconv, FullDeviceFailsAtTheHeader) {
    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "A", "T", "4"));
    fs::create_symlink("/dev/full", dir / "tabconv.ref");
    Lauf l = RUN({"in.csv"});
    EXPECT_EQ(l.iStatus, 2);
    EXPECT_NE(l.sOut.find(WRITE_FEHLER), std::string::npos);
    EXPECT_NE(l.sOut.find(ABBRUCH(-224)), std::string::npos) << l.sOut;
}

// A data line that cannot be written stops the run at that line, even when later records would have
// stopped it for another reason and the data lines were gathered before writing.
TEST_F(Tabconv, WriteErrorIsChargedToTheLineThatFailed) {
    std::string sCsv;
    for (int i = 1; i <= 3000; i++)
        sCsv += SATZ(std::to_string(i), "ID" + std::to_string(i), "Text", "4");
    sCsv += "\n"; // would stop with -221
    Lauf lVoll = CONVERT(sCsv);
    ASSERT_EQ(lVoll.iStatus, 2);
    ASSERT_NE(lVoll.sOut.find(ABBRUCH(-221)), std::string::npos);
    std::string sVoll = REF();
    ASSERT_GT(sVoll.size(), 200000u);

    // Early lines, a middle line, and one of the last lines, which are written only when the input ends.
    for (long lGrenze : {50000L, 150000L, static_cast<long>(sVoll.size()) - 100}) {
        SCOPED_TRACE(lGrenze);
        Lauf l = RUN({"in.csv"}, lGrenze);
        EXPECT_EQ(l.iStatus, 2);
        EXPECT_NE(l.sOut.find(ABBRUCH(-223)), std::string::npos) << l.sOut;
        EXPECT_EQ(REF(), sVoll.substr(0, lGrenze));
    }
}

// ---- Usage and version ------------------------------------------------------------------------------------

// --help and --version anywhere, also where the CSV name belongs, answer before the start-up: no banner, no
// tabconv.ref, no trace file, no loader.
TEST_F(Tabconv, HelpAndVersionAnswerBeforeAnythingElse) {
    SCHREIBEN(dir / "in.csv", KOPFZEILE + SATZ("1", "A", "T", "4"));
    const std::string sUsage = "Usage: tabconv CSVFILE [OPTION]...\n";
    const std::string sVersion = std::string("tabconv ") + NT_VERSION + "\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> vFaelle = {
        {{"--help"}, sUsage},
        {{"in.csv", "-L", "-TDtrace.txt", "-TA", "--help"}, sUsage},
        {{"--version", "in.csv", "-L"}, sVersion},
        {{"in.csv", "-L", "--version", "--help"}, sVersion}};
    for (const auto &[vArgs, sAnfang] : vFaelle) {
        SCOPED_TRACE(vArgs.back());
        Lauf l = RUN(vArgs);
        EXPECT_EQ(l.iStatus, 0);
        EXPECT_EQ(l.sOut.substr(0, sAnfang.size()), sAnfang);
        if (sAnfang == sVersion) {
            EXPECT_EQ(l.sOut, sVersion) << "one line, nothing else";
        }
        EXPECT_EQ(l.sErr, "");
        EXPECT_FALSE(fs::exists(dir / "tabconv.ref"));
        EXPECT_FALSE(fs::exists(dir / "trace.txt"));
        EXPECT_FALSE(LOADER_RAN());
    }
    // Only the whole argument counts: these are ignored options, and the conversion runs as before.
    Lauf l = RUN({"in.csv", "--helpx", "-L", "-help", "-version"});
    EXPECT_EQ(l.iStatus, 0);
    EXPECT_TRUE(LOADER_RAN());
    // A usage that did not reach standard output is no success.
    l = RUN({"--help"}, 100);
    EXPECT_EQ(l.iStatus, 1);
    EXPECT_EQ(l.sErr, "tabconv: cannot write to standard output\n");
}

} // namespace
