// What `vorax qc` and `vorax qc-merge` leave in the output folder, all of it derived from the
// records' verdicts in name order: records.jsonl, shots.jsonl, summary.json, the two survey
// plots and report.html, a page that needs nothing but the files beside it (thumbnails/ holds
// one picture of each record's first page).
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "app/canvas.h"
#include "qc/record_qc.h"

namespace vorax::qc {

inline constexpr const char* kRecordsFile = "records.jsonl";
inline constexpr const char* kShotsFile = "shots.jsonl";
inline constexpr const char* kSummaryFile = "summary.json";
inline constexpr const char* kReportFile = "report.html";
inline constexpr const char* kFlagsPlotFile = "flags_per_record.png";
inline constexpr const char* kReceiversPlotFile = "receivers_flagged.png";
inline constexpr const char* kThumbnailFolder = "thumbnails";
inline constexpr int kThumbnailWidth = 640;
inline constexpr int kThumbnailHeight = 400;
inline constexpr int kPlotWidth = 1000;
inline constexpr int kPlotHeight = 360;
inline constexpr std::size_t kReceiversShown = 20;

// The thumbnail's name inside the output folder: thumbnails/<file name>-<8 hex digits of a
// hash of the whole path>.png, the same on every machine for the same spelling of the path.
std::string thumbnailName(const std::string& file);

// Writes a picture of width x height drawn by `draw` to `path` (atomically); returns an error
// text, empty on success. Supplied by whoever can rasterise (the command line's Qt canvas).
using PictureWriter =
    std::function<std::string(const std::filesystem::path& path, int width, int height,
                              const std::function<void(app::Canvas&)>& draw)>;

// The page: a summary, the two plots, then one row per record (in the order given) with its
// verdicts and its thumbnail where `hasThumbnail` says there is one.
std::string reportHtml(std::span<const RecordQc> records,
                       const std::function<bool(const RecordQc&)>& hasThumbnail);

// Writes every file of the folder but the thumbnails, each atomically, the records in name
// order. Returns an error text, empty on success.
std::string writeSurveyFiles(const std::filesystem::path& folder, std::span<const RecordQc> records,
                             const PictureWriter& pictures);

}  // namespace vorax::qc
