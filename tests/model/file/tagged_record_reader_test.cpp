#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/file/matrix_file_error.h"
#include "model/file/tagged_record_reader.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::testing {
namespace {

class TaggedRecordReaderTest : public ::testing::Test {
protected:
    TaggedRecordReader& Reader(const std::string& bytes) {
        source_.str(bytes);
        reader_.emplace(source_, "memo.vrn", context_);
        return *reader_;
    }
    const std::vector<ScriptedMessages::Box>& shown() const { return messages_.shown(); }

    // The error text of `read`, or "" when it does not throw.
    template <class Read>
    std::string ErrorOf(Read read) {
        try {
            read();
        } catch (const MatrixFileError& error) {
            return error.what();
        }
        return {};
    }

private:
    ScriptedMessages messages_;
    ComponentContext context_{nullptr, false, &messages_};
    std::stringbuf source_;
    std::optional<TaggedRecordReader> reader_;
};

TEST_F(TaggedRecordReaderTest, QuotedValuesKeepCommasLineBreaksAndEscapedQuotes) {
    auto& reader = Reader(
        "\"Title\",\"one, two\r\nthree\nfour\rfive\"\r\n"
        "\"Empty\",\"\"\r\n"
        "\"Quote\",\"say #quote#hi#quote#\"\r\n"
        "\"Accent\",\"caf\xE9 \x80\"\r\n");
    EXPECT_EQ(reader.ReadFile("Title"), "one, two\r\nthree\nfour\rfive");
    EXPECT_EQ(reader.ReadFile("Empty"), "");
    EXPECT_EQ(reader.ReadFile("Quote"), "say \"hi\"");
    EXPECT_EQ(reader.ReadFile("Accent"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(shown().empty());
}

TEST_F(TaggedRecordReaderTest, ItemsEndAtCommasOrAnyLineEnd) {
    // Lone LF and lone CR line ends, blanks before items, text after a closing quote.
    auto& reader = Reader(
        "\"A\",  12\n"
        "\"B\",#TRUE#\r"
        "\t\"C\",\"x\" ignored,\"D\",-3\r\n"
        "\"E\",#FALSE#");
    EXPECT_EQ(reader.ReadFileLong("A"), 12);
    EXPECT_TRUE(reader.ReadFileBoolean("B"));
    EXPECT_EQ(reader.ReadFile("C"), "x");
    EXPECT_EQ(reader.ReadFileLong("D"), -3);
    EXPECT_EQ(reader.ReadFile("E"), "False");  // a truth value read as text
    EXPECT_TRUE(shown().empty());
}

TEST_F(TaggedRecordReaderTest, NumbersRoundHalvesToEven) {
    auto& reader = Reader("\"a\",12.5\r\n\"b\",13.5\r\n\"c\",\"-2147483648\"\r\n\"d\",8000.4\r\n");
    EXPECT_EQ(reader.ReadFileLong("a"), 12);
    EXPECT_EQ(reader.ReadFileLong("b"), 14);
    EXPECT_EQ(reader.ReadFileLong("c"), -2147483648);
    EXPECT_EQ(reader.ReadFileLong("d"), 8000);
}

TEST_F(TaggedRecordReaderTest, TagMismatchWarnsAndGoesOnWithTheValue) {
    auto& reader =
        Reader("\"Wrong\",\"text\"\r\n\"Other\",5\r\n\"Third\",#TRUE#\r\n\"Right\",\"ok\"\r\n");
    EXPECT_EQ(reader.ReadFile("Title"), "text");
    EXPECT_EQ(reader.ReadFileLong("Key 1"), 5);
    EXPECT_TRUE(reader.ReadFileBoolean("Locked"));
    EXPECT_EQ(reader.ReadFile("Right"), "ok");  // no record skipped or read twice

    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown()[0].prompt,
              "warning: error parsing file in ReadFile.  Expected tag: 'Title' and found: 'Wrong'");
    EXPECT_EQ(shown()[1].prompt,
              "warning: error parsing file in ReadFileLong. expected tag: 'Key 1' and found: "
              "'Other'");
    EXPECT_EQ(shown()[2].prompt,
              "warning: error parsing file in ReadFileBoolean.  Expected tag: 'Locked' and found: "
              "'Third'");
    EXPECT_EQ(shown()[0].buttons, MsgButtons::OKOnly);
    EXPECT_EQ(shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(shown()[0].title, "");
}

TEST_F(TaggedRecordReaderTest, AMismatchWarningQuotesALongTagShortened) {
    // A megabyte of tag, with a two-byte character where the cut falls.
    const std::string tag = std::string(39, 'x') + "\xE9" + std::string(1 << 20, 'y');
    auto& reader = Reader("\"" + tag + "\",\"value\"\r\n");
    EXPECT_EQ(reader.ReadFile("Title"), "value");
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].prompt,
              "warning: error parsing file in ReadFile.  Expected tag: 'Title' "
              "and found: '" +
                  std::string(39, 'x') + "...'");
}

TEST_F(TaggedRecordReaderTest, AValueThatDoesNotConvertFailsBeforeTheTagIsCompared) {
    auto& reader = Reader("\"Title\",\"x\"\r\n\"Wrong\",\"abc\"\r\n");
    reader.ReadFile("Title");
    EXPECT_EQ(ErrorOf([&] { reader.ReadFileLong("Key 1"); }),
              "Reading 'memo.vrn' stopped at line 2: the record \"Wrong\" holds \"abc\" where a "
              "whole number belongs.");
    EXPECT_TRUE(shown().empty());
}

TEST_F(TaggedRecordReaderTest, ConversionAndEndOfFileErrorsNameTheLine) {
    struct Case {
        std::string bytes;
        std::string error;
    };
    const Case cases[] = {
        {"\"Key 1\",99999999999\r\n",
         "line 1: the record \"Key 1\" holds \"99999999999\", which is not from -2147483648 to "
         "2147483647"},
        {"\"Key 1\",nan\r\n",
         "line 1: the record \"Key 1\" holds \"nan\" where a whole number belongs"},
        {"\"Key 1\",\r\n", "line 1: the record \"Key 1\" holds \"\" where a whole number belongs"},
        {"\"Key 1\",#TRUE#\r\n",
         "line 1: the record \"Key 1\" holds \"True\" where a whole number belongs"},
        {"", "line 1: the file ends where the record \"Key 1\" belongs"},
        {"\"Key 1\"", "line 1: the file ends where the record \"Key 1\" belongs"},
        {"\r\n\"Key 1\",\"4\r\nand more",
         "line 2: the file ends inside the quoted text that begins on line 2"},
    };
    for (const auto& c : cases) {
        auto& reader = Reader(c.bytes);
        EXPECT_EQ(ErrorOf([&] {
                      reader.ReadFileLong("Key 1");
                      reader.ReadFileLong("Key 1");
                  }),
                  "Reading 'memo.vrn' stopped at " + c.error + ".")
            << c.bytes;
    }
}

TEST_F(TaggedRecordReaderTest, ErrorsShowControlCharactersEscapedAndTheLineOfTheBadValue) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;
    };
    const Case cases[] = {
        {"a control character in a number",
         "\"Key 1\",1\x01"
         "2\r\n",
         "line 1: the record \"Key 1\" holds \"1\\x012\" where a whole number belongs"},
        {"a tag over two lines", "\"Key\r\n1\",\"a\x7F\"\r\n",
         "line 2: the record \"Key\\x0D\\x0A1\" holds \"a\\x7F\" where a whole number belongs"},
        {"the value on the line after its tag", "\"Key 1\"\r\nabc\r\n",
         "line 2: the record \"Key 1\" holds \"abc\" where a whole number belongs"},
        {"a value over two lines", "\r\n\"Key 1\",\"1\r\n2\"\r\n",
         "line 2: the record \"Key 1\" holds \"1\\x0D\\x0A2\" where a whole number belongs"},
        // Windows-1252 has no character at 0x81: it reads as the control character U+0081.
        {"a C1 control character", "\"Key 1\",\"\x81\x80\"\r\n",
         "line 1: the record \"Key 1\" holds \"\\x81\xE2\x82\xAC\" where a whole number belongs"},
    };
    for (const auto& c : cases) {
        auto& reader = Reader(c.bytes);
        EXPECT_EQ(ErrorOf([&] { reader.ReadFileLong("Key 1"); }),
                  "Reading 'memo.vrn' stopped at " + c.error + ".")
            << c.name;
    }

    auto& reader = Reader("\"Ti\ttle\",\"x\"\r\n\"Locked\",\"\x02\"\r\n");
    reader.ReadFile("Title");
    EXPECT_EQ(shown().back().prompt,
              "warning: error parsing file in ReadFile.  Expected tag: 'Title' and found: "
              "'Ti\\x09tle'");
    EXPECT_EQ(ErrorOf([&] { reader.ReadFileBoolean("Locked"); }),
              "Reading 'memo.vrn' stopped at line 2: the record \"Locked\" holds \"\\x02\" "
              "where True or False belongs.");
}

