#include "python/python_record.h"

#include <memory>

#include "base/debug_log.h"
#include "cli/record_json.h"
#include "decode/conversions.h"
#include "decode/zeroed_floats.h"
#include "python/json_objects.h"

namespace vorax::python {

namespace py = pybind11;

namespace {

std::string joined(const std::vector<std::string>& texts) {
  std::string out;
  for (const std::string& t : texts) out += (out.empty() ? "" : "\n") + t;
  return out;
}

}  // namespace

Record Record::open(const std::filesystem::path& path) {
  Record out;
  decode::CollectingMessages messages;
  {
    const py::gil_scoped_release unlocked;
    out.opened_ = decode::openRecord(path, out.record_, messages, base::DebugLog{});
  }
  out.messages_ = std::move(messages.messages);
  out.messages_.insert(out.messages_.end(), out.opened_.notes.begin(), out.opened_.notes.end());
  switch (out.opened_.status) {
    case decode::OpenStatus::FileError:
      PyErr_SetString(PyExc_OSError, out.opened_.error.c_str());
      throw py::error_already_set();
    case decode::OpenStatus::DecoderFatal:
      throw py::value_error(joined(out.messages_));
    case decode::OpenStatus::Ok:
      break;
  }
  out.makeSamples();
  return out;
}

Record Record::withRecord(decode::SegdRecord&& record) const {
  Record out;
  out.record_ = std::move(record);
  out.opened_ = opened_;
  out.messages_ = messages_;
  out.makeSamples();
  return out;
}

// The one copy: from the record's trace-major buffer (traces 1..N of samples + 1 values) into
// N x samples values, each trace multiplied by its divisor on the way.
void Record::makeSamples() {
  const std::int32_t traces = record_.loadedTraceCount();
  const std::int32_t samples = record_.samples.samplesPerTrace();
  const auto count = static_cast<std::size_t>(traces) * static_cast<std::size_t>(samples);
  auto values = std::make_unique<decode::ZeroedFloats>(count);
  {
    const py::gil_scoped_release unlocked;
    float* out = values->data();
    for (std::int32_t t = 1; t <= traces; ++t) {
      const float divisor = record_.divisorOf(t);
      const float* in = record_.samples.trace(t).data();
      for (std::int32_t j = 0; j < samples; ++j) *out++ = in[j] * divisor;
    }
  }
  float* data = values->data();
  const py::capsule owner(values.release(),
                          [](void* p) { delete static_cast<decode::ZeroedFloats*>(p); });
  samples_ = py::array_t<float>(
      {static_cast<py::ssize_t>(traces), static_cast<py::ssize_t>(samples)}, data, owner);
  samples_.attr("flags").attr("writeable") = false;
}

py::object Record::info() const {
  return pythonObject(cli::summaryJson(record_));
}

py::object Record::traces() {
  if (!traces_) {
    py::list out;
    for (std::int32_t t = 1; t <= record_.loadedTraceCount(); ++t)
      out.append(pythonObject(cli::traceJson(record_, t, false)));
    traces_ = std::move(out);
  }
  return traces_;
}

py::object Record::headers() const {
  cli::Json out = cli::Json::object();
  cli::addDecodedHeadersJson(opened_, out);
  return pythonObject(out);
}

std::string Record::repr() const {
  return "<vorax.Record '" + record_.fileName + "': " + std::to_string(record_.loadedTraceCount()) +
         " traces of " + std::to_string(record_.samples.samplesPerTrace()) + " samples at " +
         decode::shortestText(record_.sampleIntervalMs) + " ms>";
}

}  // namespace vorax::python
