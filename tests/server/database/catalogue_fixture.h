#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "tests/server/database/temporary_directory.h"

namespace kt::test {

// The error a call raises; a failure of the test when it raises none.
template <typename Call>
Error errorOf(Call&& call) {
    try {
        call();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "the call raised no error";
    return Error(0, "", "");
}

// A temporary directory to make catalogues in; the shared database object is forgotten after
// each test.
class CatalogueFixture : public ::testing::Test {
protected:
    void TearDown() override { reset_global_db(); }

    std::filesystem::path newCatalogue(const std::string& name = "catalogue.db") {
        const auto path = directory_.file(name);
        CreateCatalogue(path);
        return path;
    }

    TemporaryDirectory directory_;
};

}  // namespace kt::test
