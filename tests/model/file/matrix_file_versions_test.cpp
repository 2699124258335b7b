#include <gtest/gtest.h>

#include <sstream>

#include "model/file/matrix_file_error.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

class MatrixFileVersionsTest : public FileFixture {
protected:
    // The error that reading `bytes` into a new document raises; the document goes to `read`.
    MatrixFileError ReadError(const std::string& bytes, std::shared_ptr<VRN_Matrix>& read) {
        read = EmptyDocument();
        try {
            bool directions = false;
            std::stringbuf source(bytes);
            read->Read(source, "test.vrn", &window, directions, context());
        } catch (const MatrixFileError& error) {
            return error;
        }
        ADD_FAILURE() << "the read did not fail";
        return MatrixFileError("");
    }

    MatrixFileError ImportError(VRN_Matrix& document, const std::string& bytes) {
        try {
            std::stringbuf source(bytes);
            document.ImportAlternatives(source, "other.vrn");
        } catch (const MatrixFileError& error) {
            return error;
        }
        ADD_FAILURE() << "the import did not fail";
        return MatrixFileError("");
    }

    void Import(VRN_Matrix& document, const std::string& bytes) {
        std::stringbuf source(bytes);
        document.ImportAlternatives(source, "other.vrn");
    }
};

TEST_F(MatrixFileVersionsTest, AVersion1FileReads) {
    const auto document = ReadDocument(ReadBytes(DataFile("version1.vrn")));
    EXPECT_EQ(document->version, 1);
    EXPECT_EQ(document->Key, 1);

    const auto& existing = *document->Existing();
    EXPECT_FALSE(existing.horizontal);
    ASSERT_EQ(existing.PGroups.Count(), 1);
    const auto group = existing.PGroups.Item(1);
    EXPECT_EQ(group->Name(), "Old group");
    EXPECT_TRUE(group->fontbold());
    EXPECT_EQ(group->Key, 3);
    ASSERT_EQ(existing.Practices.Count(), 2);
    const auto a = existing.Practices.Item(1);
    const auto b = existing.Practices.Item(2);
    EXPECT_EQ(a->Name(), "Old practice A");
    EXPECT_EQ(a->importanceText(), "+1");
    EXPECT_EQ(b->Key, 5);
    EXPECT_TRUE(b->FontItalic() == false && b->fontbold());
    ASSERT_EQ(existing.Interactions.Count(), 1);
    EXPECT_EQ(existing.Interactions.Item(1)->Value(), "+");
    EXPECT_TRUE(Links(*existing.Interactions.Item(1), *a, *b));
    EXPECT_TRUE(existing.Interactions.Item(1)->Display->Visible());

    ASSERT_EQ(document->Alt_count, 1);
    const auto target = document->alternative(1)->Practices.Item(1);
    EXPECT_TRUE(target->horizontal);
    EXPECT_EQ(target->importanceText(), "-2");
    ASSERT_EQ(document->Interactions.Count(), 2);
    EXPECT_EQ(document->Interactions.Item(1)->Value(), "-");
    EXPECT_TRUE(Links(*document->Interactions.Item(2), *target, *b));
    EXPECT_TRUE(messages.shown().empty());

    // Saved again it becomes a version 3 file that reads back the same.
    const auto again = ReadDocument(SavedBytes(*document));
    EXPECT_EQ(again->version, 3);
    EXPECT_EQ(DocumentSnapshot(*again), DocumentSnapshot(*document));
}

TEST_F(MatrixFileVersionsTest, OtherVersionsAreRefusedWithTheLoadMessage) {
    for (const char* version : {"4", "5", "2", "0", "-1"}) {
        std::shared_ptr<VRN_Matrix> document;
        const auto error = ReadError(
            std::string("\"Version\",") + version + "\r\n\"BEGIN Matrix\",1\r\n", document);
        EXPECT_EQ(std::string(error.what()),
                  "This file is written in a format that this program does not know how to open "
                  "correctly.  You may need to obtain an update of VRN to process this file.  "
                  "Visit the VRN web site:  'https://www.varnel.example/' for the latest "
                  "information.")
            << version;
        EXPECT_EQ(error.title(), "Can't perform load");
        EXPECT_EQ(error.icon(), MsgIcon::Critical);
        EXPECT_TRUE(document->Invalid_version) << version;
        EXPECT_TRUE(document->Alternatives_col.Empty());
        EXPECT_TRUE(window.cells().empty());
        EXPECT_TRUE(messages.shown().empty());  // the caller shows the error
    }
}

