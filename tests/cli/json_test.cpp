#include "cli/json.h"

#include <gtest/gtest.h>

namespace vorax::cli {
namespace {

struct TwoFields {
  decode::FixedText<6> name{"ab"};
  std::int32_t count = 3;
  template <typename V>
  void visit(V&& v) const {
    v("name", name);
    v("count", count);
  }
};

TEST(Json, WritesRecordsWithTrimmedTextsAndNumbers) {
  Json out = recordJson(TwoFields{});
  EXPECT_EQ(out.dump(0), R"({"name":"ab","count":3})");
}

TEST(Json, EscapesAndKeepsKeyOrder) {
  Json o = Json::object();
  o.set("z", "a\"b\\c\n");
  o.set("a", 0.25f);
  o.set("n", std::numeric_limits<double>::quiet_NaN());
  Json& list = o.set("list", Json::array());
  list.push(1);
  list.push(Json::array());
  EXPECT_EQ(o.dump(0), R"({"z":"a\"b\\c\n","a":0.25,"n":null,"list":[1,[]]})");
}

}  // namespace
}  // namespace vorax::cli
