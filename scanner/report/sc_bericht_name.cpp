// The names BACnet gives the numbers of a refusal, so that the report reads without the standard at hand:
// error classes and codes, reject and abort reasons. Numbers past a table (proprietary or newer ones) have
// none.
#include <array>
#include <string_view>
#include "scanner/report/sc_bericht_intern.h"

static constexpr std::array<std::string_view, 8> aKLASSE = {
    "device", "object", "property", "resources", "security", "services", "vt", "communication"};

static constexpr std::array<std::string_view, 51> aCODE = {
    "other",
    "authentication-failed",
    "configuration-in-progress",
    "device-busy",
    "dynamic-creation-not-supported",
    "file-access-denied",
    "incompatible-security-levels",
    "inconsistent-parameters",
    "inconsistent-selection-criterion",
    "invalid-data-type",
    "invalid-file-access-method",
    "invalid-file-start-position",
    "invalid-operator-name",
    "invalid-parameter-data-type",
    "invalid-time-stamp",
    "key-generation-error",
    "missing-required-parameter",
    "no-objects-of-specified-type",
    "no-space-for-object",
    "no-space-to-add-list-element",
    "no-space-to-write-property",
    "no-vt-sessions-available",
    "property-is-not-a-list",
    "object-deletion-not-permitted",
    "object-identifier-already-exists",
    "operational-problem",
    "password-failure",
    "read-access-denied",
    "security-not-supported",
    "service-request-denied",
    "timeout",
    "unknown-object",
    "unknown-property",
    "",
    "unknown-vt-class",
    "unknown-vt-session",
    "unsupported-object-type",
    "value-out-of-range",
    "vt-session-already-closed",
    "vt-session-termination-failure",
    "write-access-denied",
    "character-set-not-supported",
    "invalid-array-index",
    "cov-subscription-failed",
    "not-cov-property",
    "optional-functionality-not-supported",
    "invalid-configuration-data",
    "datatype-not-supported",
    "duplicate-name",
    "duplicate-object-id",
    "property-is-not-an-array",
};

static constexpr std::array<std::string_view, 10> aREJECT = {"other",
                                                             "buffer-overflow",
                                                             "inconsistent-parameters",
                                                             "invalid-parameter-data-type",
                                                             "invalid-tag",
                                                             "missing-required-parameter",
                                                             "parameter-out-of-range",
                                                             "too-many-arguments",
                                                             "undefined-enumeration",
                                                             "unrecognized-service"};

static constexpr std::array<std::string_view, 12> aABORT = {"other",
                                                            "buffer-overflow",
                                                            "invalid-apdu-in-this-state",
                                                            "preempted-by-higher-priority-task",
                                                            "segmentation-not-supported",
                                                            "security-error",
                                                            "insufficient-security",
                                                            "window-size-out-of-range",
                                                            "application-exceeded-reply-time",
                                                            "out-of-resources",
                                                            "tsm-timeout",
                                                            "apdu-too-long"};

std::string_view SC_BERICHT_NAME(int iArt, int iNr) {
    static constexpr std::array<const std::string_view *, 4> aTAFEL = {aKLASSE.data(), aCODE.data(),
                                                                       aREJECT.data(), aABORT.data()};
    static constexpr std::array<std::size_t, 4> aGROESSE = {aKLASSE.size(), aCODE.size(), aREJECT.size(),
                                                            aABORT.size()};
    if (iArt < 0 || iArt >= 4 || iNr < 0 || static_cast<std::size_t>(iNr) >= aGROESSE[iArt]) return {};
    return aTAFEL[iArt][iNr];
}
