// Code tables that several Sercel header decoders read: the 408/428 record headers and the
// quick readers of the same files (and, for blaster status, SN388 records).
#pragma once

#include <array>
#include <string_view>

#include "decode/code_lookup.h"

namespace vorax::decode::sercel_codes {

// Control unit type: trace header extension block 2, byte 1.
inline constexpr CodeLabel kControlUnitTypes[] = {
    {0x01, "LCI"},      {0x02, "LAUL"},     {0x03, "LAUX"},     {0x04, "LAULS"},
    {0x0B, "LAULM"},    {0x0C, "LAUXM"},    {0x0D, "TAPU"},     {0x0F, "BCXU"},
    {0x15, "REM"},      {0x16, "LRU"},      {0x1F, "TZLULV-A"}, {0x20, "TZLULV-B"},
    {0x21, "TZLUHV-A"}, {0x22, "TZLUHV-B"}, {0x29, "OBCLU-A"},  {0x2A, "OBCLU-B"}};

// Channel filter of a 408/428 trace.
inline constexpr CodeLabel kChannelFilters[] = {
    {1, "0.8FN Minimum Phase"}, {2, "0.8FN Linear phase"}, {3, "SU6R-like"}};

// Blaster status 0..8 in three blaster families; an empty entry is a blank text.
inline constexpr std::array<std::array<std::string_view, 3>, 9> kBlasterStatusTexts = {{
    {"", "", "Did Not Fire"},
    {"Low Battery", "Blaster Ready", "Shot Fired OK"},
    {"High Voltage Ready", "Open Cap", "No Status Rx"},
    {"", "", "No UH Data"},
    {"Fired OK", "UH Error", "Low Battery"},
    {"", "", "UH phone resistance err"},
    {"", "", "Bad Cap"},
    {"", "", "Can't Pick UH Time"},
    {"Fire Error", "", ""},
}};

}  // namespace vorax::decode::sercel_codes
