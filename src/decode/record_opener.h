// Opening a record: the one routine behind the main window's "Open" and every command that
// reads a record. Runs the header driver, then the trace loader of the record's flavour, and
// closes the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/seg2/seg2_reader.h"
#include "decode/segd/header_driver.h"
#include "decode/segd_record.h"
#include "decode/standard/standard_headers.h"
#include "decode/trace_workers.h"

namespace vorax::decode {

// Which trace loader reads a SEG-D record: the one its manufacturer code calls for, or a
// chosen one.
enum class LoaderChoice { Auto, Vorax, Sercel408, Standard };

enum class OpenStatus {
  Ok,
  DecoderFatal,  // the header driver stopped at a fatal decoder result (already shown)
  FileError,     // the file could not be opened; `error` says why
};

// The end of the message for a text file opened by mistake, after the file's name.
inline constexpr const char* kTextFileMessage = " is a text file, not a SEG-D or SEG-2 file.";

struct OpenOptions {
  bool loadTraces = true;  // false: headers only (the summary and the decoded records)
  ProgressCallback progress;
  LoaderChoice loader = LoaderChoice::Auto;
  // The first traces of a large record, as soon as they are in; records read whole (SEG-2,
  // standard) have none.
  EarlyTraces earlyTraces;
  // Which record of a file holding several VORAX or Sercel records one after another: 0 the
  // first, with a message saying how many the file holds; K (from 1) record K, without it.
  std::int32_t record = 0;
};

// The message for a file of `count` records of which the first is open.
std::string severalRecordsMessage(std::int32_t count);

struct OpenResult {
  OpenStatus status = OpenStatus::FileError;
  std::string error;
  std::int32_t firstTracePosition = -1;
  RecordFlavour flavour = RecordFlavour::Vorax;
  DecodedHeaders headers;
  Seg2Headers seg2;  // filled instead of `headers` for a SEG-2 file
  // A standard record: its layout, and the messages of the general header decoders that did
  // not stop the standard reader.
  StandardHeaders standard;
  std::vector<std::string> notes;
  std::int32_t tracesRead = 0;
  std::int32_t recordCount = 1;   // records the file holds one after another
  std::int32_t recordNumber = 1;  // the one opened; positions above count from the file's start
  bool ok() const { return status == OpenStatus::Ok; }
};

// Opens the file at `path` into `record`. Decoder messages and the loader's warning go to
// `messages`, and so do the file's size against what the headers declare (also when only the
// headers are read: a file shorter than its traces, bytes after the last record), and how
// many records a file holding several holds. A file whose first bytes are text is a
// FileError saying so; so is a record number the file does not hold.
OpenResult openRecord(const std::filesystem::path& path, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options = {});

// The same for a file already open (bytes in memory, for example); it is closed at the end.
OpenResult openRecord(RecordFile& file, SegdRecord& record, MessageSink& messages,
                      const base::DebugLog& debugLog, const OpenOptions& options = {});

}  // namespace vorax::decode