TEST_F(TaggedRecordReaderTest, TooManyMismatchesMakeTheFileDamaged) {
    std::string bytes;
    for (int i = 0; i < 50; ++i) {
        bytes += "\"Junk\",\"x\"\r\n";
    }
    auto& reader = Reader(bytes);
    const std::string error = ErrorOf([&] {
        for (int i = 0; i < 50; ++i) {
            reader.ReadFile("Title");
        }
    });
    EXPECT_EQ(shown().size(), static_cast<std::size_t>(TaggedRecordReader::kMaxTagWarnings));
    EXPECT_NE(error.find("stopped at line 6: the file is damaged"), std::string::npos) << error;
}

TEST_F(TaggedRecordReaderTest, UncheckedRecordsAndBareItems) {
    auto& reader = Reader(
        "\"BEGIN State\",7\r\n\"Version\",1\r\n\"Any\",#TRUE#\r\n"
        "\"Group 1\",#FALSE#,#TRUE#,42,\"+1\"\r\n\"AlternativeCount\",\"3\"\r\n");
    const auto pair = reader.ReadTagAndKey();
    EXPECT_EQ(pair.tag, "BEGIN State");
    EXPECT_EQ(pair.key, 7);
    EXPECT_EQ(reader.ReadTagAndVersion(), 1);
    EXPECT_EQ(reader.SkipRecord(), "Any");
    EXPECT_EQ(reader.ReadItemText(), "Group 1");
    EXPECT_FALSE(reader.ReadItemBoolean());
    EXPECT_TRUE(reader.ReadItemBoolean());
    EXPECT_EQ(reader.ReadItemLong(), 42);
    EXPECT_EQ(reader.ReadItemText(), "+1");
    EXPECT_EQ(reader.ReadFileNumberText("AlternativeCount", 0, 32767), 3);
    EXPECT_TRUE(shown().empty());
}

