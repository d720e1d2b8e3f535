#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cli/json_text.h"

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
  EXPECT_EQ(jsonText(out, 0), R"({"name":"ab","count":3})");
}

TEST(Json, EscapesAndKeepsKeyOrder) {
  Json o = Json::object();
  o["z"] = "a\"b\\c\n\xE9";
  o["a"] = fieldJson(0.25f);
  o["n"] = fieldJson(std::numeric_limits<double>::quiet_NaN());
  Json& list = o["list"] = Json::array();
  list.push_back(1);
  list.push_back(Json::array());
  EXPECT_EQ(jsonText(o, 0), R"({"z":"a\"b\\c\n\u00e9","a":0.25,"n":null,"list":[1,[]]})");
}

TEST(Json, NumbersAreWrittenAsTheViewerShowsThem) {
  const Json values = Json::array({fieldJson(0.1f), fieldJson(2.0), fieldJson(0.00006742),
                                   fieldJson(-20.25f), fieldJson(6234000.25)});
  EXPECT_EQ(jsonText(values, 0), "[0.1,2,0.00006742,-20.25,6234000.25]");
}

TEST(Json, SampleTextsAreTheTextsOfTheirJsonValues) {
  const float values[] = {0.1f,   1e-6f, 9.5e-7f, 1e15f, 190944592.0f, -3.4028235e38f,
                          1e-45f, 0.0f,  -0.0f,   NAN,   INFINITY};
  for (const float v : values) EXPECT_EQ(singleJsonText(v), jsonText(singleJson(v))) << v;
  EXPECT_EQ(singleJsonText(1e-6f), "0.000001");
  EXPECT_EQ(singleJsonText(NAN), "null");
}

}  // namespace
}  // namespace vorax::cli
