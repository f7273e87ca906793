// refdiff end to end over pairs of small reference files: what it prints, on which stream, and its status.
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>
#include "support/nt_dos.h"
#include "support/nt_kind.h"
#include "support/nt_tmpdir.h"

namespace {

struct Pkt {
    std::string sId;
    unsigned uTyp, uAtb;
    std::string sText, sAdr;
    bool bPolar = false;
    unsigned uNr = 0; // 0: the running number
};

// A file as the scanner (bScan) or the converter writes it, numbered from 1.
std::string DATEI(const std::vector<Pkt> &v, bool bScan = true) {
    std::string s =
        std::string("00000 06/12/2026 14:05 ") +
        (bScan ? "BACnet nach ZDB (NETSCN)\n" : "CSV nach ZDB (TABCNV)   Treiber-Id.: 4 (QX04)\n");
    char c[600];
    for (std::size_t i = 0; i < v.size(); i++) {
        const Pkt &p = v[i];
        const unsigned uNr = p.uNr != 0 ? p.uNr : static_cast<unsigned>(i + 1);
        std::snprintf(c, sizeof c,
                      bScan ? "%05u %-16s %1u 0 15 15 15 0 0 000 %03u %-23s          %-26s%s\n"
                            : "%05u %-16s %1u 0 15 15 15 0 0 000 %03u %-32s %s%s\n",
                      uNr, p.sId.c_str(), p.uTyp, p.uAtb, p.sText.c_str(), p.sAdr.c_str(),
                      p.bPolar ? " 00001" : "");
        s += c;
    }
    return s;
}

// Data line i (from 0) of a file, as "+ " or "- " shows it.
std::string ZEILE(const std::string &sDatei, int i) {
    std::size_t p = 0;
    for (int n = 0; n <= i; n++)
        p = sDatei.find('\n', p) + 1;
    return sDatei.substr(p, sDatei.find('\n', p) - p) + "\n";
}

std::string SUMME(int a, int r, int c, int n, int u) {
    return DOS(std::to_string(a) + " hinzugefügt, " + std::to_string(r) + " entfernt, " + std::to_string(c) +
               " geändert, " + std::to_string(n) + " umnummeriert, " + std::to_string(u) + " unverändert\n");
}

const std::vector<Pkt> BASIS = {
    {"TAussen", 3, 108, "Aussentemperatur", "0001003.AI#0000007'00085"},
    {"Pumpe 1", 1, 17, "Pumpe 1 Betrieb Kessel", "0001003.BI#0000001'00085", true},
    {"Ventil", 4, 0, "Ventil Stellung", "0001003.AO#0000002'00085"},
    {"1003.AV5", 4, 108, "", "0001003.AV#0000005'00085"},
    {"4194303.MV4194303", 2, 3, "Betriebsart", "4194303.MV#4194303'00085", false, 100000},
};

template <class F> std::vector<Pkt> MIT(std::vector<Pkt> v, F fn) {
    v.reserve(v.size() + 2);
    fn(v);
    return v;
}

const Pkt NEU = {"TRaum", 3, 108, "Raumtemperatur", "0001003.AI#0000009'00085"};
const std::vector<Pkt> EINGEFUEGT = MIT(BASIS, [](auto &v) { v.insert(v.begin() + 2, NEU); });
const std::vector<Pkt> GEAENDERT = MIT(BASIS, [](auto &v) {
    v[1].sText = DOS("Pumpe 1 Störung");
    v[3].uAtb = 109;
    v[4].bPolar = true;
    v.erase(v.begin() + 2);
    v.push_back({"Zuluft", 3, 108, "Zuluft", "0002000.AI#0000001'00085"});
    v.push_back({"Ventilator", 2, 17, "Ventilator Befehl", "0002000.BO#0000001'00085"});
});
// A planned list: the ids of the scan, its own addresses and texts of 32 columns.
const std::vector<Pkt> PLAN = MIT(BASIS, [](auto &v) {
    v[1].sText = "Pumpe 1 Betrieb Kessel links";
    v[2].uTyp = 2;
    v[4].sId = "MV.BETRIEBSART.KESSEL";
    for (std::size_t i = 0; i < v.size(); i++)
        v[i].sAdr = "AS01 DP " + std::to_string(i), v[i].bPolar = false;
});
const std::vector<Pkt> DOPPELT = MIT(BASIS, [](auto &v) { v[2].sAdr = v[1].sAdr, v[2].bPolar = true; });

struct Fall {
    const char *cName;
    std::string sAlt, sNeu, sOption;
    int iStatus;
    std::string sOut, sErr; // the whole standard output (with -J a part of it), a part of standard error
    // sAlt empty: no file alt.ref
};

void PrintTo(const Fall &f, std::ostream *os) {
    *os << f.cName;
}

class Refdiff : public NtTmpDirTest, public ::testing::WithParamInterface<Fall> {};

TEST_P(Refdiff, Compares) {
    const Fall &f = GetParam();
    if (!f.sAlt.empty()) std::ofstream("alt.ref", std::ios::binary) << f.sAlt;
    std::ofstream("neu.ref", std::ios::binary) << f.sNeu;
    const std::string sCmd = std::string(NT_REFDIFF_BIN) + " " + f.sOption + " alt.ref neu.ref >out 2>err";
    const int iStat = std::system(sCmd.c_str());
    ASSERT_TRUE(WIFEXITED(iStat));
    EXPECT_EQ(WEXITSTATUS(iStat), f.iStatus);
    const std::string sOut = NT_DATEI("out"), sErr = NT_DATEI("err");
    if (f.sOption.find("-J") == std::string::npos)
        EXPECT_EQ(sOut, f.sOut);
    else
        EXPECT_NE(sOut.find(f.sOut), std::string::npos) << sOut;
    EXPECT_NE(sErr.find(f.sErr), std::string::npos) << sErr;
}

const std::string A = DATEI(BASIS), E = DATEI(EINGEFUEGT), G = DATEI(GEAENDERT), P = DATEI(PLAN, false);

INSTANTIATE_TEST_SUITE_P(
    refdiff, Refdiff,
    ::testing::Values(
        Fall{"identical", A, A, "", 0, SUMME(0, 0, 0, 0, 5), ""},
        Fall{"inserted", A, E, "", 1, "+ " + ZEILE(E, 2) + SUMME(1, 0, 0, 2, 3), ""},
        Fall{"changed", A, G, "", 1,
             DOS("~ 0001003.BI#0000001'00085  Text: \"Pumpe 1 Betrieb Kessel\" -> \"Pumpe 1 Störung\"\n"
                 "~ 0001003.AV#0000005'00085  Attributcode: 108 -> 109\n"
                 "~ 4194303.MV#4194303'00085  Polarität: 0 -> 1\n+ ") +
                 ZEILE(G, 4) + "+ " + ZEILE(G, 5) + "- " + ZEILE(A, 2) + SUMME(2, 1, 3, 0, 1),
             ""},
        Fall{"json", A, G, "-J", 1,
             "\"text\": \"Pumpe 1 St\xC3\xB6rung\",\n        \"address\": \"0001003.BI#0000001'00085\",\n"
             "        \"polarity\": true\n      },\n      \"fields\": [\n        \"text\"\n      ]",
             ""},
        Fall{"plan_against_scan", P, A, "-k id", 1,
             "~ Ventil  Typ: 2 -> 4\n+ " + ZEILE(A, 4) + "- " + ZEILE(P, 4) + SUMME(1, 1, 1, 0, 3), ""},
        Fall{"duplicate_key", DATEI(DOPPELT), DATEI(MIT(DOPPELT, [](auto &v) { v[2].sText = "Ventil"; })),
             "-k adresse", 1,
             "~ 0001003.BI#0000001'00085  Text: \"Ventil Stellung\" -> \"Ventil\"\n" + SUMME(0, 0, 1, 0, 4),
             DOS("refdiff: alt.ref, Zeile 4: Schlüssel 0001003.BI#0000001'00085 doppelt, zuerst in Zeile 3")},
        Fall{"malformed", A, G.substr(0, G.rfind('\n', G.size() - 2)) + "\n00006 Kaputt 3 0 15\n", "", 2, "",
             "refdiff: neu.ref, Zeile 7: keine Datenzeile: Id, Typ"},
        Fall{"no_header", A, G.substr(G.find('\n') + 1), "", 2, "",
             "refdiff: neu.ref, Zeile 1: keine Kopfzeile"},
        Fall{"missing_file", "", A, "", 2, "", "refdiff: alt.ref: No such file or directory"}),
    [](const auto &info) { return std::string(info.param.cName); });

} // namespace
