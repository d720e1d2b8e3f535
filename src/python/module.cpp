// The `vorax` Python module: records as NumPy arrays and dicts, and the program's filters,
// spread maps, vibrator analyses and SEG-Y export on them. Every dict is the JSON object the
// matching `vorax` command prints.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <array>
#include <optional>

#include "cli/spread_json.h"
#include "cli/vibrator_numbers.h"
#include "dsp/fft.h"
#include "filter/filter_settings.h"
#include "filter/record_filter.h"
#include "interchange/segy_export.h"
#include "python/json_objects.h"
#include "python/python_record.h"
#include "qc/qc_json.h"
#include "qc/record_qc.h"
#include "spread/spread_layout.h"
#include "spread/spread_map.h"

namespace vorax::python {

namespace py = pybind11;

namespace {

using Corners = std::optional<std::vector<float>>;

Record filtered(const Record& source, const Corners& lowCut, const Corners& highCut,
                const Corners& bandPass, const Corners& bandReject) {
  filter::FilterSettings settings;
  const struct {
    filter::FilterType type;
    const Corners& corners;
    const char* name;
  } kGiven[] = {{filter::FilterType::LowCut, lowCut, "low_cut"},
                {filter::FilterType::HighCut, highCut, "high_cut"},
                {filter::FilterType::BandPass, bandPass, "band_pass"},
                {filter::FilterType::BandReject, bandReject, "band_reject"}};
  bool any = false;
  for (const auto& given : kGiven) {
    if (!given.corners) continue;
    const std::size_t count = filter::cornerCount(given.type);
    if (given.corners->size() != count)
      throw py::value_error(std::string(given.name) + " takes " + std::to_string(count) +
                            " corner frequencies (Hz)");
    settings.enabledOf(given.type) = true;
    std::copy(given.corners->begin(), given.corners->end(), settings.cornersOf(given.type).begin());
    any = true;
  }
  if (!any) throw py::value_error("give low_cut, high_cut, band_pass or band_reject");
  if (const std::string problem = filter::validateFilters(settings); !problem.empty())
    throw py::value_error(problem);
  decode::SegdRecord record = source.record();
  {
    const py::gil_scoped_release unlocked;
    dsp::Fft fft;
    filter::filterRecord(record, filter::enabledFilters(settings), fft, {}, filter::coreCount());
  }
  return source.withRecord(std::move(record));
}

py::object spreadMap(const Record& source, const std::string& map, bool ignoreTilt) {
  const std::optional<spread::MapKind> kind = spread::mapKindNamed(map);
  if (!kind) throw py::value_error("map must be resistance, capacitance, leakage, tilt or errors");
  const decode::SegdRecord& record = source.record();
  if (!spread::hasLiveTraces(record)) throw py::value_error(spread::kNoLiveTracesMessage);
  const spread::SpreadMap computed =
      spread::computeSpreadMap(record, *kind, {record.tiltErrorCount, ignoreTilt});
  if (!computed.holdsTestValues) throw py::value_error(spread::kNoTestValuesMessage);
  return pythonObject(cli::mapJson(computed));
}

py::object recordQc(const Record& source) {
  qc::RecordQc verdicts;
  {
    const py::gil_scoped_release unlocked;
    verdicts = qc::checkRecord(source.record());
  }
  return pythonObject(qc::recordJson(verdicts));
}

py::object analyseVibrator(const Record& source, const cli::VibratorTraces& traces) {
  if (const std::string problem = cli::vibratorTracesProblem(source.record(), traces);
      !problem.empty())
    throw py::value_error(problem);
  cli::VibratorNumbers numbers;
  {
    const py::gil_scoped_release unlocked;
    numbers = cli::analyseVibrator(source.record(), traces);
  }
  return pythonObject(cli::vibratorNumbersJson(numbers));
}

std::int64_t exportSegy(const std::filesystem::path& path,
                        const std::vector<const Record*>& records, const std::string& sort) {
  if (sort != "as-recorded" && sort != "channel")
    throw py::value_error("sort must be as-recorded or channel");
  std::vector<interchange::SegySource> sources;
  for (const Record* r : records)
    sources.push_back(interchange::segySourceOf(r->record(), r->opened()));
  interchange::SegyResult result;
  {
    const py::gil_scoped_release unlocked;
    result = interchange::writeSegy(
        path, sources,
        sort == "channel" ? interchange::SegySort::Channel : interchange::SegySort::AsRecorded);
  }
  const py::object warn = py::module_::import("warnings").attr("warn");
  for (const std::string& warning : result.warnings) warn(warning);
  if (!result.ok()) {
    PyErr_SetString(PyExc_OSError, result.error.c_str());
    throw py::error_already_set();
  }
  return result.traces;
}

}  // namespace

}  // namespace vorax::python

