// Reference file lines: data-point id, text and code override, units table, state-text match against a
// catalogue, the exact data and header lines, and write failures.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "runtime/ut/ut.h"
#include "scanner/reffile/sc_ref.h"
#include "scanner/sc.h"
#include "support/nt_tmpdir.h"

namespace {

void OPTIONEN(const char *cE, const char *cB, const char *cA) {
    std::snprintf(cSC_EndePrefix, sizeof cSC_EndePrefix, "%s", cE);
    std::snprintf(cSC_BeginnDpId, sizeof cSC_BeginnDpId, "%s", cB);
    std::snprintf(cSC_AnfuegeDpId, sizeof cSC_AnfuegeDpId, "%s", cA);
}

SC_OBJ_Struct OBJEKT(std::uint32_t ulDev, unsigned uTyp, std::uint32_t ulInst) {
    SC_OBJ_Struct st;
    SC_OBJ_NEU(&st, ulDev);
    EXPECT_EQ(SC_OBJ_SETZEN(&st, (uTyp << 22) | ulInst), 0);
    return st;
}

// A two-state or multi-state object with the given state texts, as the scan loop leaves it.
SC_OBJ_Struct ZUSTAENDE(unsigned uTyp, std::initializer_list<const char *> lTexte, unsigned uPolar = 0) {
    SC_OBJ_Struct st = OBJEKT(100, uTyp, 1);
    int j = 0;
    for (const char *c : lTexte)
        std::snprintf(st.cState[j++], sizeof st.cState[0], "%s", c);
    st.NoState = j;
    st.uPolar = uPolar;
    return st;
}

class Ref : public NtKatalogTest {
  protected:
    void SetUp() override {
        NtKatalogTest::SetUp();
        OPTIONEN("", "", "");
    }
    void TearDown() override {
        if (fpSC_REF != nullptr) std::fclose(fpSC_REF);
        fpSC_REF = nullptr;
        TEST_T_X = 0;
        NtKatalogTest::TearDown();
    }
    // Writes one object's line through the reference file and returns what reached the file.
    std::string ZEILE(SC_OBJ_Struct st, unsigned uNr = 1) {
        fpSC_REF = std::fopen("netscn.ref", "w+t");
        EXPECT_NE(fpSC_REF, nullptr);
        EXPECT_EQ(SC_REF_LINE(&st, &uNr), 0);
        std::fclose(fpSC_REF);
        fpSC_REF = nullptr;
        std::ifstream f("netscn.ref", std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
};

TEST_F(Ref, ObjectTypesGivingDataPoints) {
    const char *c = nullptr;
    EXPECT_EQ(SC_OBJTYP(0, &c), 3u);
    EXPECT_STREQ(c, "AI");
    EXPECT_EQ(SC_OBJTYP(2, &c), 4u);
    EXPECT_STREQ(c, "AV");
    EXPECT_EQ(SC_OBJTYP(3, &c), 1u);
    EXPECT_EQ(SC_OBJTYP(5, &c), 2u);
    EXPECT_EQ(SC_OBJTYP(13, &c), 1u);
    EXPECT_STREQ(c, "MI");
    EXPECT_EQ(SC_OBJTYP(19, &c), 2u);
    EXPECT_STREQ(c, "MV");
    for (unsigned u : {6u, 8u, 10u, 12u, 15u, 17u, 20u, 1023u})
        EXPECT_EQ(SC_OBJTYP(u, nullptr), 0u) << u;
    SC_OBJ_Struct st;
    SC_OBJ_NEU(&st, 1234);
    EXPECT_STREQ(st.cBnAdr, "Device 1234");
    EXPECT_EQ(st.ulObjId, 0x020004D2u);
    EXPECT_EQ(SC_OBJ_SETZEN(&st, 0x020004D2u), -1);
    EXPECT_EQ(SC_OBJ_SETZEN(&st, (17u << 22) | 5), -1);
}

TEST_F(Ref, AddressTextAndDefaultId) {
    SC_OBJ_Struct st = OBJEKT(1234, 0, 17);
    EXPECT_STREQ(st.cBnAdr, "0001234.AI#0000017'00085");
    EXPECT_STREQ(st.cDpId, "1234.AI17");
    EXPECT_EQ(st.uDP_Type, 3u);
    st = OBJEKT(4194303, 19, 4194303);
    EXPECT_STREQ(st.cBnAdr, "4194303.MV#4194303'00085");
    EXPECT_STREQ(st.cDpId, "4194303.MV4194303"); // 17 characters, kept whole
}

TEST_F(Ref, IdFromNameWithEndPrefixBeginAndAppend) {
    SC_OBJ_Struct st = OBJEKT(1, 0, 1);
    EXPECT_EQ(SC_DPID(&st, "Heizung_Vorlauftemperatur_1"), 0);
    EXPECT_STREQ(st.cDpId, "Heizung_Vorlauft");
    OPTIONEN("", "", "_X1");
    EXPECT_EQ(SC_DPID(&st, "Heizung_Vorlauftemperatur_1"), 0);
    EXPECT_STREQ(st.cDpId, "Heizung_Vorlauft"); // already 16: nothing appended
    EXPECT_EQ(SC_DPID(&st, "Kessel_T01"), 0);
    EXPECT_STREQ(st.cDpId, "Kessel_T01_X1");
    EXPECT_EQ(SC_DPID(&st, "Kessel_T01_AB"), 0);
    EXPECT_STREQ(st.cDpId, "Kessel_T01_AB_X1");
    EXPECT_EQ(SC_DPID(&st, "Kessel_T01_ABC"), 0);
    EXPECT_STREQ(st.cDpId, "Kessel_T01_ABC_X"); // 15: only what fits

    OPTIONEN("/", "", "");
    EXPECT_EQ(SC_DPID(&st, "Geb1/OG2/Raum12.T"), 0);
    EXPECT_STREQ(st.cDpId, "Raum12.T"); // after the last occurrence
    EXPECT_EQ(SC_DPID(&st, "ohne Trenner"), 0);
    EXPECT_STREQ(st.cDpId, "ohne Trenner");

    OPTIONEN("/", "R", "");
    EXPECT_EQ(SC_DPID(&st, "Geb1/OG2/Raum12.T"), 0);
    EXPECT_STREQ(st.cDpId, "Raum12.T");
    EXPECT_EQ(SC_DPID(&st, "Raum1/OG2/T12"), -1); // the begin text only before the prefix end
    OPTIONEN("", "K3", "");
    EXPECT_EQ(SC_DPID(&st, "AnlageK3.Pumpe"), 0);
    EXPECT_STREQ(st.cDpId, "K3.Pumpe");
}

TEST_F(Ref, TextAndCodeOverrideFromDescription) {
    SC_OBJ_Struct st = OBJEKT(1, 0, 1);
    SC_DESCR(&st, "Aussentemperatur Nord  ");
    EXPECT_STREQ(st.cText, "Aussentemperatur Nord");
    EXPECT_EQ(st.ucAtbOvr, SC_KEIN_OVR);
    SC_DESCR(&st, "Vorlauftemperatur Kreis1   [123]"); // 32 characters, [123] at 28-32
    EXPECT_STREQ(st.cText, "Vorlauftemperatur Kreis");
    EXPECT_EQ(st.ucAtbOvr, 123);
    SC_DESCR(&st, "[12] kurz");
    EXPECT_EQ(st.ucAtbOvr, SC_KEIN_OVR);
    SC_DESCR(&st, "Vorlauftemperatur Kreis1 [ 0 Grad]");
    EXPECT_EQ(st.ucAtbOvr, 0);
    for (const char *c : {"Vorlauftemperatur Kreis1 [255]", "Vorlauftemperatur Kreis1 [1000]",
                          "Vorlauftemperatur Kreis1 [-5]", "Vorlauftemperatur Kreis1 [12",
                          "Vorlauf[12]temperatur Kreis1 x"}) {
        SC_DESCR(&st, c);
        EXPECT_EQ(st.ucAtbOvr, SC_KEIN_OVR) << c;
    }
}

TEST_F(Ref, UnitsTable) {
    EXPECT_EQ(SC_UNITS(62), 108u);
    EXPECT_EQ(SC_UNITS(64), 255u);
    EXPECT_EQ(SC_UNITS(0), 6u);
    EXPECT_EQ(SC_UNITS(30), 1u);
    EXPECT_EQ(SC_UNITS(59), 1u);
    EXPECT_EQ(SC_UNITS(100), 57u);
    EXPECT_EQ(SC_UNITS(95), 0u);
    EXPECT_EQ(SC_UNITS(136), 82u);
    EXPECT_EQ(SC_UNITS(-1), 255u);
    EXPECT_EQ(SC_UNITS(62 + 256), 255u);
}

TEST_F(Ref, NormalisedTexts) {
    char c[] = "aus{|}~\x7f Zu\x81g\xE1";
    SC_NORM_TEXT(c);
    EXPECT_STREQ(c, "AUS[\\]^_ ZU_G_");
}

// Inactive text Aus, active text Ein; code 17 carries the same texts, lower codes do not.
TEST_F(Ref, TwoStateMatchedDirectlyAndCrosswise) {
    KATALOG("003,0   AUS\n003,1   AN\n005,0   AUS\n005,1   AUS\n017,0   AUS\n017,1   EIN\n");
    unsigned uPolar = 9;
    SC_OBJ_Struct st = ZUSTAENDE(3, {"Aus", "Ein"});
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 17u);
    EXPECT_EQ(uPolar, 0u);
    EXPECT_STREQ(st.cState[1], "EIN");

    KATALOG("003,0   AUS\n003,1   AN\n017,0   EIN\n017,1   AUS\n");
    st = ZUSTAENDE(3, {"Aus", "Ein"});
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 17u);
    EXPECT_EQ(uPolar, 1u);
    EXPECT_NE(ZEILE(st).find("0000100.BI#0000001'00085   00001\n"), std::string::npos);

