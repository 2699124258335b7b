#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/file/string_sink.h"
#include "model/file/tagged_record_writer.h"

namespace vrn::testing {
namespace {

TEST(TaggedRecordWriterTest, WritesEachKindOfRecordOnItsOwnLine) {
    StringSink sink;
    TaggedRecordWriter writer(sink);
    const std::string quoted = "say \"hi\", then\r\nleave";
    writer.WriteFile("Title", quoted);
    writer.WriteFile("Empty", "");
    writer.WriteFile("Accent", "caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD");
    writer.WriteBoolean("Locked", false);
    writer.WriteBoolean("ViewTitle", true);
    writer.WriteLong("BEGIN Matrix", 1);
    writer.WriteLong("Color", -2147483643);
    writer.WriteNumber("FormHeight", 8000.0f);
    writer.WriteNumber("FormWidth", 612.5f);
    writer.WriteNumber("Tiny", -0.25f);
    writer.WriteNumber("Broken", std::numeric_limits<float>::quiet_NaN());
    writer.WriteNumber("Huge", 1e20f);
    EXPECT_TRUE(sink.bytes().empty());  // nothing reaches the sink before a flush
    writer.Flush();

    EXPECT_EQ(quoted, "say \"hi\", then\r\nleave");  // the caller's value is left alone
    EXPECT_EQ(sink.bytes(),
              "\"Title\",\"say #quote#hi#quote#, then\r\nleave\"\r\n"
              "\"Empty\",\"\"\r\n"
              "\"Accent\",\"caf\xE9 \x80 ?\"\r\n"
              "\"Locked\",#FALSE#\r\n"
              "\"ViewTitle\",#TRUE#\r\n"
              "\"BEGIN Matrix\",1\r\n"
              "\"Color\",-2147483643\r\n"
              "\"FormHeight\",8000\r\n"
              "\"FormWidth\",612.5\r\n"
              "\"Tiny\",-0.25\r\n"
              "\"Broken\",0\r\n"
              "\"Huge\",100000002004087734272\r\n");
}

TEST(TaggedRecordWriterTest, ALongOutputReachesTheSinkWhole) {
    StringSink sink;
    TaggedRecordWriter writer(sink);
    const std::string text(100000, 'x');
    for (int i = 0; i < 5; ++i) {
        writer.WriteFile("Text", text);
    }
    EXPECT_FALSE(sink.bytes().empty());  // large buffers go out before the end
    writer.Flush();
    EXPECT_EQ(sink.bytes().size(), 5 * (text.size() + std::string("\"Text\",\"\"\r\n").size()));
}

}  // namespace
}  // namespace vrn::testing
