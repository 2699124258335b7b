#include "platform/file_filter.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(FileFilter, PairsBecomeQtNameFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"*.vrn|*.vrn|All Files (*.*)|*.*", {"*.vrn (*.vrn)", "All Files (*)"}},
        {"Vrn-Matrix (*.vrn)|*.vrn|All Files (*.*)|*.*", {"Vrn-Matrix (*.vrn)", "All Files (*)"}},
        {"All Files (*.*)|*.*", {"All Files (*)"}},
        {"Pictures|*.png;*.bmp", {"Pictures (*.png *.bmp)"}},
        {"Text|", {"Text (*)"}},
        {"Lone description", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qtNameFilters(c.filter), c.expected) << c.filter;
    }
}

TEST(FileFilter, ANameFilterGivesTheExtensionOfItsFirstPattern) {
    const std::pair<const char*, const char*> cases[] = {
        {"Web Page (*.html)", "html"},
        {"*.vrn (*.vrn)", "vrn"},
        {"Pictures (*.png *.bmp)", "png"},
        {"Any drawing (*.s* *.svg)", "svg"},
        {"All Files (*)", ""},
        {"*.doc", "doc"},
    };
    for (const auto& [filter, suffix] : cases) {
        EXPECT_EQ(nameFilterSuffix(filter), suffix) << filter;
    }
}

}  // namespace
}  // namespace vrn
