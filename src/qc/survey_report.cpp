#include "qc/survey_report.h"

#include <cstdio>
#include <vector>

#include "base/atomic_file.h"
#include "decode/conversions.h"
#include "qc/qc_json.h"
#include "qc/survey_plots.h"
#include "qc/survey_summary.h"

namespace vorax::qc {

namespace {

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A relative URL of the path: every byte but letters, digits, "-._~" and "/" as %XX, so a
// record named "shot #3.segd" still finds its thumbnail.
std::string urlOf(std::string_view path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view("-._~/").find(c) != std::string_view::npos;
    if (plain) {
      out += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      out += hex;
    }
  }
  return out;
}

// "3: 5, 17, 40" (the first 12 numbers, then "..."), or empty for none.
std::string traceCell(const std::vector<std::int32_t>& traces) {
  if (traces.empty()) return "";
  std::string text = std::to_string(traces.size()) + ": ";
  for (std::size_t i = 0; i < traces.size() && i < 12; ++i)
    text += (i == 0 ? "" : ", ") + std::to_string(traces[i]);
  if (traces.size() > 12) text += ", ...";
  return text;
}

std::string testValueCell(const RecordQc& r) {
  if (!r.testValueErrors) return "";
  const TestValueErrors& e = *r.testValueErrors;
  if (e.total() == 0) return "0";
  std::string text;
  for (const auto& [name, count] : {std::pair{"R", e.resistance}, std::pair{"C", e.capacitance},
                                    std::pair{"T", e.tilt}, std::pair{"L", e.leakage}})
    if (count > 0) text += (text.empty() ? "" : " ") + std::string(name) + std::to_string(count);
  return text;
}

std::string hexColour(app::Colorref c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", app::redOf(c), app::greenOf(c), app::blueOf(c));
  return text;
}

std::string summaryList(const SurveySummary& s) {
  std::string out = "<p class=\"summary\">";
  out += std::to_string(s.records) + " records, " + std::to_string(s.recordsFlagged) +
         " flagged; " + std::to_string(s.traces) + " traces: ";
  out += std::to_string(s.deadTraces) + " dead, " + std::to_string(s.reversedTraces) +
         " reversed, " + std::to_string(s.noisyTraces) + " noisy, " +
         std::to_string(s.spikeTraces) + " with spikes.</p>\n";
  return out;
}

std::string recordRow(std::size_t n, const RecordQc& r, bool thumbnail) {
  const std::string name = std::filesystem::path(r.file).filename().string();
  std::string row = r.passed() ? "<tr>" : "<tr class=\"flagged\">";
  auto cell = [&](const std::string& text, const char* kind = nullptr) {
    row += kind ? std::string("<td class=\"") + kind + "\">" : std::string("<td>");
    row += text + "</td>";
  };
  cell(std::to_string(n));
  const std::string note = r.readable() && !r.error.empty()
                               ? "<br><span class=\"error\">" + escaped(r.error) + "</span>"
                               : "";
  cell("<span title=\"" + escaped(r.file) + "\">" + escaped(name) + "</span>" + note);
  if (!r.readable()) {
    row += "<td colspan=\"10\" class=\"error\">" + escaped(r.error) + "</td>";
    cell("unreadable", "verdict");
    cell("");
    return row + "</tr>\n";
  }
  cell(r.fileNumber ? std::to_string(*r.fileNumber) : "");
  cell(escaped(r.date + " " + r.time), "when");
  cell(escaped(decode::shortestText(r.sourceLine) + " / " + decode::shortestText(r.sourcePoint)),
       "when");
  cell(std::to_string(r.traceCount), "number");
  cell(decode::shortestText(static_cast<float>(r.rmsMedian)), "number");
  cell(traceCell(r.deadTraces), "dead");
  cell(traceCell(r.reversedTraces), "reversed");
  cell(traceCell(r.noisyTraces), "noisy");
  cell(traceCell(r.spikeTraces), "spike");
  cell(testValueCell(r));
  cell(r.passed() ? "passed" : "flagged", "verdict");
  const std::string picture = urlOf(thumbnailName(r.file));
  cell(thumbnail ? "<a href=\"" + picture + "\"><img src=\"" + picture + "\" alt=\"first page of " +
                       escaped(name) + "\" loading=\"lazy\"></a>"
                 : "");
  return row + "</tr>\n";
}

std::string style() {
  std::string css = R"(<style>
body { font-family: Arial, Helvetica, sans-serif; margin: 16px; color: #111; }
h1 { font-size: 20px; margin: 0 0 6px 0; }
.summary { font-size: 15px; margin: 4px 0 12px 0; }
.plots img { max-width: 100%; border: 1px solid #ccc; margin: 0 4px 4px 0; }
table { border-collapse: collapse; font-size: 13px; margin-top: 12px; }
th, td { border: 1px solid #bbb; padding: 3px 6px; vertical-align: middle; text-align: left; }
th { background: #e8e8e8; position: sticky; top: 0; }
td.number { text-align: right; }
td.when { white-space: nowrap; }
tr.flagged td.verdict { color: #b00000; font-weight: bold; }
td.verdict { color: #006000; font-weight: bold; }
td.error, span.error { color: #b00000; }
td img { width: 320px; height: 200px; display: block; }
)";
  css += "td.dead { color: " + hexColour(kDeadColour) + "; }\n";
  css += "td.reversed { color: " + hexColour(kReversedColour) + "; }\n";
  css += "td.noisy { color: " + hexColour(kNoisyColour) + "; }\n";
  css += "td.spike { color: " + hexColour(kSpikeColour) + "; }\n";
  return css + "</style>\n";
}

std::string writeText(const std::filesystem::path& path, const std::string& text) {
  base::AtomicFileWriter file(path);
  file.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  return file.commit() ? "" : file.error();
}

}  // namespace

std::string thumbnailName(const std::string& file) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : file) {
    hash ^= static_cast<std::uint8_t>(c);
    hash *= 16777619u;
  }
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", hash);
  return std::string(kThumbnailFolder) + "/" + std::filesystem::path(file).filename().string() +
         "-" + hex + ".png";
}

std::string reportHtml(std::span<const RecordQc> records,
                       const std::function<bool(const RecordQc&)>& hasThumbnail) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Survey QC</title>\n" +
      style() + "</head>\n<body>\n<h1>Survey QC</h1>\n";
  page += summaryList(summarise(records));
  page += std::string("<div class=\"plots\"><img src=\"") + kFlagsPlotFile +
          "\" alt=\"flagged traces per record\"><img src=\"" + kReceiversPlotFile +
          "\" alt=\"receivers flagged most often\"></div>\n";
  page +=
      "<table>\n<thead><tr><th>#</th><th>File</th><th>File number</th><th>Shot time</th>"
      "<th>Source line / point</th><th>Traces</th><th>RMS median</th><th>Dead</th>"
      "<th>Reversed</th><th>Noisy</th><th>Spike</th><th>Test-value errors</th>"
      "<th>Verdict</th><th>First page</th></tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < records.size(); ++i)
    page += recordRow(i + 1, records[i], hasThumbnail && hasThumbnail(records[i]));
  page += "</tbody>\n</table>\n</body>\n</html>\n";
  return page;
}

std::string writeSurveyFiles(const std::filesystem::path& folder, std::span<const RecordQc> records,
                             const PictureWriter& pictures) {
  std::vector<Json> lines, shots;
  for (const RecordQc& r : records) {
    lines.push_back(recordJson(r));
    shots.push_back(shotJson(r));
  }
  const std::vector<ReceiverFlags> receivers = receiversFlaggedMostOften(records, kReceiversShown);
  const std::string errors[] = {
      writeText(folder / kRecordsFile, jsonLines(lines)),
      writeText(folder / kShotsFile, jsonLines(shots)),
      writeText(folder / kSummaryFile, summaryJson(summarise(records)).dump(2) + "\n"),
      pictures(folder / kFlagsPlotFile, kPlotWidth, kPlotHeight,
               [&](app::Canvas& canvas) { drawFlagsPerRecord(canvas, records); }),
      pictures(folder / kReceiversPlotFile, kPlotWidth, kPlotHeight,
               [&](app::Canvas& canvas) { drawReceiversFlagged(canvas, receivers); }),
      writeText(folder / kReportFile, reportHtml(records,
                                                 [&](const RecordQc& r) {
                                                   std::error_code error;
                                                   return std::filesystem::exists(
                                                       folder / thumbnailName(r.file), error);
                                                 })),
  };
  for (const std::string& e : errors)
    if (!e.empty()) return e;
  return "";
}

}  // namespace vorax::qc
