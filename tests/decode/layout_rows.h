// The layout rows a decoded record binds its fields to, in the order its JSON lists them: what
// the layout tests walk.
#pragma once

#include <vector>

#include "decode/field_layout.h"

namespace vorax::test {

template <typename Fields>
std::vector<decode::FieldRow> rowsOf() {
  std::vector<decode::FieldRow> rows;
  Fields fields;
  Fields::eachByteField(fields,
                        [&rows](const decode::FieldRow& row, auto&) { rows.push_back(row); });
  return rows;
}

}  // namespace vorax::test
