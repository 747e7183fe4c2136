// The hosts' JSON writer: whatever it is given, its text parses, and numbers read back unchanged.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "device/JSON.h"

namespace {

nlohmann::json parsed(const json::Writer& out) { return nlohmann::json::parse(out.str()); }

}  // namespace

TEST(JSONWriter, BytesThatAreNotUTF8BecomeReplacementCharacters) {
    json::Writer out;
    out.beginObject().key("label\xFF").string("Back\xFF\xFEground").key("ok").string("Farbe \xC3\xBC").endObject();
    nlohmann::json value;
    ASSERT_NO_THROW(value = parsed(out)) << out.str();
    EXPECT_EQ(value["label\xEF\xBF\xBD"], "Back\xEF\xBF\xBD\xEF\xBF\xBDground");
    EXPECT_EQ(value["ok"], "Farbe \xC3\xBC") << "valid UTF-8 passes unchanged";
    EXPECT_EQ(json::quoted("a\"b\n\xC0"), "\"a\\\"b\\n\xEF\xBF\xBD\"");
}

TEST(JSONWriter, NumbersReadBackExactly) {
    const double values[] = {122.0 / 255, 0.1 + 0.2, 1e-9, -2.5e300, 123456.7890123};
    json::Writer out;
    out.beginArray();
    for (double v : values) out.number(v);
    out.number(1).number(-0.0).number(std::numeric_limits<double>::quiet_NaN()).number(HUGE_VAL);
    out.integer(std::numeric_limits<long long>::min()).endArray();
    const auto array = parsed(out);
    ASSERT_EQ(array.size(), std::size(values) + 5) << out.str();
    for (size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(array[i].get<double>(), values[i]) << out.str();
    EXPECT_NE(out.str().find(",1,0,null,null,-9223372036854775808]"), std::string::npos)
        << "whole numbers without a fraction, no negative zero, no NaN or infinity: " << out.str();
}

TEST(JSONWriter, KeepsTheOrderAndNestingItWasGiven) {
    json::Writer out;
    out.beginObject().key("z").integer(1).key("a").beginArray().beginObject().key("k").null().endObject();
    out.boolean(true).endArray().key("m").beginObject().endObject().endObject();
    EXPECT_EQ(out.str(), R"({"z":1,"a":[{"k":null},true],"m":{}})");
}
