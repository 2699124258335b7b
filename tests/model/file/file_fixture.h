#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "tests/model/document_fixture.h"
#include "tests/model/file/document_snapshot.h"
#include "tests/support/saved_bytes.h"

namespace vrn::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The permission bits of the file `path` names.
inline mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

inline std::filesystem::path DataFile(const std::string& name) {
    return std::filesystem::path(VRN_TEST_DATA_DIR) / name;
}

// Documents written and read in memory or in a folder of their own, removed afterwards.
class FileFixture : public DocumentFixture {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("vrn-file-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Saves `document` to `path` through a file number, as the program does.
    static void SaveTo(VRN_Matrix& document, const std::filesystem::path& path,
                       bool unlocked = false) {
        std::int16_t file = 0;
        document.OpenFile(path.string(), file, "Output");
        document.Save(file, unlocked);
        document.CloseFile(file);
    }

    // The names of everything in the folder, or in `in`.
    std::vector<std::filesystem::path> FolderContents() const { return FolderContents(folder); }
    static std::vector<std::filesystem::path> FolderContents(const std::filesystem::path& in) {
        std::vector<std::filesystem::path> contents;
        for (const auto& entry : std::filesystem::directory_iterator(in)) {
            contents.push_back(entry.path().filename());
        }
        return contents;
    }

    // A new document that has not read anything, as File > Open makes one.
    static std::shared_ptr<VRN_Matrix> EmptyDocument(bool noDisplay = false) {
        auto document = std::make_shared<VRN_Matrix>();
        document->No_Display = noDisplay;
        return document;
    }

    // Reads `bytes` into a new document, on the recording window unless `noDisplay`.
    std::shared_ptr<VRN_Matrix> ReadDocument(const std::string& bytes, bool noDisplay = false) {
        auto document = EmptyDocument(noDisplay);
        bool directions = false;
        std::stringbuf source(bytes);
        document->Read(source, "test.vrn", noDisplay ? nullptr : &window, directions, context());
        return document;
    }

    // A document with a bit of everything the file holds: texts with quotes, commas, line
    // breaks and accents, system colours, a blank group, option groups with and without options,
    // fonts, importance, interaction values and notes; locked, on a 7200 by 9600 window.
    std::shared_ptr<VRN_Matrix> RichDocument() {
        auto document = NewDocument(2);
        window.setHeight(7200);
        window.setWidth(9600);
        document->title = "The \"big\" change, phase 2";
        document->Authors = "Ann, Bob";
        document->Assignment = "Line 1\r\nLine 2";
        document->Modified = "2024-05-01";
        document->Sources =
            "caf\xC3\xA9 \xE2\x82\xAC"
            "5";
        document->Distribution = "Team";
        document->locked = true;
        document->Locktype = "password";
        document->Keyvalue = "k3y";
        document->footer = "Confidential";
        document->Directions = "Read me first";
        document->Description = "A matrix\nwith LF only";

        auto& existing = *document->Existing();
        existing.Description = "Where we are";
        const auto group = existing.PGroups.Item(1);
        group->setFontbold(true);
        group->setFontUnderlined(true);
        group->color = 0xC0FFEE;
        const auto first = group->PracticeParts.Item(1);
        first->setName("Hire: \"fast\", train later");
        first->Importance->setText("+2");
        first->color = static_cast<std::int32_t>(0x80000005);
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create("How?", first, &window);
        options->Prompt = "Pick one";
        options->Enabled = true;
        options->setDescription("Ways to hire");
        for (const char* name : {"Slowly", "Quickly"}) {
            auto option = std::make_shared<VRN_Option>();
            option->Create(name, options, &window);
            option->color = 255;
        }
        const auto second = group->PracticeParts.Item(2);
        second->setDescription("Line one\r\nLine two");
        second->Discussion = "caf\xC3\xA9 \xE2\x82\xAC";
        second->Importance->setText("-1");
        group->AddBlankPracticeGroup();

        const auto target = document->alternative(1)->PGroups.Item(1);
        target->setFontItalic(true);
        std::make_shared<VRN_Optiongroup>()->Create("Nothing to choose",
                                                    target->PracticeParts.Item(1), &window);

        const auto& inside = existing.Interactions.Item(1);
        inside->setValue("+");
        inside->setNote("Note, with comma");
        inside->setDescription("Why");
        inside->setDiscussion("Talk");
        inside->color = 0xFF;
        document->Interactions.Item(1)->setValue("-");
        document->Interactions.Item(2)->setValue("?");
        document->Interactions.Item(3)->color = static_cast<std::int32_t>(0x8000000F);
        return document;
    }

    std::filesystem::path folder;
};

}  // namespace vrn::testing
