// The standard SEG-D branch of the record opener: a record whose manufacturer code is neither
// VORAX (31) nor Sercel (13), or any record when the standard reader is asked for, is read
// whole by the standard reader instead of the header driver and the flavour loaders.
#pragma once

#include "base/debug_log.h"
#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::decode {

// Whether the file's first general header block names a manufacturer the flavour loaders do
// not read. Leaves the file positioned at byte 1.
bool startsAsStandardSegd(RecordFile& file);

// Reads the file with the standard reader into `record` and result.standard, and closes
// it. General header blocks 1 and 2 also go through their own decoders: their messages (an
// unknown manufacturer, a record type they do not know) are written to the debug log and kept
// in result.notes, but do not stop the reading.
OpenResult openStandardSegd(RecordFile& file, SegdRecord& record, MessageSink& messages,
                            const base::DebugLog& debugLog, const OpenOptions& options);

}  // namespace vorax::decode
