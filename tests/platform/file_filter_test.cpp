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

}  // namespace
}  // namespace vrn
