// The SEG-2 branch of the record opener: a file that starts with the SEG-2 identifier word
// is read whole by the SEG-2 reader instead of the SEG-D header driver.
#pragma once

#include "base/messages.h"
#include "decode/record_file.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::decode {

// Whether the file's first two bytes are the SEG-2 identifier (either byte order). Leaves
// the file positioned at byte 1.
bool startsAsSeg2(RecordFile& file);

// Reads the whole file as SEG-2 into `record` and result.seg2, and closes it. OK with the
// 1-based position of the first trace descriptor; DecoderFatal (reason already shown through
// `messages`) when the file holds no readable trace. The file being read whole, headers and
// traces are always both loaded.
OpenResult openSeg2(RecordFile& file, SegdRecord& record, MessageSink& messages);

}  // namespace vorax::decode
