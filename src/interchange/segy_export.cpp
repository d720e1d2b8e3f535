#include "interchange/segy_export.h"

#include <segyio/segy.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <numeric>
#include <optional>

#include "base/atomic_file.h"
#include "decode/conversions.h"
#include "decode/seg2/seg2_record_fill.h"
#include "interchange/segy_fields.h"

namespace vorax::interchange {

namespace {

constexpr long kFirstTraceByte = SEGY_TEXT_HEADER_SIZE + SEGY_BINARY_HEADER_SIZE;

// The file's traces in the order `sort` asks for.
std::vector<std::int32_t> traceOrder(const decode::SegdRecord& record, SegySort sort) {
  std::vector<std::int32_t> order(static_cast<std::size_t>(record.loadedTraceCount()));
  std::iota(order.begin(), order.end(), 1);
  if (sort == SegySort::Channel) {
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
      return record.traceInfo[static_cast<std::size_t>(a)].channelNumber <
             record.traceInfo[static_cast<std::size_t>(b)].channelNumber;
    });
  }
  return order;
}

std::string recordName(const SegySource& source, std::size_t index) {
  return source.fileName.empty() ? "record " + std::to_string(index + 1) : source.fileName;
}

// One SEG-Y file being written with segyio: records are added one by one, the textual header
// (which lists them all) last.
class SegyFileWriter {
 public:
  SegyFileWriter(const std::filesystem::path& temporary, const std::filesystem::path& target,
                 SegySort sort)
      : target_(target), sort_(sort), file_(segy_open(temporary.string().c_str(), "w+b")) {
    if (file_ == nullptr)
      fail(std::strerror(errno));
    else
      segy_set_format(file_, SEGY_IEEE_FLOAT_4_BYTE);
  }
  ~SegyFileWriter() {
    if (file_ != nullptr) segy_close(file_);
  }
  SegyFileWriter(const SegyFileWriter&) = delete;
  SegyFileWriter& operator=(const SegyFileWriter&) = delete;

  // Appends the record's traces; false once anything failed (result().error says what).
  bool add(const SegySource& source, std::size_t index) {
    if (!result_.ok()) return false;
    const decode::SegdRecord& record = *source.record;
    const std::string name = recordName(source, index);
    if (record.loadedTraceCount() < 1) return fail(name + " holds no traces");
    if (!layout_ && !startFile(record, name)) return false;
    if (!sameLayout(record, name)) return false;
    listings_.push_back({source.fileName, source.recorder, record.summary});
    const std::optional<ShotTime> time = shotTimeOf(record.summary);
    if (!time)
      warnOnce("the record date or time of " + name +
               " does not read as one: "
               "its trace headers hold no shot time");
    TraceRounding rounding;
    for (const std::int32_t t : traceOrder(record, sort_)) {
      TracePlace place{static_cast<std::int32_t>(result_.traces + 1), layout_->intervalUs,
                       delayOf(source, t), time};
      if (!writeTrace(record, t, place, rounding, name)) return false;
    }
    if (rounding.coordinates)
      warnOnce("coordinates, elevations or source points with more than 4 decimals are rounded");
    if (rounding.stations) warnOnce("receiver lines and points are written as whole numbers");
    if (rounding.delay) warnOnce("delays are written in whole milliseconds");
    return true;
  }

  // Writes the textual header and closes the file; the result of the whole export.
  SegyResult finish(bool channelSorted) {
    if (result_.ok() && !layout_) fail("no record to write");
    if (result_.ok()) {
      std::vector<RecordListing> listings;
      for (const Listing& l : listings_) listings.push_back({l.fileName, l.recorder, &l.summary});
      const std::string text = textualHeader(listings, channelSorted);
      if (segy_write_textheader(file_, 0, text.c_str()) != SEGY_OK) fail(std::strerror(errno));
    }
    if (file_ != nullptr && segy_close(file_) != SEGY_OK && result_.ok())
      fail(std::strerror(errno));
    file_ = nullptr;
    return result_;
  }

 private:
  struct Layout {
    std::int32_t samples = 0;
    float intervalUsAsRecorded = 0;
    std::int32_t intervalUs = 0;
    int traceBytes = 0;
  };
  struct Listing {
    std::string fileName;
    std::string recorder;
    decode::RecordSummary summary;
  };