    st = ZUSTAENDE(4, {"Aus", "Ein"}, 1); // reverse polarity, crosswise texts: straight again
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 17u);
    EXPECT_EQ(uPolar, 0u);
    EXPECT_EQ(ZEILE(st).find("00001\n"), std::string::npos);

    st = ZUSTAENDE(4, {"Gestoert", "Normal"}, 1); // nothing matches: 45, polarity as read
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 45u);
    EXPECT_EQ(uPolar, 1u);
}

TEST_F(Ref, TwoStateSubstringsAndEmptyTexts) {
    KATALOG("020,0   HAND\n020,1   AUTOMATIK\n");
    unsigned uPolar = 0;
    SC_OBJ_Struct st = ZUSTAENDE(5, {"Handbetrieb", "Auto"}); // text contains T, T contains text
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 20u);
    st = ZUSTAENDE(5, {"", ""}); // empty texts are contained in every catalogue text
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 0u);
}

TEST_F(Ref, MultiStateMatchAndDefaults) {
    KATALOG("040,0   AUS\n040,1   STUFE 1\n040,2   STUFE 2\n"
            "041,0   AUS\n041,1   STUFE 1\n041,2   STUFE 2\n041,3   STUFE 3\n");
    unsigned uPolar = 0;
    SC_OBJ_Struct st = ZUSTAENDE(14, {"Aus", "Stufe 1", "Stufe 2", "Stufe 3"});
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 41u);
    st = ZUSTAENDE(14, {"Aus", "Stufe 1", "Stufe 2"});
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 40u);
    st = ZUSTAENDE(14, {"Aus", "Stufe 1", "Stufe 2", "Stufe 4"}); // no match: state count - 1
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 3u);
    st = ZUSTAENDE(14, {"Aus", "Stufe 1", "Stufe 2", "Stufe 4"});
    st.ucAtbOvr = 200; // a code in the description beats everything
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 200u);
    st = ZUSTAENDE(13, {});
    st.NoState = -1; // number of states never read: code 0 matches
    EXPECT_EQ(SC_ATB_KODE(&st, &uPolar), 0u);
}

