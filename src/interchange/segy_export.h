// SEG-Y export: records written one after another into one SEG-Y revision 1 file through
// segyio, samples as IEEE floats in recorded units (stored x divisor). Behind `vorax convert`,
// the window's File > Export SEG-Y and the Python module.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/messages.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::interchange {

enum class SegySort {
  AsRecorded,  // traces in file order
  Channel,     // each record's traces by channel number; equal channels keep file order
};

// One record to write, with what the record model does not keep.
struct SegySource {
  const decode::SegdRecord* record = nullptr;
  std::string fileName;         // the source file, as the textual header names it
  std::string recorder;         // "Sercel (manufacturer code 13)", a SEG-2 instrument, ...
  std::vector<double> delayMs;  // per trace, index 0 unused; empty when the file records none
};

// The record with its file's name (without folder), its recorder (the SEG-D manufacturer and
// code, a Sercel instrument model; a SEG-2 file's INSTRUMENT) and its traces' delays (a SEG-2
// trace's DELAY, seconds, in ms; SEG-D records keep none).
SegySource segySourceOf(const decode::SegdRecord& record, const decode::OpenResult& opened);

struct SegyResult {
  std::string error;                  // empty when the file was written
  std::vector<std::string> warnings;  // roundings the file needed, each said once
  std::int64_t traces = 0;            // traces written
  bool ok() const { return error.empty(); }
};

// Writes `records` in order into `path`, whole or not at all (a temporary file renamed into
// place). Fails, writing nothing, when `path` is one of the records' own files, there is no
// record, a record holds no traces, the records differ in samples per trace or sample
// interval (a SEG-Y file holds one trace length), a trace holds more than 32767 samples, the
// interval is not 1..32767 us, or a coordinate does not fit 32 bits.
SegyResult writeSegy(const std::filesystem::path& path, const std::vector<SegySource>& records,
                     SegySort sort);

// Opens each file in turn (decoder messages to `messages`) and writes it as writeSegy does,
// holding one record in memory at a time. A file that does not open stops the export with
// its error, and nothing is written.
SegyResult convertToSegy(const std::vector<std::filesystem::path>& files,
                         const std::filesystem::path& path, SegySort sort,
                         decode::MessageSink& messages);

}  // namespace vorax::interchange
