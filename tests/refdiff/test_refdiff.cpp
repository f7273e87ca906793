// refdiff end to end over pairs of small reference files, written by the writers' own formatting (the
// scanner's line, the converter run on a CSV list): what it prints, on which stream, and its status.
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>
#include "scanner/reffile/sc_ref.h"
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

// The scanner's object record behind a point: the object from its address, the code as the description's
// override (a two-state point without state texts would get code 0).
SC_OBJ_Struct OBJEKT(const Pkt &p) {
    unsigned long ulDev = 0, ulInst = 0;
    char cKurz[3] = "";
    std::sscanf(p.sAdr.c_str(), "%lu.%2[A-Z]#%lu", &ulDev, cKurz, &ulInst);
    SC_OBJ_Struct st;
    SC_OBJ_NEU(&st, static_cast<std::uint32_t>(ulDev));
    const char *c = nullptr;
    std::uint32_t uObjTyp = 0;
    while (SC_OBJTYP(uObjTyp, &c) == 0 || std::string(c) != cKurz)
        uObjTyp++;
    SC_OBJ_SETZEN(&st, (uObjTyp << 22) | static_cast<std::uint32_t>(ulInst));
    if (p.sId != st.cDpId) SC_DPID(&st, p.sId.c_str()); // a 17-character default id: no name arrived
    SC_DESCR(&st, p.sText.c_str());
    st.uAtb = p.uAtb;
    if (st.uDP_Type <= 2) st.ucAtbOvr = static_cast<unsigned char>(p.uAtb);
    st.uPolar = p.bPolar;
    return st;
}

// A file as the scanner writes it, numbered from 1.
std::string DATEI(const std::vector<Pkt> &v) {
    std::string s = "00000 06/12/2026 14:05 BACnet nach ZDB (NETSCN)\n";
    for (std::size_t i = 0; i < v.size(); i++) {
        SC_OBJ_Struct st = OBJEKT(v[i]);
        const int n = SC_REF_TEXT(&st, v[i].uNr != 0 ? v[i].uNr : static_cast<unsigned>(i + 1));
        s.append(cSC_REF_Buf, static_cast<std::size_t>(n));
    }
    return s;
}

// The converter's file of a planned list, from its CSV in the working directory.
std::string PLANDATEI(const std::vector<Pkt> &v) {
    std::ofstream f("plan.csv", std::ios::binary);
    f << "Nr;Id;Typ;Code;Text;Adresse;Treiber;Obj;GAK\n";
    for (std::size_t i = 0; i < v.size(); i++)
        f << (v[i].uNr != 0 ? v[i].uNr : i + 1) << ';' << v[i].sId << ';' << v[i].uTyp << ';' << v[i].uAtb
          << ';' << v[i].sText << ';' << v[i].sAdr << ";4;HZ01;KESSELHAUS\n";
    f.close();
    EXPECT_EQ(std::system((std::string(NT_TABCONV_BIN) + " plan.csv >/dev/null").c_str()), 0);
    return NT_DATEI("tabconv.ref");
}

// Data line i (from 0) of a file, as "+ " or "- " shows it.
std::string ZEILE(const std::string &sDatei, int i) {
    std::size_t p = 0;
    for (int n = 0; n <= i; n++)
        p = sDatei.find('\n', p) + 1;
    return sDatei.substr(p, sDatei.find('\n', p) - p) + "\n";
}

std::string SUMME(int a, int r, int c, int n, int u) {
    return std::to_string(a) + " hinzugefügt, " + std::to_string(r) + " entfernt, " + std::to_string(c) +
           " geändert, " + std::to_string(n) + " umnummeriert, " + std::to_string(u) + " unverändert\n";
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
    v[4].sText = "Betriebsart\tKessel";
    for (std::size_t i = 0; i < v.size(); i++)
        v[i].sAdr = "AS01 DP " + std::to_string(i), v[i].bPolar = false;
});
const std::vector<Pkt> DOPPELT = MIT(BASIS, [](auto &v) { v[2].sAdr = v[1].sAdr, v[2].bPolar = true; });

// In the expected output of a planned list against a scan: its line of the point at index 4.
const std::string sPLAN4 = "<PLAN4>";

struct Fall {
    const char *cName;
    std::string sAlt, sNeu, sOption;
    int iStatus;
    std::string sOut, sErr;    // the whole standard output (with -J or --help a part of it), a part of stderr
    bool bPlan = false;        // alt.ref: the converter's file of PLAN; sAlt empty: no file alt.ref
    const char *cLocale = "C"; // of the terminal
};

void PrintTo(const Fall &f, std::ostream *os) {
    *os << f.cName;
}

class Refdiff : public NtTmpDirTest, public ::testing::WithParamInterface<Fall> {};

