#include "decode/seg2/seg2_headers.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "decode/code_lookup.h"
#include "decode/conversions.h"

namespace vorax::decode {

namespace {

// Bytes first..last (1-based), most significant first: reversed when the file is in PC order.
std::vector<std::uint8_t> orderedBytes(const Block& b, std::size_t first, std::size_t last,
                                       bool pcOrder) {
  std::vector<std::uint8_t> bytes = b.bytes(first, last);
  if (pcOrder) std::reverse(bytes.begin(), bytes.end());
  return bytes;
}

std::string valueOf(const Block& b, std::size_t first, std::size_t last, bool pcOrder) {
  return hexvalue(orderedBytes(b, first, last, pcOrder));
}

constexpr CodeLabel kDataFormats[] = {
    {1, "16 Bit Fixed Point"},           {2, "32 Bit Fixed Point"},
    {3, "20 Bit Floating Point"},        {4, "32 Bit Floating Point (IEEE)"},
    {5, "64 Bit Floating Point (IEEE)"},
};

// ---- Keyword strings ----

// Where a keyword's value goes: one field, or the X, Y and Z fields of a location.
template <typename Record>
struct Keyword {
  std::string_view name;
  std::function<void(Record&, std::string_view)> store;
};

template <typename Record, std::size_t W>
auto into(FixedText<W> Record::*field) {
  return [field](Record& r, std::string_view value) { r.*field = value; };
}

bool isBlankOrNul(char c) {
  return c == ' ' || c == '\0';
}

// A location value trimmed and split at runs of blanks; its first three parts are X, Y and Z
// (a missing part is stored empty).
template <typename Record>
auto locationInto(FixedText<15> Record::*x, FixedText<15> Record::*y, FixedText<15> Record::*z) {
  return [x, y, z](Record& r, std::string_view value) {
    std::array<std::string_view, 3> parts{};
    std::size_t i = 0;
    for (std::string_view& part : parts) {
      while (i < value.size() && isBlankOrNul(value[i])) ++i;
      std::size_t start = i;
      while (i < value.size() && !isBlankOrNul(value[i])) ++i;
      part = value.substr(start, i - start);
    }
    r.*x = parts[0];
    r.*y = parts[1];
    r.*z = parts[2];
  };
}

using TraceKeyword = Keyword<Seg2TraceDescriptorFields>;
using FileKeyword = Keyword<Seg2FileDescriptorFields>;
using T = Seg2TraceDescriptorFields;
using F = Seg2FileDescriptorFields;

const std::vector<TraceKeyword>& traceKeywords() {
  static const std::vector<TraceKeyword> keywords = {
      {"ALIAS_FILTER", into(&T::aliasFilter)},
      {"AMPLITUDE_RECOVERY", into(&T::amplitudeRecovery)},
      {"BAND_REJECT_FILTER", into(&T::bandRejectFilter)},
      {"CDP_NUMBER", into(&T::cdpNumber)},
      {"CDP_TRACE", into(&T::cdpTrace)},
      {"CHANNEL_NUMBER", into(&T::channelNumber)},
      {"DATUM", into(&T::datum)},
      {"DELAY", into(&T::delay)},
      {"DESCALING_FACTOR", into(&T::descalingFactor)},
      {"DIGITAL_BAND_REJECT_FILTER", into(&T::digitalBandRejectFilter)},
      {"DIGITAL_HIGH_CUT_FILTER", into(&T::digitalHighCutFilter)},
      {"DIGITAL_LOW_CUT_FILTER", into(&T::digitalLowCutFilter)},
      {"END_OF_GROUP", into(&T::endOfGroup)},
      {"FIXED_GAIN", into(&T::fixedGain)},
      {"HIGH_CUT_FILTER", into(&T::highCutFilter)},
      {"LINE_ID", into(&T::lineId)},
      {"LOW_CUT_FILTER", into(&T::lowCutFilter)},
      {"NOTCH_FREQUENCY", into(&T::notchFrequency)},
      {"POLARITY", into(&T::polarity)},
      {"RAW_RECORD", into(&T::rawRecord)},
      {"RECEIVER", into(&T::receiver)},
      {"RECEIVER_GEOMETRY", into(&T::receiverGeometry)},
      {"RECEIVER_LOCATION",
       locationInto(&T::receiverLocationX, &T::receiverLocationY, &T::receiverLocationZ)},
      {"RECEIVER_SPECS", into(&T::receiverSpecs)},
      {"RECEIVER_STATION_NUMBER", into(&T::receiverStationNumber)},
      {"SAMPLE_INTERVAL", into(&T::sampleInterval)},
      {"SHOT_SEQUENCE_NUMBER", into(&T::shotSequenceNumber)},
      {"SKEW", into(&T::skew)},
      {"SOURCE", into(&T::source)},
      {"SOURCE_GEOMETRY", into(&T::sourceGeometry)},
      {"SOURCE_LOCATION",
       locationInto(&T::sourceLocationX, &T::sourceLocationY, &T::sourceLocationZ)},
      {"SOURCE_STATION_NUMBER", into(&T::sourceStationNumber)},
      {"STACK", into(&T::stack)},
      {"STATIC_CORRECTIONS", into(&T::staticCorrections)},
      {"TRACE_TYPE", into(&T::traceType)},
      {"NOTE", into(&T::note)},
  };
  return keywords;
}

const std::vector<FileKeyword>& fileKeywords() {
  static const std::vector<FileKeyword> keywords = {
      {"ACQUISITION_DATE", into(&F::acquisitionDate)},
      {"ACQUISITION_TIME", into(&F::acquisitionTime)},
      {"CLIENT", into(&F::client)},
      {"COMPANY", into(&F::company)},
      {"GENERAL_CONSTANT", into(&F::generalConstant)},
      {"INSTRUMENT", into(&F::instrument)},
      {"JOB_ID", into(&F::jobId)},
      {"OBSERVER", into(&F::observer)},
      {"PROCESSING_DATE", into(&F::processingDate)},
      {"PROCESSING_TIME", into(&F::processingTime)},
      {"TRACE_SORT", into(&F::traceSort)},
      {"UNITS", into(&F::units)},
      {"NOTE", into(&F::note)},
  };
  return keywords;
}

bool isWordCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Position of `keyword` standing as a word of its own in `element`, or npos. The characters
// on either side must not continue a name ("TRIGGER_DELAY" holds no DELAY). When a whole
// string area is split, an element opens with what is left of the next string's two-byte
// length word: one byte (its other byte was the terminator), or two of which the first is a
// control character; any byte may stand there.
std::size_t wordPosition(std::string_view element, std::string_view keyword) {
  for (std::size_t p = element.find(keyword); p != std::string_view::npos;
       p = element.find(keyword, p + 1)) {
    std::size_t end = p + keyword.size();
    bool endsWord = end == element.size() || !isWordCharacter(element[end]);
    bool afterLengthWord = p == 1 || (p == 2 && static_cast<unsigned char>(element[0]) < 0x20);
    bool startsWord = p == 0 || afterLengthWord || !isWordCharacter(element[p - 1]);
    if (startsWord && endsWord) return p;
  }
  return std::string_view::npos;
}

// "RECEIVER" and "SOURCE" name the receiver and source only in elements without "_"; other
// keywords starting with these words are keywords of their own.
bool counts(std::string_view keyword, std::string_view element) {
  if (keyword == "RECEIVER" || keyword == "SOURCE")
    return element.find('_') == std::string_view::npos;
  return true;
}

// The shortest keyword: "NOTE", "SKEW".
constexpr std::size_t kShortestKeyword = 4;

template <typename Record>
void storeElement(std::string_view element, const std::vector<Keyword<Record>>& keywords,
                  Record& out) {
  if (element.size() < kShortestKeyword) return;
  const Keyword<Record>* found = nullptr;
  std::size_t foundAt = std::string_view::npos;
  for (const Keyword<Record>& keyword : keywords) {
    if (!counts(keyword.name, element)) continue;
    std::size_t p = wordPosition(element, keyword.name);
    if (p < foundAt) {
      found = &keyword;
      foundAt = p;
    }
  }
  if (found == nullptr) return;
  std::size_t valueStart = std::min(element.size(), foundAt + found->name.size() + 1);
  found->store(out, element.substr(valueStart));
}

template <typename Record>
void decodeStrings(Bytes area, std::string_view terminator,
                   const std::vector<Keyword<Record>>& keywords, Record& out) {
  std::string text;
  if (area.size() > 2) text.assign(area.begin() + 2, area.end());
  std::string_view rest = text;
  while (!rest.empty()) {
    std::size_t cut = terminator.empty() ? std::string_view::npos : rest.find(terminator);
    storeElement(rest.substr(0, cut), keywords, out);
    if (cut == std::string_view::npos) break;
    rest.remove_prefix(cut + terminator.size());
  }
}

}  // namespace

std::string hexvalue(Bytes bytes) {
  // Long division of the base-256 number by 10, collecting remainders.
  std::vector<std::uint8_t> number(bytes.begin(), bytes.end());
  std::string digits;
  bool zero = false;
  while (!zero) {
    unsigned remainder = 0;
    zero = true;
    for (std::uint8_t& byte : number) {
      unsigned current = remainder * 256 + byte;
      byte = static_cast<std::uint8_t>(current / 10);
      remainder = current % 10;
      if (byte != 0) zero = false;
    }
    digits.push_back(static_cast<char>('0' + remainder));
  }
  std::reverse(digits.begin(), digits.end());
  return digits;
}

std::int32_t DECODESEG2FILEHEADER(Bytes buffer, Seg2FileHeaderFields& out) {
  const Block b(buffer);
  out.identifier = hexdigits(b.bytes(1, 2));
  const bool pcOrder = out.identifier == "553A";
  if (!pcOrder && !(out.identifier == "3A55")) {
    out.message = "Not a SEG 2 File";
    return -1;
  }
  out.byteOrderFlag = pcOrder ? "1" : "-";
  out.machine = pcOrder ? "PC  " : "UNIX";
  out.revision = hexdigits(orderedBytes(b, 3, 4, pcOrder));
  out.tracePointerBlockSize = valueOf(b, 5, 6, pcOrder);
  out.traceCount = valueOf(b, 7, 8, pcOrder);
  out.stringTerminatorCount = std::to_string(b.at(9));
  out.stringTerminatorCode1 = std::to_string(b.at(10));
  out.stringTerminatorCode2 = std::to_string(b.at(11));
  out.lineTerminatorCount = std::to_string(b.at(12));
  out.lineTerminatorCode1 = std::to_string(b.at(13));
  out.lineTerminatorCode2 = std::to_string(b.at(14));
  out.stringTerminator = std::string{static_cast<char>(b.at(10)), static_cast<char>(b.at(11))};
  out.lineTerminator = std::string{static_cast<char>(b.at(13)), static_cast<char>(b.at(14))};
  return 0;
}

std::int32_t DECODESEG2TRACEHEADER(Bytes buffer, std::string_view byteOrderFlag,
                                   Seg2TraceHeaderFields& out) {
  const Block b(buffer);
  std::string_view flag = byteOrderFlag;
  while (!flag.empty() && flag.back() == ' ') flag.remove_suffix(1);
  while (!flag.empty() && flag.front() == ' ') flag.remove_prefix(1);
  const bool pcOrder = flag == "1";
  out.identifier = hexdigits(orderedBytes(b, 1, 2, pcOrder));
  if (!(out.identifier == "4422")) {
    out.message = "Invalid Trace Descriptor - Should Be 4422, But Got " + out.identifier.str();
    return -1;
  }
  out.blockSize = valueOf(b, 3, 4, pcOrder);
  out.dataBlockSize = valueOf(b, 5, 8, pcOrder);
  out.sampleCount = valueOf(b, 9, 12, pcOrder);
  const int code = b.at(13);
  out.dataFormatCode = std::to_string(code);
  if (const std::string_view* text = findLabel(kDataFormats, code)) {
    out.dataFormatText = *text;
    return 0;
  }
  out.dataFormatText = "Unknown Format";
  out.message = "Unknown Data Block Numeric Format - " + std::to_string(code);
  return -1;
}

std::int32_t DECODESEG2FILEDESCRIPTOR(Bytes area, std::string_view terminator,
                                      Seg2FileDescriptorFields& out) {
  decodeStrings(area, terminator, fileKeywords(), out);
  return 0;
}

std::int32_t DECODESEG2TRACEDESCRIPTOR(Bytes area, std::string_view terminator,
                                       Seg2TraceDescriptorFields& out) {
  decodeStrings(area, terminator, traceKeywords(), out);
  return 0;
}

}  // namespace vorax::decode
