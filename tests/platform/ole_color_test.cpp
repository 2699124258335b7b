#include "platform/ole_color.h"

#include <gtest/gtest.h>

namespace vrn {
namespace {

TEST(OleColor, PlainColoursAreBlueGreenRed) {
    struct Case {
        qint32 ole;
        QColor color;
    };
    const Case cases[] = {
        {0x0000FF, QColor(255, 0, 0)},      {0xFF0000, QColor(0, 0, 255)},
        {0x80FF80, QColor(128, 255, 128)},  {0xFFFFC0, QColor(192, 255, 255)},
        {0x000000, QColor(0, 0, 0)},        {0xFFFFFF, QColor(255, 255, 255)},
        {oleRgb(1, 2, 3), QColor(1, 2, 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(colorFromOle(c.ole, QPalette()), c.color) << std::hex << c.ole;
        EXPECT_EQ(oleFromColor(c.color), c.ole) << std::hex << c.ole;
    }
}

TEST(OleColor, SystemColoursFollowThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::ButtonText, QColor(40, 50, 60));
    palette.setColor(QPalette::Highlight, QColor(70, 80, 90));
    palette.setColor(QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::ToolTipBase, QColor(2, 2, 2));
    struct Case {
        qint32 ole;
        QColor color;
    };
    const Case cases[] = {
        {static_cast<qint32>(0x8000000F), QColor(10, 20, 30)},  // button face
        {kOleButtonFace, QColor(10, 20, 30)},
        {static_cast<qint32>(0x80000012), QColor(40, 50, 60)},  // button text
        {static_cast<qint32>(0x8000000D), QColor(70, 80, 90)},  // highlight
        {static_cast<qint32>(0x80000005), QColor(1, 1, 1)},     // window background
        {static_cast<qint32>(0x80000018), QColor(2, 2, 2)},     // tool tip background
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(isOleSystemColor(c.ole));
        EXPECT_EQ(colorFromOle(c.ole, palette), c.color) << std::hex << c.ole;
    }
    EXPECT_FALSE(isOleSystemColor(0xFFFFFF));
}

TEST(OleColor, LongsThatAreNoColourGiveAnInvalidColour) {
    for (quint32 bits : {0x80000019u, 0x800000FFu, 0x80010000u, 0x01000000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(colorFromOle(static_cast<qint32>(bits), QPalette()).isValid())
            << std::hex << bits;
    }
    EXPECT_EQ(oleFromColor(QColor()), 0);
    EXPECT_EQ(oleFromColor(QColor(1, 2, 3, 4)), oleRgb(1, 2, 3));
}

}  // namespace
}  // namespace vrn
