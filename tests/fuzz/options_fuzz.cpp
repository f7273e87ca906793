// libFuzzer target for the option grammar. Each input is a command line after the program name, arguments
// separated by zero bytes. It is read three times: by the scanner's argument phase (SC_INIT_ARG), by the
// converter's (TK_INIT_ARG, from the second argument on) and by the library start-up's switch options
// (UT_T_OPTION on every argument, as UT_INIT applies them). Each reading must set exactly what the grammar
// says: the switch options, -R with one digit, -P with 1 to 64 written plainly, -U alone, the texts of -A, -B
// and -E within their buffers, the endpoint only in first position, -L for the converter, -Z only for the
// library. Trace files of -TD are created in a private folder: a '/' in their names becomes '_'.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>
#include "bacnet/bn.h"
#include "converter/tk.h"
#include "fuzz/fz.h"
#include "ip/ip.h"
#include "runtime/ut/ut.h"
#include "scanner/setup/sc_setup.h"
#include "support/netns_guard.h"

static FILE *fpSenke;

static unsigned char *const ucSCHALTER[] = {&TEST_T_A,  &TEST_T_A1, &TEST_T_A2, &TEST_T_A3, &TEST_T_A4,
                                            &TEST_T_I,  &TEST_T_I1, &TEST_T_I2, &TEST_T_I3, &TEST_T_O,
                                            &TEST_T_O1, &TEST_T_O2, &TEST_T_X,  &TEST_Z_};
constexpr int iSCHALTER = sizeof ucSCHALTER / sizeof ucSCHALTER[0];

static bool OPTION(const std::string &s, char c) {
    return s.size() >= 2 && (s[0] == '-' || s[0] == '/') && std::toupper((unsigned char)s[1]) == c;
}

// The switches the arguments from iVon on set: -TA, -TA1..4, -TI, -TI1..3, -TO, -TO1..2 (only the character
// after the letter counts), -TX with nothing after it, and -Z when bZ.
static std::vector<unsigned char> SOLL(const std::vector<std::string> &vArg, std::size_t uVon, bool bZ) {
    std::vector<unsigned char> v(iSCHALTER, 0);
    for (std::size_t i = uVon; i < vArg.size(); i++) {
        const std::string &s = vArg[i];
        if (bZ && OPTION(s, 'Z')) v[13] = 1;
        if (!OPTION(s, 'T') || s.size() < 3) continue;
        const char c = (char)std::toupper((unsigned char)s[2]), d = s.size() > 3 ? s[3] : '\0';
        const int iErst = c == 'A' ? 0 : c == 'I' ? 5 : c == 'O' ? 9 : -1;
        const int iAnz = c == 'A' ? 5 : c == 'I' ? 4 : 3;
        if (iErst >= 0 && d == '\0') v[iErst] = 1;
        if (iErst >= 0 && d >= '1' && d < '0' + iAnz) v[iErst + d - '0'] = 1;
        if (c == 'X' && d == '\0') v[12] = 1;
    }
    return v;
}

static void PRUEFEN(const std::vector<std::string> &vArg, std::size_t uVon, bool bZ) {
    const std::vector<unsigned char> v = SOLL(vArg, uVon, bZ);
    for (int i = 0; i < iSCHALTER; i++)
        FZ_CHECK(*ucSCHALTER[i] == v[i]);
    // a trace file opened is named; one that could not be opened leaves the trace on standard error
    FZ_CHECK((TEST_T_fpout == stderr) == (TEST_T_filnam[0] == '\0' && TEST_T_fpout != fpSenke));
    FZ_CHECK(strnlen(TEST_T_filnam, sizeof TEST_T_filnam) < sizeof TEST_T_filnam);
}

static void LEER() {
    for (unsigned char *uc : ucSCHALTER)
        *uc = 0;
    TEST_T_filnam[0] = '\0';
    cSC_AnfuegeDpId[0] = cSC_BeginnDpId[0] = cSC_EndePrefix[0] = '\0';
    iSC_Wiederhol = 3;
    iSC_Parallel = 1;
    iSC_Umsetzen = 0;
    iSC_Mehrfach = 0;
    iQX04_IP_Port = 47808;
    ulQX04_IP_Adr = 0xFFFFFFFF;
    iTK_L_Modus = 0;
    iTK_Umsetzen = 0;
}