TEST_P(Refdiff, Compares) {
    const Fall &f = GetParam();
    const std::string sAlt = f.bPlan ? PLANDATEI(PLAN) : f.sAlt;
    if (!sAlt.empty()) std::ofstream("alt.ref", std::ios::binary) << sAlt;
    std::ofstream("neu.ref", std::ios::binary) << f.sNeu;
    const std::string sCmd = std::string("LC_ALL=") + f.cLocale + " " + NT_REFDIFF_BIN + " " + f.sOption +
                             " alt.ref neu.ref >out 2>err";
    const int iStat = std::system(sCmd.c_str());
    ASSERT_TRUE(WIFEXITED(iStat));
    EXPECT_EQ(WEXITSTATUS(iStat), f.iStatus);
    const std::string sOut = NT_DATEI("out"), sErr = NT_DATEI("err");
    std::string sSoll = f.sOut;
    if (const std::size_t p = sSoll.find(sPLAN4); p != std::string::npos) {
        std::string sZeile = ZEILE(sAlt, 4);
        std::replace(sZeile.begin(), sZeile.end(), '\t', '?'); // no control character reaches the terminal
        sSoll.replace(p, sPLAN4.size(), sZeile);
    }
    if (f.sOption.find("-J") == std::string::npos && f.sOption != "--help")
        EXPECT_EQ(sOut, sSoll);
    else
        EXPECT_NE(sOut.find(sSoll), std::string::npos) << sOut;
    EXPECT_NE(sErr.find(f.sErr), std::string::npos) << sErr;
}

const std::string A = DATEI(BASIS), E = DATEI(EINGEFUEGT), G = DATEI(GEAENDERT);

// A against G; file texts in the code page, or converted for a UTF-8 terminal.
std::string GEAENDERT_AUS(bool bUtf8) {
    const std::string sText = "~ 0001003.BI#0000001'00085 (Pumpe 1)  Text: \"Pumpe 1 Betrieb Kessel\" -> "
                              "\"Pumpe 1 Störung\"\n";
    return (bUtf8 ? sText : DOS(sText)) +
           "~ 0001003.AV#0000005'00085 (1003.AV5)  Attributcode: 108 -> 109\n"
           "~ 4194303.MV#4194303'00085 (4194303.MV4194303)  Polarität: 0 -> 1\n+ " +
           ZEILE(G, 4) + "+ " + ZEILE(G, 5) + "- " + ZEILE(A, 2) + SUMME(2, 1, 3, 0, 1);
}

// G with a line feed inside the text of its second line, as a device's description once split it.
std::string GETEILT() {
    std::string s = G;
    return s.insert(s.find(DOS("Störung")), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    refdiff, Refdiff,
    ::testing::Values(
        Fall{"identical", A, A, "", 0, SUMME(0, 0, 0, 0, 5), ""},
        Fall{"inserted", A, E, "", 1, "+ " + ZEILE(E, 2) + SUMME(1, 0, 0, 2, 3), ""},
        Fall{"changed", A, G, "", 1, GEAENDERT_AUS(false), ""},
        Fall{"changed_utf8_terminal", A, G, "", 1, GEAENDERT_AUS(true), "", false, "C.UTF-8"},
        Fall{"json", A, G, "-J", 1,
             "\"text\": \"Pumpe 1 St\xC3\xB6rung\",\n        \"address\": \"0001003.BI#0000001'00085\",\n"
             "        \"polarity\": true\n      },\n      \"fields\": [\n        \"text\"\n      ]",
             ""},
        Fall{"plan_against_scan", "", A, "-k id", 1,
             "~ Ventil (0001003.AO#0000002'00085)  Typ: 2 -> 4\n+ " + ZEILE(A, 4) + "- " + sPLAN4 +
                 SUMME(1, 1, 1, 0, 3),
             "", true},
        Fall{"duplicate_key", DATEI(DOPPELT), DATEI(MIT(DOPPELT, [](auto &v) { v[2].sText = "Ventil"; })),
             "-k adresse", 1,
             "~ 0001003.BI#0000001'00085 (Ventil)  Text: \"Ventil Stellung\" -> \"Ventil\"\n" +
                 SUMME(0, 0, 1, 0, 4),
             "refdiff: alt.ref, Zeile 4: Schlüssel 0001003.BI#0000001'00085 doppelt, zuerst in Zeile 3"},
        Fall{"help_in_utf8", "", "", "--help", 0, "Adresse (-k id), Polarität (zwei Scans)\n", ""},
        Fall{"malformed", A, G.substr(0, G.rfind('\n', G.size() - 2)) + "\n00006 Kaputt 3 0 15\n", "", 2, "",
             "refdiff: neu.ref, Zeile 7: keine Datenzeile: Id, Typ"},
        Fall{"line_split_in_its_text", A, GETEILT(), "", 2, "",
             "refdiff: neu.ref, Zeile 3: Zeile abgeschnitten: sie endet vor der Adresse"},
        Fall{
            "cut_in_the_address", A, G.substr(0, G.size() - 12), "", 2, "",
            "refdiff: neu.ref, Zeile 7: keine Datenzeile: nach Text und zehn Leerzeichen steht keine BACnet"},
        Fall{"line_too_long", A, G + std::string(512, 'x'), "", 2, "",
             "refdiff: neu.ref, Zeile 8: Zeile länger als 511 Zeichen"},
        Fall{"binary", A, G + std::string(100, '\0') + "\n", "", 2, "",
             "refdiff: neu.ref, Zeile 8: keine Textzeile: ein Nullbyte"},
        Fall{"no_header", A, G.substr(G.find('\n') + 1), "", 2, "",
             "refdiff: neu.ref, Zeile 1: keine Kopfzeile"},
        Fall{"missing_file", "", A, "", 2, "", "refdiff: alt.ref: Datei nicht vorhanden"}),
    [](const auto &info) { return std::string(info.param.cName); });

} // namespace