PYBIND11_MODULE(vorax, m) {
  namespace py = pybind11;
  using namespace vorax;
  using python::Record;
  m.doc() =
      "Seismic field records (SEG-D, SEG-2) as NumPy arrays, with VORAX Viewer's "
      "filters, survey QC verdicts, spread maps, vibrator analyses and SEG-Y export.";
  m.attr("__version__") = VORAX_VERSION;

  py::class_<Record>(m, "Record", "A record opened with vorax.open.")
      .def_property_readonly("samples", &Record::samples,
                             "traces x samples, float32, in recorded units (read-only)")
      .def_property_readonly("info", &Record::info,
                             "the header summary, as `vorax info --json` gives it under \"record\"")
      .def_property_readonly("traces", &Record::traces,
                             "per-trace attributes, as `vorax traces --json` gives them")
      .def_property_readonly("headers", &Record::headers,
                             "every decoded header record, as `vorax info --json` gives them")
      .def_property_readonly("messages", &Record::messages, "the decoder's messages, in order")
      .def("__repr__", &Record::repr);

  m.def("open", &Record::open, py::arg("path"),
        "Opens a SEG-D or SEG-2 record. Raises OSError when the file cannot be read and "
        "ValueError when its headers stop the reading.");
  m.def("filter", &python::filtered, py::arg("record"), py::kw_only(),
        py::arg("low_cut") = py::none(), py::arg("high_cut") = py::none(),
        py::arg("band_pass") = py::none(), py::arg("band_reject") = py::none(),
        "A filtered copy of the record, as `vorax filter` filters it: low cut (F1, F2), high "
        "cut (F1, F2), band pass and band reject (F1, F2, F3, F4), in Hz, applied in that "
        "order.");
  m.def("spread_map", &python::spreadMap, py::arg("record"), py::arg("map"), py::kw_only(),
        py::arg("ignore_tilt") = false,
        "One receiver test-value map (resistance, capacitance, leakage, tilt or errors), as "
        "`vorax spread --json` gives it.");
  m.def("qc", &python::recordQc, py::arg("record"),
        "The survey QC verdicts of the record, as one line of `vorax qc`'s records.jsonl.");
  m.def(
      "analyse_vibrator",
      [](const Record& record, std::int32_t pilot, std::int32_t signal, std::int32_t signal2,
         std::int32_t truncateMs) {
        return python::analyseVibrator(record, {pilot, signal, signal2, truncateMs});
      },
      py::arg("record"), py::arg("pilot"), py::arg("signal"), py::kw_only(), py::arg("signal2") = 0,
      py::arg("truncate_ms") = cli::VibratorTraces{}.truncateMs,
      "Vibrator similarity numbers of the pilot and signal traces (numbered from 1), as "
      "`vorax vibsim-analyse --json` gives them.");
  m.def(
      "export_segy",
      [](const std::filesystem::path& path, py::object records, const std::string& sort) {
        std::vector<const Record*> list;
        if (py::isinstance<Record>(records))
          list.push_back(records.cast<const Record*>());
        else
          for (py::handle r : records) list.push_back(r.cast<const Record*>());
        return python::exportSegy(path, list, sort);
      },
      py::arg("path"), py::arg("records"), py::kw_only(), py::arg("sort") = "as-recorded",
      "Writes a record, or records one after another, as one SEG-Y file, as `vorax convert` "
      "does; returns the traces written. Roundings are reported as warnings.");
}
