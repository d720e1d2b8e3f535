// The header driver: reads and decodes the header blocks of a SEG-D record at the start of an
// open record file, shows the decoders' messages, fills the record's header summary, and
// leaves the file positioned at the first trace header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd/general_headers.h"
#include "decode/segd_record.h"
#include "decode/sercel/sercel_record_headers.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::decode {

// How far the driver got: the last header it decoded, whatever that header's result.
enum class HeaderStage { None, Gh1, Gh2, Gh3, ChannelSets, Extended, External };

// The header records the driver decoded, kept for whoever wants to show them. Records the
// driver did not reach (it stopped early, or block 3 was not decoded) hold blanks.
struct DecodedHeaders {
  HeaderStage reached = HeaderStage::None;
  Gh1Fields gh1;
  Gh2Fields gh2;
  VoraxGh3Fields gh3;
  bool gh3Decoded = false;
  std::vector<ChannelSetFields> channelSets;
  VoraxExtendedFields extended;
  ExternalHeaderFields external;
  // A Sercel record (manufacturer 13) has its block 3 and extended header here instead.
  SercelHeaders sercel;
};

// Byte lengths of the extended and external headers, from the decoded general header blocks.
struct HeaderLengths {
  std::uint64_t extended = 0;
  std::uint64_t external = 0;
};
HeaderLengths headerLengths(const Gh1Fields& gh1, const Gh2Fields& gh2);

// Bytes from the start of the file to the first trace header: the three general header
// blocks, the channel set descriptors, the extended and the external header.
std::uint64_t headerBytes(const Gh1Fields& gh1, const Gh2Fields& gh2);

// "File ends inside its headers - ...": the message for a file of `fileBytes` bytes whose
// headers need `neededBytes` (`atLeast` when the counts that say so are cut off too).
std::string shortHeadersMessage(std::uint64_t fileBytes, std::uint64_t neededBytes, bool atLeast);

// Reads the headers from position 1 of `file`. Returns the 1-based position of the first trace
// header, or -1 when a decoder reported a fatal result or the file ends inside its headers
// (said before any decoder sees the missing bytes as zeros); the file is then closed and the
// summary keeps what it held before (it is written only after every decoder passed). Non-zero
// decoder results are shown through `messages` in the decoder's own words (general header block 1's
// as system-modal). `headers` receives every record decoded, also when the driver stops.
std::int32_t readfileheaders(RecordFile& file, SegdRecord& record, DecodedHeaders& headers,
                             MessageSink& messages, const base::DebugLog& debugLog);

// 0 when the file is a readable VORAX-flavour record (manufacturer code 31), -1 otherwise or
// when it cannot be opened. Shows no messages.
std::int32_t quickvoraxcheck(const std::filesystem::path& fileName);
std::int32_t quickvoraxcheck(RecordFile& file);

}  // namespace vorax::decode
