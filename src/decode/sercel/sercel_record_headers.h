// What the header driver does differently for a Sercel record (manufacturer code 13): the
// real lengths of the extended and external headers, the standard general header block 3,
// the 1024-byte Sercel extended header, and the header summary taken from them.
//
// Every other manufacturer keeps the VORAX reading (a 64-byte extended header whatever general
// header byte 31 says), which would misplace every trace of a Sercel record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "decode/segd/general_headers.h"
#include "decode/segd_record.h"
#include "decode/sercel/sercel_headers.h"

namespace vorax::decode {

inline constexpr int kManufacturerSercel = 13;

// The Sercel header records the driver decoded (blank unless `present`).
struct SercelHeaders {
  bool present = false;  // the record is a Sercel one
  Gh3Fields gh3;         // general header block 3, standard layout
  Ext408ExtendedFields extended;
  std::vector<std::uint8_t> extendedBytes;  // as read; shorter when the file is
};

bool isSercelRecord(const Gh1Fields& gh1);

// Header lengths in bytes: 32 x the block count of general header block 1 byte 31 (extended)
// or byte 32 (external), read as BCD digits; where a count reads "FF" it is block 2 bytes 6-7
// (extended) or 8-9 (external) read as a binary number.
std::uint64_t sercelExtendedHeaderBytes(const Gh1Fields& gh1, const Gh2Fields& gh2);
std::uint64_t sercelExternalHeaderBytes(const Gh1Fields& gh1, const Gh2Fields& gh2);

// Overwrites the summary fields a Sercel record holds elsewhere than a VORAX one: label, tape
// number, samples per trace, source line, point and position, trace counts, first receiver,
// time-break kind and time, uphole time, blaster identifier, filter and the extended header's
// status text. Numbers come from the recorded binary values; the decoded texts are cut to
// widths that real values can exceed (5 digits for samples per trace, for one).
void fillSercelSummary(const SercelHeaders& sercel, RecordSummary& summary);

// Extension blocks per trace: the count the channel sets holding channels agree on, when it is
// more than seven; otherwise the seven of the Sercel layout.
std::size_t sercelExtensionBlocks(std::span<const ChannelSetFields> channelSets);

// The channel type (high digit of descriptor byte 11: 1 seismic, 9 auxiliary, ...) of each
// channel set, indexed by the channel set number byte as a trace header holds it (byte 4, two
// BCD digits: 0x02 for set 2); 0 for a number no descriptor declares.
using ChannelSetTypes = std::array<std::uint8_t, 256>;
ChannelSetTypes channelSetTypes(std::span<const ChannelSetFields> channelSets);

}  // namespace vorax::decode
