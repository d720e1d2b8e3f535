// Small helpers the record tools share.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorax::tools {

// True when `a` and `b` name the same file: through any name or link when both exist, by
// their absolute, normalised names when one does not exist yet.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// `name` with `tag` put before its extension: ("RSA.sgd", "_partial") gives "RSA_partial.sgd",
// ("radtmp", "_partial") "radtmp_partial".
std::filesystem::path withTag(const std::filesystem::path& name, std::string_view tag);

// Asked before an output replaces an existing file that the run did not write; true lets it.
// Without one, such files are never replaced.
using ReplaceQuestion = std::function<bool(const std::filesystem::path& existing)>;

// Keeps a run's outputs off what they must not replace: one of the run's inputs (never), or
// an existing file the run did not write itself (only when the question says yes). Files the
// run wrote may be written again.
class OutputGuard {
 public:
  enum class Verdict {
    Free,      // may be written
    IsInput,   // one of the run's inputs
    Declined,  // an existing file of the user's that is not to be replaced
  };

  OutputGuard(std::vector<std::filesystem::path> inputs, ReplaceQuestion mayReplace)
      : inputs_(std::move(inputs)), mayReplace_(std::move(mayReplace)) {}

  Verdict check(const std::filesystem::path& output) const;
  // The output is written: later checks let it be written again and wroteThisRun() knows it.
  void written(const std::filesystem::path& output) { written_.push_back(output); }
  bool wroteThisRun(const std::filesystem::path& file) const;

 private:
  std::vector<std::filesystem::path> inputs_;
  ReplaceQuestion mayReplace_;
  std::vector<std::filesystem::path> written_;
};

}  // namespace vorax::tools
