#include "tools/radio_fix.h"

#include <algorithm>
#include <array>

#include "base/atomic_file.h"
#include "base/folder_access.h"
#include "base/text_trim.h"
#include "decode/record_file.h"
#include "decode/sercel/sercel_layout.h"
#include "tools/record_layout.h"
#include "tools/tool_support.h"
#include "tools/trace_copy.h"

namespace vorax::tools {

namespace {

namespace fs = std::filesystem;

// Stores a two-byte field of the descriptor starting at 0-based `descriptor`.
void storePair(std::vector<std::uint8_t>& scanTypes, std::size_t descriptor,
               const decode::FieldRow& row, std::array<std::uint8_t, 2> pair) {
  scanTypes[descriptor + row.offset()] = pair[0];
  scanTypes[descriptor + row.offset() + 1] = pair[1];
}

// Channel set 1: start time 0, end time E (2 ms units, binary), T channels (BCD); channel
// set 2 emptied.
void rewriteChannelSets(std::vector<std::uint8_t>& scanTypes, const RadioFixOptions& options) {
  namespace rows = decode::segd_layout::channel_set;
  if (scanTypes.size() >= kBlockBytes) {
    storePair(scanTypes, 0, rows::kStartTime, {0, 0});
    storePair(scanTypes, 0, rows::kEndTime, binaryPair(options.halfEndTime));
    storePair(scanTypes, 0, rows::kChannelCount, bcdPair(options.tracesRequired));
  }
  if (scanTypes.size() >= 2 * kBlockBytes) {
    for (const decode::FieldRow& row : {rows::kStartTime, rows::kEndTime, rows::kChannelCount})
      storePair(scanTypes, kBlockBytes, row, {0, 0});
  }
}

// Total and auxiliary traces T; seismic, dead and live traces 0. The record layout reader
// made sure the extended header holds these fields.
void rewriteExtendedHeader(std::vector<std::uint8_t>& extended, std::int32_t tracesRequired) {
  namespace rows = decode::sercel_layout::extended;
  const auto store = [&extended](const decode::FieldRow& row, std::array<std::uint8_t, 2> low) {
    extended[row.offset()] = extended[row.offset() + 1] = 0;
    extended[row.offset() + 2] = low[0];
    extended[row.offset() + 3] = low[1];
  };
  const auto traces = binaryPair(tracesRequired);
  store(rows::kTotalTraces, traces);
  store(rows::kAuxiliaryTraces, traces);
  for (const decode::FieldRow& row :
       {rows::kSeismicTraces, rows::kDeadSeismicTraces, rows::kLiveSeismicTraces})
    store(row, {0, 0});
}

// How many of the traces wanted the input holds whole, read at its first trace header.
struct TracesHeld {
  std::uint64_t wanted = 0;  // T, but no more than the record declares
  std::uint64_t whole = 0;   // of those, the ones the file holds to their last byte
  bool cut() const { return whole < wanted; }
};

TracesHeld tracesHeld(const decode::RecordFile& in, const RecordLayout& layout,
                      std::int32_t tracesRequired) {
  TracesHeld held;
  held.wanted = std::min<std::uint64_t>(static_cast<std::uint64_t>(std::max(0, tracesRequired)),
                                        layout.traces);
  held.whole = std::min(held.wanted, in.remaining() / layout.traceBytes());
  return held;
}

class RadioFixer {
 public:
  RadioFixer(const std::vector<fs::path>& inputs, const RadioFixOptions& options,
             const RadioFixCallbacks& callbacks)
      : options_(options),
        callbacks_(callbacks),
        messages_(callbacks.messages != nullptr ? *callbacks.messages : collected_),
        guard_(inputs, callbacks.mayReplace) {
    options_.prefix = base::trimmed(options_.prefix, base::kSpacesAndTabs);
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

  fs::path outputFor(const fs::path& input, bool partial) const {
    const fs::path folder =
        options_.outputFolder.empty() ? input.parent_path() : options_.outputFolder;
    const fs::path name = options_.prefix.empty()
                              ? fs::path(kEmptyPrefixOutput)
                              : fs::path(options_.prefix + input.filename().string());
    return folder / (partial ? withTag(name, "_partial") : name);
  }

  // False, with the reason recorded, when `output` may not be written.
  bool outputAllowed(const fs::path& input, const fs::path& output) {
    switch (guard_.check(output)) {
      case OutputGuard::Verdict::Free:
        return true;
      case OutputGuard::Verdict::IsInput:
        return fail(RadioFixStatus::OutputIsInput,
                    "The repair of " + input.string() + " would replace " + output.string() +
                        ", one of the files to repair: choose another output prefix or folder");
      case OutputGuard::Verdict::Declined:
        break;
    }
    return fail(RadioFixStatus::OutputExists, output.string() + " already exists and is kept: " +
                                                  input.string() + " is not repaired");
  }

  bool fixOne(const fs::path& input) {
    const std::string name = input.filename().string();
    setStatus("Read " + name);
    if (guard_.wroteThisRun(input))
      return fail(RadioFixStatus::OutputIsInput,
                  input.string() + " was written by this run: it is not repaired again");
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
    const TracesHeld held = tracesHeld(in, layout, options_.tracesRequired);
    if (held.whole == 0 && held.wanted > 0)
      return fail(RadioFixStatus::InputProblem,
                  input.string() + " ends inside its first trace: nothing is written for it");

    const fs::path output = outputFor(input, held.cut());
    const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
    if (base::folderIsReadOnly(folder))
      return fail(RadioFixStatus::FileError,
                  "Cannot write in " + folder.string() + ": it is read-only");
    if (!outputAllowed(input, output)) return false;

    RadioFixOptions counted = options_;
    counted.tracesRequired = static_cast<std::int32_t>(held.whole);
    rewriteChannelSets(layout.scanTypes, counted);
    rewriteExtendedHeader(layout.extended, counted.tracesRequired);
    base::AtomicFileWriter out(output);
    out.write(layout.general);
    out.write(layout.scanTypes);
    out.write(layout.extended);
    setStatus("Write " + name);
    out.write(layout.external);
    if (!out.ok()) return fail(RadioFixStatus::FileError, out.error());

    const std::uint64_t whole = held.whole;
    const TraceCopy copy = copyTraces(in, out, layout, whole, [&](std::uint64_t traces) {
      return !callbacks_.progress ||
             callbacks_.progress(whole == 0 ? 100 : static_cast<int>(100 * traces / whole));
    });
    if (copy.cancelled) return fail(RadioFixStatus::Cancelled, "Cancelled");
    if (!copy.error.empty()) return fail(RadioFixStatus::FileError, copy.error);
    in.close();
    const bool deleting = options_.deleteOriginal && !held.cut();
    if (!out.commit(deleting ? base::Durability::Synced : base::Durability::Flushed))
      return fail(RadioFixStatus::FileError, out.error());
    guard_.written(output);

    RadioFixFile& fixed =
        result_.files.emplace_back(RadioFixFile{input, output, copy.traces, held.cut(), false});
    tellShortfall(fixed, held);
    if (deleting) deleteInput(fixed);
    return true;
  }

  void tellShortfall(const RadioFixFile& fixed, const TracesHeld& held) {
    const std::string name = fixed.input.filename().string();
    const std::string copied = std::to_string(fixed.tracesCopied);
    const std::string into = fixed.output.filename().string();
    if (held.cut()) {
      messages_.show(name + " ends inside trace " + std::to_string(held.whole + 1) + ": " + copied +
                         " whole traces copied to " + into + ", whose headers count them" +
                         (options_.deleteOriginal ? "; " + name + " is kept" : ""),
                     false);
    } else if (fixed.tracesCopied <
               static_cast<std::uint64_t>(std::max(0, options_.tracesRequired))) {
      messages_.show(name + " holds " + copied + " of the " +
                         std::to_string(options_.tracesRequired) + " traces required: " + copied +
                         " copied to " + into + ", whose headers count them",
                     false);
    }
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
  OutputGuard guard_;
  RadioFixResult result_;
};

}  // namespace

RadioFixResult fixRadioFiles(const std::vector<fs::path>& inputs, const RadioFixOptions& options,
                             const RadioFixCallbacks& callbacks) {
  return RadioFixer(inputs, options, callbacks).run(inputs);
}

}  // namespace vorax::tools
