#include "app/shell/command_line.h"
#include "app/shell/window_names.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(CommandLine, ArgumentsAreOneFileNameWithOneQuoteRemovedAtEachEnd) {
    struct Case {
        QStringList arguments;
        QString commandLine;
        QString fileName;
    };
    const Case cases[] = {
        {{}, "", ""},
        {{"/data/plan.vrn"}, "/data/plan.vrn", "/data/plan.vrn"},
        {{"\"/data/my plan.vrn\""}, "\"/data/my plan.vrn\"", "/data/my plan.vrn"},
        // A name the shell split at its blank comes back whole.
        {{"/data/my", "plan.vrn"}, "/data/my plan.vrn", "/data/my plan.vrn"},
        {{"\"/data/my", "plan.vrn\""}, "\"/data/my plan.vrn\"", "/data/my plan.vrn"},
        // Only the first and the last character are looked at.
        {{"\"plan.vrn"}, "\"plan.vrn", "plan.vrn"},
        {{"plan.vrn\""}, "plan.vrn\"", "plan.vrn"},
        {{"\"\"plan.vrn\"\""}, "\"\"plan.vrn\"\"", "\"plan.vrn\""},
        {{"a\"b"}, "a\"b", "a\"b"},
        {{"\""}, "\"", ""},
        {{"\"\""}, "\"\"", ""},
        {{" lead and trail "}, " lead and trail ", " lead and trail "},
    };
    for (const Case& c : cases) {
        const QString commandLine = joinCommandLine(c.arguments);
        EXPECT_EQ(commandLine, c.commandLine) << c.arguments.join('|').toStdString();
        EXPECT_EQ(commandLineFileName(commandLine), c.fileName) << commandLine.toStdString();
    }
}

TEST(WindowNames, NewDocumentsAreNumberedAndNamedWithoutAColon) {
    struct Case {
        QString baseName;
        int n;
        QString fileName;
    };
    const Case cases[] = {
        {"Document 1", 1, "Document_1_1"},
        {"Document 2", 2, "Document_2_2"},
        {"Sales and Marketing Practices Group", 1, "Sales_and_Marketing_Prac_1"},
        {"Sales and Marketing Practices Group", 12, "Sales_and_Marketing_Prac_12"},
        {"exactly twenty-four char", 3, "exactly_twenty-four_char_3"},
        {"twenty-five characters!!!", 3, "twenty-five_characters!!_3"},
        {"  two  blanks  ", 7, "__two__blanks___7"},
        {"", 4, "_4"},
        {"C:\\groups\\Finance", 5, "C:\\groups\\Finance_5"},
        // A character of two code units is never cut in half.
        {QString(23, 'x') + QString::fromUtf8("\U0001F600"), 1, QString(23, 'x') + "_1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(generatedFileName(c.baseName, c.n), c.fileName) << c.baseName.toStdString();
    }
    EXPECT_EQ(documentCaption(1), "Document 1");
    EXPECT_EQ(documentCaption(10), "Document 10");
}

}  // namespace
}  // namespace vrn