TEST_F(Ref, MatchTracesNormalisedTexts) {
    KATALOG("000,0   aus\n000,1   ein\n");
    std::FILE *fp = std::tmpfile();
    std::FILE *fpAlt = TEST_T_fpout;
    TEST_T_fpout = fp;
    TEST_T_X = 1;
    unsigned uPolar = 0;
    SC_OBJ_Struct st = ZUSTAENDE(3, {"Aus", "Ein"});
    EXPECT_EQ(SC_STATE_MATCH(&st, &uPolar), 0);
    TEST_T_fpout = fpAlt;
    std::rewind(fp);
    char c[4096] = {};
    std::fread(c, 1, sizeof c - 1, fp);
    std::fclose(fp);
    std::string s = c;
    EXPECT_NE(s.find(")   SC_LOOP:  Norm. OBJ-Text [0] : >AUS<"), std::string::npos) << s;
    EXPECT_NE(s.find(")   SC_LOOP:  OBJ/ATB-Text [0,1] : >EIN< == >EIN< ???"), std::string::npos) << s;
}

TEST_F(Ref, DataLinesByteForByte) {
    SC_OBJ_Struct st = OBJEKT(1234, 0, 17);
    st.uAtb = SC_UNITS(62);
    std::string s = ZEILE(st, 1);
    EXPECT_EQ(s, "00001 1234.AI17        3 0 15 15 15 0 0 000 108 " + std::string(23 + 10, ' ') +
                     "0001234.AI#0000017'00085  \n");
    EXPECT_EQ(s.find("0001234.AI"), 81u); // column 82
    SC_DPID(&st, "TAussen");
    SC_DESCR(&st, "Aussentemperatur");
    EXPECT_EQ(ZEILE(st, 100000), "100000 TAussen          3 0 15 15 15 0 0 000 108 Aussentemperatur" +
                                     std::string(7 + 10, ' ') + "0001234.AI#0000017'00085  \n");
}