// A trace file of -TD is closed and removed; the stream it replaced (closed with it) is made anew.
static void AUFRAEUMEN(const std::vector<std::string> &vArg) {
    if (TEST_T_fpout != fpSenke) {
        if (TEST_T_fpout != stderr && TEST_T_fpout != stdout) std::fclose(TEST_T_fpout);
        TEST_T_fpout = fpSenke = FZ_SENKE();
    }
    for (const std::string &s : vArg)
        if (struct stat st; OPTION(s, 'T') && s.size() > 3 && std::toupper((unsigned char)s[2]) == 'D' &&
                            stat(s.c_str() + 3, &st) == 0 && S_ISREG(st.st_mode))
            std::remove(s.c_str() + 3);
}

// The last text of option c (cut to the 255 characters its buffer holds), empty when there is none.
static std::string TEXT(const std::vector<std::string> &vArg, char c) {
    std::string s;
    for (std::size_t i = 1; i < vArg.size(); i++)
        if (OPTION(vArg[i], c)) s = vArg[i].substr(2, 255);
    return s;
}

// The number of the last option c written plainly within iMin..iMax, or iAlt.
static int ZAHL(const std::vector<std::string> &vArg, char c, int iMin, int iMax, int iAlt) {
    int n = iAlt;
    for (std::size_t i = 1; i < vArg.size(); i++)
        for (int k = iMin; k <= iMax; k++)
            if (OPTION(vArg[i], c) && vArg[i].substr(2) == std::to_string(k)) n = k;
    return n;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    NT_REQUIRE_PRIVATE_NETNS(); // an endpoint argument with a host name is looked up
    FZ_TEMP_DIR();
    UT_CLOCK_SET(FZ_UHR);
    TEST_T_fpout = fpSenke = FZ_SENKE();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *ucData, std::size_t uSize) {
    std::vector<std::string> vArg{"NETSCN"};
    for (std::size_t p = 0; p <= uSize && vArg.size() < 17;) {
        const char *c = reinterpret_cast<const char *>(ucData + p);
        std::string s(c, strnlen(c, uSize - p));
        p += s.size() + 1;
        if (OPTION(s, 'T') && s.size() > 3 && std::toupper((unsigned char)s[2]) == 'D')
            for (std::size_t k = 3; k < s.size(); k++)
                if (s[k] == '/') s[k] = '_';
        vArg.push_back(s);
    }

    LEER();
    for (std::size_t i = 1; i < vArg.size(); i++)
        SC_INIT_ARG((int)i, vArg[i].c_str());
    PRUEFEN(vArg, 1, false);
    FZ_CHECK(cSC_AnfuegeDpId == TEXT(vArg, 'A') && cSC_BeginnDpId == TEXT(vArg, 'B'));
    FZ_CHECK(cSC_EndePrefix == TEXT(vArg, 'E'));
    FZ_CHECK(iSC_Wiederhol == ZAHL(vArg, 'R', 0, 9, 3) && iSC_Parallel == ZAHL(vArg, 'P', 1, 64, 1));
    bool bU = false, bM = false;
    for (const std::string &s : vArg)
        bU = bU || (OPTION(s, 'U') && s.size() == 2), bM = bM || (OPTION(s, 'M') && s.size() == 2);
    FZ_CHECK(iSC_Umsetzen == (bU ? 1 : 0) && iSC_Mehrfach == (bM ? 1 : 0));
    IP_PORT stPort{};
    if (vArg.size() > 1 && !vArg[1].empty() && vArg[1][0] != '-' && vArg[1][0] != '/' &&
        IP_A2PORT(vArg[1].c_str(), &stPort) == 0)
        FZ_CHECK(iQX04_IP_Port == stPort.usPort &&
                 ulQX04_IP_Adr == (stPort.ulAdr ? stPort.ulAdr : 0xFFFFFFFF));
    else
        FZ_CHECK(iQX04_IP_Port == 47808 && ulQX04_IP_Adr == 0xFFFFFFFF);
    AUFRAEUMEN(vArg);

    LEER();
    bool bL = false, bTkU = false;
    for (std::size_t i = 2; i < vArg.size(); i++) {
        TK_INIT_ARG(vArg[i].c_str());
        bL = bL || OPTION(vArg[i], 'L');
        bTkU = bTkU || OPTION(vArg[i], 'U');
    }
    PRUEFEN(vArg, 2, false);
    FZ_CHECK(iTK_L_Modus == (bL ? 1 : 0));
    FZ_CHECK(iTK_Umsetzen == (bTkU ? 1 : 0));
    AUFRAEUMEN(vArg);

    LEER();
    for (std::size_t i = 1; i < vArg.size(); i++)
        UT_T_OPTION(vArg[i].c_str());
    PRUEFEN(vArg, 1, true);
    AUFRAEUMEN(vArg);
    return 0;
}
