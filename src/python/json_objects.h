// The command line's JSON values as Python objects, so that the module's dicts equal what
// json.loads gives for the same command's output.
#pragma once

#include <pybind11/pybind11.h>

#include "cli/json_text.h"

namespace vorax::python {

// Objects as dicts (keys in order), arrays as lists, numbers as int or float, null as None.
// Strings hold header bytes and are read as Latin-1, as the command line writes them.
pybind11::object pythonObject(const cli::Json& value);

}  // namespace vorax::python