TEST_F(MatrixFileVersionsTest, ImportAddsTheOtherFilesAlternativesLinkedToEveryExistingPractice) {
    const auto document = NewDocument(1);
    const int crossBefore = document->Interactions.Count();
    Import(*document, ReadBytes(DataFile("two_alternatives.vrn")));

    EXPECT_EQ(document->Alt_count, 3);
    EXPECT_EQ(document->alternative(1)->Name, "Target Practices: Alternative 1");
    EXPECT_EQ(document->alternative(2)->Name, "Imported A");
    EXPECT_EQ(document->alternative(3)->Name, "Imported B");
    EXPECT_EQ(document->Alt_i, 1);
    EXPECT_TRUE(document->alternative(1)->Active);
    EXPECT_FALSE(document->alternative(2)->Active);
    EXPECT_FALSE(document->alternative(3)->Active);
    EXPECT_FALSE(document->importing_alternative);
    EXPECT_EQ(document->version, 3);

    const auto& existing = document->Existing()->Practices;
    for (int a = 2; a <= 3; ++a) {
        const auto& imported = *document->alternative(a);
        EXPECT_EQ(imported.partOf.lock(), document);
        ASSERT_EQ(imported.Practices.Count(), 3);
        for (const auto& practice : imported.Practices) {
            EXPECT_TRUE(practice->horizontal);
            for (const auto& old : existing) {
                EXPECT_EQ(CountLinks(document->Interactions, *practice, *old), 1);
            }
        }
        // Interactions inside an imported state come from the file and stay in it.
        ASSERT_EQ(imported.Interactions.Count(), 3);
        for (const auto& interaction : imported.Interactions) {
            EXPECT_TRUE(imported.Practices.Contains(interaction->Practice1.lock().get()));
            EXPECT_TRUE(imported.Practices.Contains(interaction->practice2.lock().get()));
        }
    }
    EXPECT_EQ(document->Interactions.Count(), crossBefore + 2 * 3 * 3);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MatrixFileVersionsTest, ImportRefusesOtherVersionsAndChangesNothing) {
    struct Case {
        const char* version;
        const char* text;
        const char* title;
        MsgIcon icon;
    };
    const Case cases[] = {
        {"1", "The file format openned does not support alternatives   ", "", MsgIcon::None},
        {"4",
         "The file is written in a format that this program does not know how to open "
         "correctly. ",
         "Can't perform import.", MsgIcon::Critical},
        {"2",
         "The file is written in a format that this program does not know how to open "
         "correctly. ",
         "Can't perform import.", MsgIcon::Critical},
    };
    for (const auto& c : cases) {
        const auto document = NewDocument(1);
        SavedBytes(*document);
        const auto before = DocumentSnapshot(*document);
        const auto error = ImportError(*document, std::string("\"Version\",") + c.version + "\r\n");
        EXPECT_EQ(std::string(error.what()), c.text);
        EXPECT_EQ(error.title(), c.title);
        EXPECT_EQ(error.icon(), c.icon);
        EXPECT_EQ(DocumentSnapshot(*document), before);
        EXPECT_EQ(document->version, 0);
    }
}

TEST_F(MatrixFileVersionsTest, AFailedImportLeavesTheDocumentAsItWas) {
    const auto document = NewDocument(1);
    SavedBytes(*document);
    const auto before = DocumentSnapshot(*document);
    const std::string file = ReadBytes(DataFile("two_alternatives.vrn"));
    // Cut inside the second imported state, after its first practice.
    const auto cut = file.find("\"END Practice\"", file.find("\"State Name\",\"Imported B\""));
    ASSERT_NE(cut, std::string::npos);
    const std::size_t cellsBefore = window.interactionCells().size();

    const auto error = ImportError(*document, file.substr(0, cut + 10));
    EXPECT_NE(std::string(error.what()).find("Reading 'other.vrn' stopped at line"),
              std::string::npos)
        << error.what();
    EXPECT_EQ(error.title(), "Can't perform import.");
    EXPECT_EQ(DocumentSnapshot(*document), before);
    EXPECT_FALSE(document->importing_alternative);
    // The cells the import handed out are hidden again.
    for (std::size_t i = cellsBefore; i < window.interactionCells().size(); ++i) {
        EXPECT_FALSE(window.interactionCells()[i].control->Visible());
    }
}

}  // namespace
}  // namespace vrn::testing