TEST_F(TaggedRecordReaderTest, RecordsAcrossTheReadBufferAndLongerThanItReadWhole) {
    // The reader takes records from a buffer of 64 KiB: short records run across each of its
    // ends, and one value is longer than the buffer.
    std::string bytes;
    std::vector<std::string> expected;
    for (int i = 0; bytes.size() < 200000; ++i) {
        std::string value = "value " + std::to_string(i);
        if (i == 2000) {
            value = std::string(100000, 'x') + ", still the value";
        }
        bytes += "\"Record\",\"" + value + "\"\r\n";
        expected.push_back(value);
    }
    bytes += "\"Last\",12345\r\n";
    auto& reader = Reader(bytes);
    for (const auto& value : expected) {
        ASSERT_EQ(reader.ReadFile("Record"), value);
    }
    EXPECT_EQ(reader.ReadFileLong("Last"), 12345);
    EXPECT_EQ(ErrorOf([&] { reader.ReadFileLong("Key 1"); }),
              "Reading 'memo.vrn' stopped at line " + std::to_string(expected.size() + 2) +
                  ": the file ends where the record \"Key 1\" belongs.");
    EXPECT_TRUE(shown().empty());
}

TEST_F(TaggedRecordReaderTest, TextConvertsToTruthValues) {
    auto& reader = Reader("");
    for (const char* yes : {"True", "true", "#TRUE#", "-1", "2"}) {
        EXPECT_TRUE(reader.TruthValueFromRecordText(yes, "Enabled")) << yes;
    }
    for (const char* no : {"False", "FALSE", "#FALSE#", "0", " 0 "}) {
        EXPECT_FALSE(reader.TruthValueFromRecordText(no, "Enabled")) << no;
    }
    EXPECT_NE(ErrorOf([&] { reader.TruthValueFromRecordText("", "Enabled"); }), "");
    EXPECT_EQ(ErrorOf([&] { reader.TruthValueFromRecordText("yes", "Enabled"); }),
              "Reading 'memo.vrn' stopped at line 1: the record \"Enabled\" holds \"yes\" where "
              "True or False belongs.");
}

}  // namespace
}  // namespace vrn::testing