// A line break or tab inside a device text would split or shift the data line: it becomes a blank there;
// at the end of a description it is cut as before.
TEST_F(Ref, ControlCharactersInsideTextsBecomeBlanks) {
    const struct {
        const char *cName, *cBeschr, *cId, *cText;
    } aFall[] = {
        {"Pumpe\r\nP1", "Pumpe 1\r\nSt\x94rung", "Pumpe  P1", "Pumpe 1  St\x94rung"},
        {"K\tT", "Kessel\tVorlauf\x1b[0m", "K T", "Kessel Vorlauf [0m"},
        {"T1\r", "Aussentemperatur\r\n\t \x01", "T1", "Aussentemperatur"},
    };
    for (const auto &f : aFall) {
        SC_OBJ_Struct st = OBJEKT(1234, 0, 17), stSoll = st;
        SC_DPID(&st, f.cName);
        SC_DESCR(&st, f.cBeschr);
        SC_DPID(&stSoll, f.cId);
        SC_DESCR(&stSoll, f.cText);
        EXPECT_EQ(ZEILE(st), ZEILE(stSoll)) << f.cName;
        EXPECT_EQ(std::strpbrk(ZEILE(st).c_str(), "\r\t\x1b\x01"), nullptr) << f.cName;
    }
}

TEST_F(Ref, HeaderLine) {
    std::snprintf(cUT_LOOPZeit, sizeof cUT_LOOPZeit, "%s", "20261206140559");
    cUT_LOOP10Jahr = '2', cUT_LOOP1Jahr = '6', cUT_LOOP10Monat = '1', cUT_LOOP1Monat = '2';
    cUT_LOOP10Tag = '0', cUT_LOOP1Tag = '6', cUT_LOOP10Std = '1', cUT_LOOP1Std = '4';
    cUT_LOOP10Min = '0', cUT_LOOP1Min = '5';
    fpSC_REF = std::fopen("netscn.ref", "w+t");
    ASSERT_EQ(SC_REF_HEAD(), 0);
    std::fclose(fpSC_REF);
    fpSC_REF = nullptr;
    std::ifstream f("netscn.ref", std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(s, "00000 06/12/2026 14:05 BACnet nach ZDB (NETSCN)\n");
}

// A full disk shows at the line that did not fit: -21 and the message; the line number still moves on.
TEST_F(Ref, WriteFailureOnFullDevice) {
    fpSC_REF = std::fopen("/dev/full", "w");
    ASSERT_NE(fpSC_REF, nullptr);
    SC_OBJ_Struct st = OBJEKT(1, 0, 1);
    unsigned uNr = 7;
    testing::internal::CaptureStdout();
    EXPECT_EQ(SC_REF_LINE(&st, &uNr), -21);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n\n***  WRITE-Fehler auf ZDB-Referenz-Datei NETSCN.REF  ***");
    EXPECT_EQ(uNr, 8u);
    EXPECT_EQ(SC_REF_HEAD(), -21);
}

} // namespace
