#include "tools/record_layout.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/byte_reader.h"
#include "decode/conversions.h"
#include "decode/sercel/sercel_layout.h"
#include "decode/sercel/sercel_record_headers.h"

namespace vorax::tools {

namespace {

// Models whose extended header holds the trace count and samples per trace in the Sercel
// 408 layout (the 428 header extends that layout, keeping those bytes).
constexpr std::array<std::string_view, 4> kSizableModels = {"SN408UL CM408", "SN408UL CM408XL",
                                                            "Seal", "SN428 CM428XL"};

namespace extended = decode::sercel_layout::extended;

// The extended header must reach as far as the trace count and samples per trace.
constexpr std::uint64_t kSizingBytes =
    std::max(extended::kTotalTraces.last, extended::kSamplesPerTrace.last);

// Why the record cannot be sized, or empty when it can.
std::string sizingProblem(const decode::Gh1Fields& gh1) {
  if (!decode::isSercelRecord(gh1)) {
    return "Cannot split or repair records of manufacturer " +
           std::string(gh1.manufacturerText.trimmed()) + " (code " +
           std::string(gh1.manufacturerCode.trimmed()) +
           "): only Sercel records say how many traces and samples they hold";
  }
  const std::string_view model = gh1.instrumentModel.trimmed();
  if (std::find(kSizableModels.begin(), kSizableModels.end(), model) == kSizableModels.end()) {
    return "Cannot split or repair records of instrument model " + std::string(model) +
           ": their trace count and samples per trace are not known to this program";
  }
  if (decode::numericInt(gh1.additionalBlocks.view()) != 2 ||
      decode::numericInt(gh1.scanTypesPerRecord.view()) != 1) {
    return "Cannot split or repair this " + std::string(model) +
           " record: it declares other than three general header blocks and one scan type";
  }
  return {};
}

// Reads `length` header bytes into `out`; false when the file ends first or cannot be read.
bool readSection(decode::RecordFile& file, std::uint64_t length, std::vector<std::uint8_t>& out) {
  if (length > file.remaining()) return false;
  out.resize(static_cast<std::size_t>(length));
  std::size_t got = 0;
  return readExactly(file, out, got);
}

LayoutRead failed(LayoutStatus status, std::string message) {
  return {status, std::move(message)};
}

LayoutRead headersCut(const decode::RecordFile& file, const RecordLayout& layout) {
  return failed(LayoutStatus::HeadersCut, file.name() +
                                              " ends inside the headers of the record at byte " +
                                              std::to_string(layout.start));
}

}  // namespace

bool readExactly(decode::RecordFile& file, std::span<std::uint8_t> out, std::size_t& got) {
  const std::uint64_t held = std::min<std::uint64_t>(out.size(), file.remaining());
  got = file.read(out);
  return got == out.size() && got == held;
}

LayoutRead readRecordLayout(decode::RecordFile& file, RecordLayout& layout,
                            decode::MessageSink& messages) {
  layout = RecordLayout{};
  layout.start = file.position();
  if (file.remaining() < kGeneralHeaderBytes) return headersCut(file, layout);
  std::size_t got = 0;
  if (!readExactly(file, layout.general, got))
    return failed(LayoutStatus::ReadError, "Cannot read " + file.name());

  const decode::Bytes general = layout.general;
  for (auto [status, message] :
       {std::pair{decode::SEGDDECODEGH1(general.first(kBlockBytes), layout.gh1),
                  &layout.gh1.message},
        std::pair{decode::SEGDDECODEGH2(general.subspan(kBlockBytes, kBlockBytes), layout.gh2),
                  &layout.gh2.message}}) {
    if (status < 0) return failed(LayoutStatus::DecoderFatal, std::string(message->rtrimmed()));
    if (status > 0) messages.show(message->rtrimmed(), false);
  }
  if (std::string problem = sizingProblem(layout.gh1); !problem.empty())
    return failed(LayoutStatus::CannotSize, std::move(problem));

  const auto channelSets = static_cast<std::uint64_t>(
      std::max(0, decode::numericInt(layout.gh1.channelSetsPerScanType.view())));
  const std::uint64_t extendedBytes = decode::sercelExtendedHeaderBytes(layout.gh1, layout.gh2);
  if (extendedBytes < kSizingBytes) {
    return failed(LayoutStatus::CannotSize,
                  "Cannot split or repair this record: its extended header is " +
                      std::to_string(extendedBytes) + " bytes, too short to hold its trace count");
  }
  if (!readSection(file, kBlockBytes * channelSets, layout.scanTypes) ||
      !readSection(file, extendedBytes, layout.extended) ||
      !readSection(file, decode::sercelExternalHeaderBytes(layout.gh1, layout.gh2),
                   layout.external))
    return headersCut(file, layout);

  std::vector<decode::ChannelSetFields> descriptors(static_cast<std::size_t>(channelSets));
  for (std::size_t i = 0; i < descriptors.size(); ++i)
    decode::SEGDDECODESCANTYPEHEADER(
        decode::Bytes(layout.scanTypes).subspan(kBlockBytes * i, kBlockBytes), descriptors[i]);
  layout.extensionBlocks = decode::sercelExtensionBlocks(descriptors);
  layout.traces = decode::bigU32(layout.extended, extended::kTotalTraces.offset());
  layout.samplesPerTrace = decode::bigU32(layout.extended, extended::kSamplesPerTrace.offset());
  // A file number above 9999 is held in block 2 (block 1 then says "FFFF").
  layout.fileNumber = layout.gh1.fileNumber.view() == "FFFF"
                          ? std::string(layout.gh2.expandedFileNumberValue.trimmed())
                          : std::string(layout.gh1.fileNumber.trimmed());
  return {};
}

std::array<std::uint8_t, 2> bcdPair(std::int64_t value) {
  const auto v = static_cast<int>(std::clamp<std::int64_t>(value, 0, 9999));
  return {static_cast<std::uint8_t>((v / 1000) * 16 + (v / 100) % 10),
          static_cast<std::uint8_t>(((v / 10) % 10) * 16 + v % 10)};
}

std::array<std::uint8_t, 2> binaryPair(std::int64_t value) {
  const auto v = static_cast<unsigned>(std::clamp<std::int64_t>(value, 0, 65535));
  return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v & 0xFF)};
}

}  // namespace vorax::tools
