#include "decode/sercel/sercel_record_headers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

#include "decode/conversions.h"
#include "decode/segd/segd_layout.h"
#include "decode/sercel/sercel_trace_info.h"

namespace vorax::decode {

namespace {

using segd_layout::kBlockBytes;

// The value of a text of hex digits as a binary number ("0080" is 128).
std::uint64_t hexValue(std::string_view digits) {
  std::uint64_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  return value;
}

std::uint64_t blockCount(const FixedText<2>& gh1Count, const FixedText<4>& gh2Count) {
  if (gh1Count.view() == "FF") return hexValue(gh2Count.view());
  return static_cast<std::uint64_t>(std::max(0, numericInt(gh1Count.view())));
}

std::int32_t saturatedInt(std::uint32_t value) {
  constexpr auto kMax = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(std::min(value, kMax));
}

// A four-byte unsigned field of the extended header (0 past the bytes read).
std::int32_t field(Bytes extended, const FieldRow& row) {
  return saturatedInt(bigU32(extended, row.offset()));
}

}  // namespace

bool isSercelRecord(const Gh1Fields& gh1) {
  return numericInt(gh1.manufacturerCode.view()) == kManufacturerSercel;
}

std::uint64_t sercelExtendedHeaderBytes(const Gh1Fields& gh1, const Gh2Fields& gh2) {
  return kBlockBytes * blockCount(gh1.extendedHeaderBlocks, gh2.extendedHeaderBlocks);
}

std::uint64_t sercelExternalHeaderBytes(const Gh1Fields& gh1, const Gh2Fields& gh2) {
  return kBlockBytes * blockCount(gh1.externalHeaderBlocks, gh2.externalHeaderBlocks);
}

void fillSercelSummary(const SercelHeaders& sercel, RecordSummary& s) {
  namespace rows = sercel_layout::extended;
  const Bytes e = sercel.extendedBytes;
  s.label = sercel.extended.tapeLabel.view();
  s.tapeNumber = std::to_string(bigU32(e, rows::kTapeNumber.offset()));
  s.samplesPerTrace = field(e, rows::kSamplesPerTrace);
  s.sourceLine = static_cast<float>(numericValue(sercel.gh3.sourceLine.view()));
  s.sourcePoint = static_cast<float>(numericValue(sercel.gh3.sourcePoint.view()));
  s.sourceX = bigDouble(e, rows::kSourceEasting.offset());
  s.sourceY = bigDouble(e, rows::kSourceNorthing.offset());
  s.sourceZ = bigFloat(e, rows::kSourceElevation.offset());
  s.traceCount = field(e, rows::kTotalTraces);
  s.auxTraceCount = field(e, rows::kAuxiliaryTraces);
  s.seismicTraceCount = field(e, rows::kSeismicTraces);
  s.firstReceiverLine = field(e, rows::kSpreadFirstLine);
  s.firstReceiverPoint = field(e, rows::kSpreadFirstNumber);
  s.timeBreakKind = field(e, rows::kInternalTimeBreak) == 1 ? "ITB" : "FTB";
  s.filter = sercel.extended.acquisitionFilterText.view();
  s.timeBreakTime = field(e, rows::kTimeBreak);
  s.upholeTime = field(e, rows::kUpholeTime);
  s.blastIdentifier = field(e, rows::kBlasterIdentifier);
  s.extendedHeaderStatus = sercel.extended.message.view().substr(0, 60);
}

std::size_t sercelExtensionBlocks(std::span<const ChannelSetFields> channelSets) {
  std::uint64_t agreed = 0;
  for (const ChannelSetFields& cs : channelSets) {
    if (hexValue(cs.channelCount.view()) == 0) continue;
    const std::uint64_t blocks = hexValue(cs.traceHeaderExtensions.view());
    if (agreed != 0 && blocks != agreed) return kSercelExtensionBlocks;
    agreed = blocks;
  }
  return std::max<std::size_t>(kSercelExtensionBlocks, static_cast<std::size_t>(agreed));
}

ChannelSetTypes channelSetTypes(std::span<const ChannelSetFields> channelSets) {
  ChannelSetTypes types{};
  for (const ChannelSetFields& cs : channelSets) {
    const std::uint64_t number = hexValue(cs.channelSetNumber.view());
    if (number < types.size())
      types[number] = static_cast<std::uint8_t>(hexValue(cs.channelType.view()));
  }
  return types;
}

}  // namespace vorax::decode