  bool fail(const std::string& why) {
    if (result_.error.empty()) result_.error = "Cannot write " + target_.string() + ": " + why;
    return false;
  }

  void warnOnce(const std::string& warning) {
    if (std::find(result_.warnings.begin(), result_.warnings.end(), warning) ==
        result_.warnings.end())
      result_.warnings.push_back(warning);
  }

  // The trace length of the whole file, from its first record, and the binary header.
  bool startFile(const decode::SegdRecord& first, const std::string& name) {
    const std::int32_t samples = first.samples.samplesPerTrace();
    if (samples < 1 || samples > kMaxSegySamples)
      return fail(name + " has " + std::to_string(samples) +
                  " samples per trace; SEG-Y holds 1 to " + std::to_string(kMaxSegySamples));
    const std::optional<SegyInterval> interval = segyInterval(first.summary.sampleIntervalUs);
    if (!interval)
      return fail(name + " has a sample interval of " +
                  decode::shortestText(first.summary.sampleIntervalUs) +
                  " us; SEG-Y holds 1 to 32767 us");
    if (!interval->warning.empty()) warnOnce(interval->warning);
    layout_ = Layout{samples, first.summary.sampleIntervalUs, interval->us,
                     segy_trsize(SEGY_IEEE_FLOAT_4_BYTE, samples)};
    std::vector<char> header(SEGY_BINARY_HEADER_SIZE, 0);
    for (const SegyField& f : binaryHeaderFields(first, interval->us, sort_ == SegySort::Channel))
      segy_set_bfield(header.data(), f.position, f.value);
    if (segy_write_binheader(file_, header.data()) != SEGY_OK) return fail(std::strerror(errno));
    return true;
  }

  bool sameLayout(const decode::SegdRecord& record, const std::string& name) {
    if (record.samples.samplesPerTrace() == layout_->samples &&
        record.summary.sampleIntervalUs == layout_->intervalUsAsRecorded)
      return true;
    return fail(name + " has " + std::to_string(record.samples.samplesPerTrace()) + " samples at " +
                decode::shortestText(record.summary.sampleIntervalUs) + " us, the first record " +
                std::to_string(layout_->samples) + " at " +
                decode::shortestText(layout_->intervalUsAsRecorded) +
                " us: one SEG-Y file holds one trace length");
  }

  static double delayOf(const SegySource& source, std::int32_t t) {
    const auto k = static_cast<std::size_t>(t);
    return k < source.delayMs.size() ? source.delayMs[k] : 0.0;
  }

  bool writeTrace(const decode::SegdRecord& record, std::int32_t t, const TracePlace& place,
                  TraceRounding& rounding, const std::string& name) {
    const std::optional<std::vector<SegyField>> fields =
        traceHeaderFields(record, t, place, rounding);
    if (!fields)
      return fail("a coordinate or elevation of trace " + std::to_string(t) + " of " + name +
                  " does not fit a SEG-Y field");
    std::fill(header_.begin(), header_.end(), char{0});
    for (const SegyField& f : *fields) segy_set_field(header_.data(), f.position, f.value);
    const std::span<const float> stored = record.samples.trace(t);
    const float divisor = record.divisorOf(t);
    samples_.resize(static_cast<std::size_t>(layout_->samples));
    for (std::size_t j = 0; j < samples_.size(); ++j) samples_[j] = stored[j] * divisor;
    segy_from_native(SEGY_IEEE_FLOAT_4_BYTE, static_cast<long long>(samples_.size()),
                     samples_.data());
    const int index = static_cast<int>(result_.traces);
    if (segy_write_traceheader(file_, index, header_.data(), kFirstTraceByte,
                               layout_->traceBytes) != SEGY_OK ||
        segy_writetrace(file_, index, samples_.data(), kFirstTraceByte, layout_->traceBytes) !=
            SEGY_OK)
      return fail(std::strerror(errno));
    ++result_.traces;
    return true;
  }

