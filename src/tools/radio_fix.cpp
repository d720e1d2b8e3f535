#include "tools/radio_fix.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "decode/record_file.h"
#include "tools/record_layout.h"
#include "tools/tool_support.h"
#include "tools/trace_copy.h"

namespace vorax::tools {

namespace {

namespace fs = std::filesystem;

// Channel set 1: start time 0, end time E (2 ms units, binary), T channels (BCD); channel
// set 2 emptied. Offsets are 0-based within each 32-byte descriptor.
void rewriteChannelSets(std::vector<std::uint8_t>& scanTypes, const RadioFixOptions& options) {
  if (scanTypes.size() >= kBlockBytes) {
    const auto end = binaryPair(options.halfEndTime);
    const auto channels = bcdPair(options.tracesRequired);
    scanTypes[2] = scanTypes[3] = 0;
    scanTypes[4] = end[0];
    scanTypes[5] = end[1];
    scanTypes[8] = channels[0];
    scanTypes[9] = channels[1];
  }
  if (scanTypes.size() >= 2 * kBlockBytes) {
    for (std::size_t offset : {2, 3, 4, 5, 8, 9}) scanTypes[kBlockBytes + offset] = 0;
  }
}

// Total and auxiliary traces T (bytes 9-12 and 13-16), seismic, dead and live traces 0
// (bytes 17-28).
void rewriteExtendedHeader(std::vector<std::uint8_t>& extended, std::int32_t tracesRequired) {
  const auto traces = binaryPair(tracesRequired);
  for (std::size_t field : {8, 12}) {
    extended[field] = extended[field + 1] = 0;
    extended[field + 2] = traces[0];
    extended[field + 3] = traces[1];
  }
  std::fill(extended.begin() + 16, extended.begin() + 28, std::uint8_t{0});
}

class RadioFixer {
 public:
  RadioFixer(const RadioFixOptions& options, const RadioFixCallbacks& callbacks)
      : options_(options),
        callbacks_(callbacks),
        messages_(callbacks.messages != nullptr ? *callbacks.messages : collected_) {
    options_.prefix = trimmedText(options_.prefix);
  }

  RadioFixResult run(const std::vector<fs::path>& inputs) {
    for (const fs::path& input : inputs) {
      if (!fixOne(input)) return std::move(result_);
    }
    setStatus("Done");
    return std::move(result_);
  }

 private:
  void setStatus(const std::string& text) const {
    if (callbacks_.status) callbacks_.status(text);
  }

  bool fail(RadioFixStatus status, std::string message) {
    result_.status = status;
    result_.message = std::move(message);
    return false;
  }

  fs::path outputFor(const fs::path& input) const {
    const fs::path folder =
        options_.outputFolder.empty() ? input.parent_path() : options_.outputFolder;
    if (options_.prefix.empty()) return folder / kEmptyPrefixOutput;
    return folder / (options_.prefix + input.filename().string());
  }

  bool fixOne(const fs::path& input) {
    const std::string name = input.filename().string();
    setStatus("Read " + name);
    decode::RecordFile::Opened opened = decode::RecordFile::open(input);
    if (!opened.ok()) return fail(RadioFixStatus::FileError, opened.error);
    decode::RecordFile& in = *opened.file;
    RecordLayout layout;
    const LayoutRead read = readRecordLayout(in, layout, messages_);
    if (!read.ok()) {
      return fail(read.status == LayoutStatus::ReadError ? RadioFixStatus::FileError
                                                         : RadioFixStatus::InputProblem,
                  read.message);
    }

    const fs::path output = outputFor(input);
    if (isSameFile(output, input)) {
      return fail(RadioFixStatus::InputProblem,
                  "The repaired record would replace " + input.string() +
                      " itself: choose an output prefix or another folder");
    }
    const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
    if (folderIsReadOnly(folder))
      return fail(RadioFixStatus::FileError,
                  "Cannot write in " + folder.string() + ": it is read-only");

    rewriteChannelSets(layout.scanTypes, options_);
    rewriteExtendedHeader(layout.extended, options_.tracesRequired);
    base::AtomicFileWriter out(output);
    out.write(layout.general);
    out.write(layout.scanTypes);
    out.write(layout.extended);
    setStatus("Write " + name);
    out.write(layout.external);
    if (!out.ok()) return fail(RadioFixStatus::FileError, out.error());

    // Traces past the record's own count would be the bytes of whatever follows it.
    const std::uint64_t wanted = std::min<std::uint64_t>(
        static_cast<std::uint64_t>(std::max(0, options_.tracesRequired)), layout.traces);
    const TraceCopy copy = copyTraces(in, out, layout, wanted, [&](std::uint64_t traces) {
      return !callbacks_.progress ||
             callbacks_.progress(wanted == 0 ? 100 : static_cast<int>(100 * traces / wanted));
    });
    if (copy.cancelled) return fail(RadioFixStatus::Cancelled, "Cancelled");
    if (!copy.error.empty()) return fail(RadioFixStatus::FileError, copy.error);
    in.close();
    const bool deleting = options_.deleteOriginal;
    if (!out.commit(deleting ? base::Durability::Synced : base::Durability::Flushed))
      return fail(RadioFixStatus::FileError, out.error());

    RadioFixFile& fixed =
        result_.files.emplace_back(RadioFixFile{input, output, copy.traces, false});
    if (copy.traces < static_cast<std::uint64_t>(std::max(0, options_.tracesRequired))) {
      messages_.show(name + " holds " + std::to_string(copy.traces) + " of the " +
                         std::to_string(options_.tracesRequired) + " traces required: " +
                         std::to_string(copy.traces) + " copied to " + output.filename().string(),
                     false);
    }
    if (deleting) deleteInput(fixed);
    return true;
  }

  void deleteInput(RadioFixFile& fixed) {
    if (options_.prefix.empty()) {
      messages_.show(kNoPrefixMessage, false);
      options_.deleteOriginal = false;
      result_.deleteSwitchedOff = true;
      return;
    }
    setStatus("Deleting " + fixed.input.filename().string());
    std::error_code ec;
    fixed.inputDeleted = fs::remove(fixed.input, ec);
    if (ec) messages_.show("Cannot delete " + fixed.input.string() + ": " + ec.message(), false);
  }

  RadioFixOptions options_;
  const RadioFixCallbacks& callbacks_;
  decode::CollectingMessages collected_;
  decode::MessageSink& messages_;
  RadioFixResult result_;
};

}  // namespace

RadioFixResult fixRadioFiles(const std::vector<fs::path>& inputs, const RadioFixOptions& options,
                             const RadioFixCallbacks& callbacks) {
  return RadioFixer(options, callbacks).run(inputs);
}

}  // namespace vorax::tools
