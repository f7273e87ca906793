// An interrupt during a scan with -J and -X is only noted by its handler; at the scan's next event the report
// and the EDE files of what was read are written, and the process ends by the signal.
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include "bacnet/bn.h"
#include "scanner/setup/sc_setup.h"
#include "support/nt_tmpdir.h"

using Unterbrechung = NtTmpDirTest;

TEST_F(Unterbrechung, WritesWhatWasReadThenEndsByTheSignal) {
    static QX04_BN_ROUTE tab[3] = {{}, {}, {}};
    tab[0].ulSDEV = 7, tab[1].ulSDEV = 8, tab[2].ulSDEV = 0xFFFFFFFF;
    BN_ROUTE_QX04_Struct = tab, uQX04_Anz_Dev = 3;
    char cProg[] = "netscn", cJ[] = "-Jr.json", cX[] = "-Xe", *argv[] = {cProg, cJ, cX, nullptr};
    SC_BEOBACHTER_NEU();
    ASSERT_TRUE(SC_BEOBACHTER_OPTION(cJ) && SC_BEOBACHTER_OPTION(cX) && SC_BEOBACHTER_ANMELDEN(3, argv) == 0);
    SC_EREIGNIS_Struct e{};
    for (const int iArt : {SC_EV_SCAN_ANFANG, SC_EV_DEV_ANFANG, SC_EV_TAKT})
        e.iArt = iArt, SC_MELDEN(&e);
    EXPECT_EXIT((std::raise(SIGINT), SC_MELDEN(&e)), testing::KilledBySignal(SIGINT), "");
    SC_BEOBACHTER_LEER();
    std::signal(SIGINT, SIG_DFL), std::signal(SIGTERM, SIG_DFL), std::signal(SIGHUP, SIG_DFL);
    const nlohmann::json j = nlohmann::json::parse(std::ifstream("r.json"), nullptr, false);
    EXPECT_EQ(j.value("verdict", "") + std::to_string(j.value("exit_status", 0)), "interrupted130");
    EXPECT_EQ(j["/devices/0/outcome"_json_pointer], "interrupted");
    EXPECT_TRUE(std::ifstream("e_EDE.csv").good() && std::ifstream("e_StateTexts.csv").good());
}