  std::filesystem::path target_;
  SegySort sort_;
  segy_file* file_;
  std::optional<Layout> layout_;
  std::vector<Listing> listings_;
  std::vector<char> header_ = std::vector<char>(SEGY_TRACE_HEADER_SIZE);
  std::vector<float> samples_;
  SegyResult result_;
};

// True when `path` names one of `inputs` (through any name or link): writing it would replace
// a record with its own export.
bool namesAnInput(const std::filesystem::path& path,
                  const std::vector<std::filesystem::path>& inputs) {
  return std::any_of(inputs.begin(), inputs.end(), [&](const std::filesystem::path& input) {
    std::error_code ec;
    return std::filesystem::equivalent(path, input, ec);
  });
}

// Runs `addRecords` on a writer of a temporary file that replaces `path` only when every
// record was written; `addRecords` returns why it stopped early, or an empty text. Nothing is
// written when `path` is one of the `inputs`.
SegyResult writeAtomically(const std::filesystem::path& path,
                           const std::vector<std::filesystem::path>& inputs, SegySort sort,
                           const std::function<std::string(SegyFileWriter&)>& addRecords) {
  SegyResult result;
  if (namesAnInput(path, inputs)) {
    result.error = "Cannot write " + path.string() +
                   ": it is one of the records to export; choose another SEG-Y file";
    return result;
  }
  result.error = base::writeThroughTemporary(path, [&](const std::filesystem::path& temporary) {
    SegyFileWriter writer(temporary, path, sort);
    const std::string stopped = addRecords(writer);
    result = writer.finish(sort == SegySort::Channel);
    if (!stopped.empty()) result.error = stopped;
    return result.error;
  });
  if (!result.ok()) result.traces = 0;
  return result;
}

std::string recorderOf(const decode::OpenResult& opened) {
  if (opened.flavour == decode::RecordFlavour::Seg2)
    return std::string(opened.seg2.fileDescriptor.instrument.trimmed());
  const decode::Gh1Fields& gh1 = opened.headers.gh1;
  std::string out(gh1.manufacturerText.trimmed());
  if (!gh1.instrumentModel.trimmed().empty())
    out += " " + std::string(gh1.instrumentModel.trimmed());
  if (!gh1.manufacturerCode.trimmed().empty())
    out += " (manufacturer code " + std::string(gh1.manufacturerCode.trimmed()) + ")";
  return out;
}

}  // namespace

SegySource segySourceOf(const decode::SegdRecord& record, const decode::OpenResult& opened) {
  SegySource out;
  out.record = &record;
  out.fileName = std::filesystem::path(record.fileName).filename().string();
  out.recorder = recorderOf(opened);
  if (opened.flavour == decode::RecordFlavour::Seg2) {
    out.delayMs.assign(1, 0.0);
    for (const decode::Seg2Trace& trace : opened.seg2.traces)
      out.delayMs.push_back(decode::seg2Number(trace.descriptor.delay.view()) * 1000);
  }
  return out;
}

SegyResult writeSegy(const std::filesystem::path& path, const std::vector<SegySource>& records,
                     SegySort sort) {
  std::vector<std::filesystem::path> inputs;
  for (const SegySource& source : records) inputs.emplace_back(source.record->fileName);
  return writeAtomically(path, inputs, sort, [&](SegyFileWriter& writer) {
    for (std::size_t k = 0; k < records.size(); ++k)
      if (!writer.add(records[k], k)) break;
    return std::string();
  });
}

SegyResult convertToSegy(const std::vector<std::filesystem::path>& files,
                         const std::filesystem::path& path, SegySort sort,
                         decode::MessageSink& messages) {
  return writeAtomically(path, files, sort, [&](SegyFileWriter& writer) -> std::string {
    for (std::size_t k = 0; k < files.size(); ++k) {
      decode::SegdRecord record;
      const decode::OpenResult opened =
          decode::openRecord(files[k], record, messages, base::DebugLog{});
      for (const std::string& note : opened.notes) messages.show(note, false);
      if (opened.status == decode::OpenStatus::FileError) return opened.error;
      if (!opened.ok()) return files[k].string() + " could not be read as a record";
      if (!writer.add(segySourceOf(record, opened), k)) break;
    }
    return {};
  });
}

}  // namespace vorax::interchange
