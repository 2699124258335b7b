#include "server/database/exclusive_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/server/database/temporary_directory.h"

namespace kt {
namespace {

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExclusiveFile : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& name, const std::string& contents) {
        const auto path = directory_.file(name);
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

    test::TemporaryDirectory directory_;
};

TEST_F(ExclusiveFile, CreatesOnlyWhereNoFileIs) {
    const auto fresh = directory_.file("fresh.db");
    EXPECT_FALSE(createExclusively(fresh));
    EXPECT_TRUE(std::filesystem::is_empty(fresh));

    const auto taken = write("taken.db", "keep me");
    EXPECT_EQ(createExclusively(taken), std::errc::file_exists);
    EXPECT_EQ(createExclusively(fresh), std::errc::file_exists);
    EXPECT_EQ(contentsOf(taken), "keep me");
}

TEST_F(ExclusiveFile, PublishesUnderAFreeNameAndNeverOverAFile) {
    const auto finished = write("finished.tmp", "new catalogue");
    const auto taken = write("taken.db", "keep me");
    EXPECT_EQ(publishWithoutReplacing(finished, taken), std::errc::file_exists);
    EXPECT_EQ(contentsOf(taken), "keep me");
    EXPECT_EQ(contentsOf(finished), "new catalogue");

    const auto free = directory_.file("free.db");
    EXPECT_FALSE(publishWithoutReplacing(finished, free));
    EXPECT_EQ(contentsOf(free), "new catalogue");
    EXPECT_FALSE(std::filesystem::exists(finished));
}

}  // namespace
}  // namespace kt
