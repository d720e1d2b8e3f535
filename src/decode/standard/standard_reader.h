// The standard SEG-D reader: reads every trace of a record laid out as the public SEG-D
// standard says (revisions 1, 2.x, 3.0) and fills the record model. Each trace is a 20-byte
// trace header, the number of 32-byte extensions its byte 10 gives, and its samples; the
// sample count comes from trace header extension 1 (bytes 8-10 before revision 3, 25-28 from
// it) or, when that holds none, from the channel set descriptor. Traces of channel sets with
// fewer samples are padded with zeros. Nodal recorders' own fields in the further extensions
// (start time, position, unit serial number) are read as standard/nodal_fields.h describes.
// When the first and last traces agree, every trace is read at the stride the first predicts
// and checked as it is decoded; a trace that disagrees sends the reader back to walk the
// headers one by one, so the result is always what the walk finds.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/segd_record.h"
#include "decode/standard/standard_headers.h"

namespace vorax::decode {

struct StandardReadResult {
  bool ok = false;
  std::int32_t tracesRead = 0;
  std::uint64_t endOfLastTrace = 0;  // 0-based offset one past the last trace read
};

// Reads the record in `file` (trace by trace: memory holds the record, not the file) into `record`
// (replaced whole on success, untouched on failure). Problems (a file cut inside a trace, channel
// sets of different lengths or intervals) are shown through `messages` as one warning; a record
// that cannot be read at all gets one message saying why. `headers` keeps what the headers say,
// with each channel set's sample count as its traces give it.
StandardReadResult readStandardSegd(RecordFile& file, SegdRecord& record, StandardHeaders& headers,
                                    MessageSink& messages, const ProgressCallback& progress = {});

}  // namespace vorax::decode
