#include "python/json_objects.h"

#include <cstdint>
#include <string>

namespace vorax::python {

namespace py = pybind11;

py::object pythonObject(const cli::Json& value) {
  switch (value.type()) {
    case cli::Json::value_t::object: {
      py::dict out;
      for (auto item = value.begin(); item != value.end(); ++item)
        out[py::str(item.key())] = pythonObject(item.value());
      return out;
    }
    case cli::Json::value_t::array: {
      py::list out(value.size());
      std::size_t k = 0;
      for (const cli::Json& element : value) out[k++] = pythonObject(element);
      return out;
    }
    case cli::Json::value_t::string: {
      const std::string& bytes = value.get_ref<const std::string&>();
      return py::reinterpret_steal<py::object>(
          PyUnicode_DecodeLatin1(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), nullptr));
    }
    case cli::Json::value_t::boolean:
      return py::bool_(value.get<bool>());
    case cli::Json::value_t::number_integer:
      return py::int_(value.get<std::int64_t>());
    case cli::Json::value_t::number_unsigned:
      return py::int_(value.get<std::uint64_t>());
    case cli::Json::value_t::number_float:
      return py::float_(value.get<double>());
    default:
      return py::none();
  }
}

}  // namespace vorax::python
