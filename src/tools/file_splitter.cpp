#include "tools/file_splitter.h"

#include "base/atomic_file.h"
#include "base/folder_access.h"
#include "decode/record_file.h"
#include "tools/record_layout.h"
#include "tools/tool_support.h"
#include "tools/trace_copy.h"

namespace vorax::tools {

namespace {

namespace fs = std::filesystem;

int percentOf(std::uint64_t part, std::uint64_t whole) {
  return whole == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(100, 100 * part / whole));
}

class Splitter {
 public:
  Splitter(const fs::path& input, fs::path folder, const SplitCallbacks& callbacks)
      : folder_(std::move(folder)),
        callbacks_(callbacks),
        messages_(callbacks.messages != nullptr ? *callbacks.messages : collected_),
        guard_({input}, callbacks.mayReplace) {}

  SplitResult run(decode::RecordFile& in) {
    if (in.size() == 0) fail(SplitStatus::InputProblem, in.name() + " is empty");
    length_ = in.size();
    while (in.remaining() > 0) {
      if (!splitOne(in)) return std::move(result_);
    }
    return std::move(result_);
  }

 private:
  bool fail(SplitStatus status, std::string message) {
    result_.status = status;
    result_.message = std::move(message);
    return false;
  }

  bool report(const SplitProgress& progress) {
    return !callbacks_.progress || callbacks_.progress(progress);
  }

  // The first of NNNN.SEGD, NNNN_2.SEGD, ... (NNNN_partial.SEGD, ... for a cut record) that
  // is neither the input nor written in this run; empty, with the reason recorded, when it
  // is an existing file not to be replaced.
  fs::path outputFor(const RecordLayout& layout, bool partial) {
    const std::string tag = partial ? "_partial" : "";
    std::string clash;
    for (int k = 1;; ++k) {
      const std::string name =
          layout.fileNumber + (k == 1 ? "" : "_" + std::to_string(k)) + tag + ".SEGD";
      const fs::path candidate = folder_ / name;
      if (guard_.wroteThisRun(candidate)) {
        if (k == 1) clash = " was written earlier in this run";
        continue;
      }
      const OutputGuard::Verdict verdict = guard_.check(candidate);
      if (verdict == OutputGuard::Verdict::IsInput) {
        if (k == 1) clash = " is the file being split";
        continue;
      }
      if (verdict == OutputGuard::Verdict::Declined) {
        fail(SplitStatus::OutputExists, candidate.string() +
                                            " already exists and is kept: the split stops at "
                                            "the record with file number " +
                                            layout.fileNumber);
        return {};
      }
      if (k > 1) {
        messages_.show("File number " + layout.fileNumber + " of the record at byte " +
                           std::to_string(layout.start) + " is written as " + name + ": " +
                           layout.fileNumber + tag + ".SEGD" + clash,
                       false);
      }
      return candidate;
    }
  }

  bool splitOne(decode::RecordFile& in) {
    RecordLayout layout;
    const LayoutRead read = readRecordLayout(in, layout, messages_);
    if (!read.ok()) {
      return fail(read.status == LayoutStatus::ReadError ? SplitStatus::FileError
                                                         : SplitStatus::InputProblem,
                  read.message);
    }
    SplitProgress progress{layout.fileNumber, layout.traces, 0, 0,
                           percentOf(layout.start - 1, length_)};
    if (!report(progress)) return fail(SplitStatus::Cancelled, "Cancelled");

    const bool partial = in.remaining() / layout.traceBytes() < layout.traces;
    const fs::path target = outputFor(layout, partial);
    if (target.empty()) return false;
    base::AtomicFileWriter out(target);
    out.write(layout.general);
    out.write(layout.scanTypes);
    out.write(layout.extended);
    out.write(layout.external);
    if (!out.ok()) return fail(SplitStatus::FileError, out.error());

    const TraceCopy copy = copyTraces(in, out, layout, layout.traces, [&](std::uint64_t traces) {
      progress.currentTrace = traces;
      progress.filePercent = percentOf(traces, layout.traces);
      progress.overallPercent = percentOf(in.position() - 1, length_);
      return report(progress);
    });
    if (copy.cancelled) return fail(SplitStatus::Cancelled, "Cancelled");
    if (!copy.error.empty()) return fail(SplitStatus::FileError, copy.error);
    if (!out.commit()) return fail(SplitStatus::FileError, out.error());
    guard_.written(target);

    result_.records.push_back({target, layout.fileNumber, layout.traces, copy.traces, partial});
    if (copy.inputEnded) {
      messages_.show(in.name() + " ends inside the record with file number " + layout.fileNumber +
                         ": " + std::to_string(copy.traces) + " of " +
                         std::to_string(layout.traces) + " traces copied to " +
                         target.filename().string(),
                     false);
    }
    progress.overallPercent = percentOf(in.position() - 1, length_);
    return report(progress) || fail(SplitStatus::Cancelled, "Cancelled");
  }

  fs::path folder_;
  const SplitCallbacks& callbacks_;
  decode::CollectingMessages collected_;
  decode::MessageSink& messages_;
  std::uint64_t length_ = 0;
  OutputGuard guard_;
  SplitResult result_;
};

}  // namespace

SplitResult splitFile(const fs::path& input, const fs::path& outputFolder,
                      const SplitCallbacks& callbacks) {
  const fs::path folder = outputFolder.empty() ? input.parent_path() : outputFolder;
  if (base::folderIsReadOnly(folder.empty() ? fs::path(".") : folder))
    return {SplitStatus::ReadOnlyFolder, kReadOnlyMediaMessage, {}};
  decode::RecordFile::Opened opened = decode::RecordFile::open(input);
  if (!opened.ok()) return {SplitStatus::FileError, opened.error, {}};
  return Splitter(input, folder, callbacks).run(*opened.file);
}

}  // namespace vorax::tools
