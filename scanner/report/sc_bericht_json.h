// The pieces of the scan report's JSON text.
#pragma once
#include <nlohmann/json.hpp>
#include "scanner/report/sc_bericht_intern.h"

// A text of the file (the loader's code page) as UTF-8.
std::string SC_BERICHT_UTF8(const std::string &s);
// One device of the report, by its device table index.
nlohmann::ordered_json SC_BERICHT_JSON_GERAET(std::uint32_t uDev);
