#include "platform/cell_button.h"
#include "platform/cell_painter.h"
#include "platform/ole_color.h"
#include "platform/twips.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace vrn {
namespace {

TEST(CellButton, PositionAndSizeAreTwipsOnTheWidgetsPixels) {
    CellButton cell("Practice 1", nullptr);
    cell.setLeft(1500);
    cell.setTop(300);
    cell.setCellWidth(2700);
    cell.setCellHeight(600);
    EXPECT_EQ(cell.left(), 1500);
    EXPECT_EQ(cell.cellWidth(), 2700);
    const double dpiX = cell.logicalDpiX();
    const double dpiY = cell.logicalDpiY();
    EXPECT_EQ(cell.geometry(), QRect(twipsToPixels(1500, dpiX), twipsToPixels(300, dpiY),
                                     twipsToPixels(2700, dpiX), twipsToPixels(600, dpiY)));
    // A negative position is fine: a scrolled matrix moves cells off the top left.
    cell.setLeft(-450);
    EXPECT_EQ(cell.x(), twipsToPixels(-450, dpiX));
}

TEST(CellButton, RefusedValuesKeepTheOldOne) {
    CellButton cell;
    cell.setCellWidth(1000);
    cell.setFontSize(10);
    cell.setCellOrientation(CellLook::kTurned);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double width : {-1.0, nan, 1.0e8}) {
        EXPECT_THROW(cell.setCellWidth(width), std::invalid_argument) << width;
    }
    EXPECT_THROW(cell.setCellHeight(-15), std::invalid_argument);
    EXPECT_THROW(cell.setLeft(std::numeric_limits<double>::infinity()), std::invalid_argument);
    for (double size : {0.0, -3.0, 2161.0, nan}) {
        EXPECT_THROW(cell.setFontSize(size), std::invalid_argument) << size;
    }
    for (int orientation : {1, 2, 4, -1}) {
        EXPECT_THROW(cell.setCellOrientation(orientation), std::invalid_argument) << orientation;
    }
    EXPECT_EQ(cell.cellWidth(), 1000);
    EXPECT_EQ(cell.fontSize(), 10);
    EXPECT_EQ(cell.cellOrientation(), CellLook::kTurned);
    cell.setCellWidth(0);
    EXPECT_EQ(cell.cellWidth(), 0);
}

TEST(CellButton, LookCarriesEveryProperty) {
    CellButton cell("Group", nullptr);
    EXPECT_EQ(cell.backColor(), kOleButtonFace);
    cell.setBackColor(0xFFFFC0);
    cell.setFontSize(12);
    cell.setFontBold(true);
    cell.setFontItalic(true);
    cell.setFontUnderline(true);
    cell.setCellOrientation(CellLook::kTurned);
    cell.setValue(true);
    const CellLook look = cell.look();
    EXPECT_EQ(look.text, "Group");
    EXPECT_EQ(look.backColor, QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(look.fontSize, 12);
    EXPECT_TRUE(look.fontBold && look.fontItalic && look.fontUnderline);
    EXPECT_EQ(look.cellOrientation, CellLook::kTurned);
    EXPECT_TRUE(look.pressed);
    cell.setValue(false);
    EXPECT_FALSE(cell.value());
    // A system colour follows the widget's palette.
    cell.setBackColor(kOleButtonFace);
    EXPECT_EQ(cell.look().backColor, cell.palette().color(QPalette::Button));
}

TEST(CellButton, AnAmpersandIsPlainTextAndNoShortcut) {
    CellButton cell("R&D", nullptr);
    EXPECT_EQ(cell.text(), "R&D");
    EXPECT_EQ(cell.look().text, "R&D");
    EXPECT_TRUE(cell.shortcut().isEmpty());
    cell.setText("&File");
    EXPECT_EQ(cell.text(), "&File");
    EXPECT_TRUE(cell.shortcut().isEmpty());
}

TEST(CellButton, APressHoldsValueAndAReleaseClicks) {
    CellButton cell("Push", nullptr);
    cell.setCellWidth(1500);
    cell.setCellHeight(450);
    QSignalSpy clicked(&cell, &CellButton::clicked);
    QTest::mousePress(&cell, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(cell.value());
    QTest::mouseRelease(&cell, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(cell.value());
    EXPECT_EQ(clicked.count(), 1);
}

// Calls visit(x, y, colour) for every pixel of `image` inside the bevel.
template <class Visit>
void forEachInnerPixel(const QImage& image, Visit&& visit) {
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            visit(x, y, image.pixelColor(x, y));
        }
    }
}

// The box around the pixels that differ from the back colour, inside the bevel.
QRect inkBox(const QImage& image, const QColor& back) {
    QRect box;
    forEachInnerPixel(image, [&](int x, int y, const QColor& pixel) {
        if (pixel != back) {
            box |= QRect(x, y, 1, 1);
        }
    });
    return box;
}

QImage paintedCell(const QSize& size, const CellLook& look) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintCell(painter, QRectF(QPointF(0, 0), size), look, QPalette());
    return image;
}

// A cell showing a row of wide letters at 12 points on `back`.
CellLook lettersOn(const QColor& back) {
    CellLook look;
    look.text = "WWWWWW";
    look.backColor = back;
    look.fontSize = 12;
    return look;
}

TEST(CellPainter, FillsTheBackColourAndTurnsTextForAColumn) {
    CellLook look = lettersOn(QColor(255, 0, 0));

    const QImage along = paintedCell(QSize(200, 200), look);
    EXPECT_EQ(along.pixelColor(5, 5), look.backColor);
    const QRect alongInk = inkBox(along, look.backColor);
    ASSERT_FALSE(alongInk.isEmpty());
    EXPECT_GT(alongInk.width(), alongInk.height());

    look.cellOrientation = CellLook::kTurned;
    const QRect turnedInk = inkBox(paintedCell(QSize(200, 200), look), look.backColor);
    ASSERT_FALSE(turnedInk.isEmpty());
    EXPECT_GT(turnedInk.height(), turnedInk.width());
    EXPECT_NEAR(turnedInk.height(), alongInk.width(), 2);
}

TEST(CellPainter, APressedCellIsSunken) {
    CellLook look;
    look.backColor = QColor(0, 0, 255);
    const QPalette palette;
    const QImage raised = paintedCell(QSize(40, 20), look);
    look.pressed = true;
    const QImage sunken = paintedCell(QSize(40, 20), look);
    EXPECT_EQ(raised.pixel(0, 0), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(sunken.pixel(0, 0), palette.color(QPalette::Dark).rgb());
}

TEST(CellPainter, TextTakesTheColourThatReadsBestOnItsBack) {
    struct Case {
        QColor back;
        QColor text;
    };
    const Case cases[] = {
        {QColor(0, 0, 255), Qt::white},  // the answer in force in the guided questions
        {QColor(255, 0, 0), Qt::white},  // the question without a colour of its own
        {QColor(0, 0, 0), Qt::white},
        {QColor(128, 128, 128), Qt::white},  // the blank row colour
        {QColor(255, 255, 255), Qt::black},
        {QColor(192, 255, 255), Qt::black},  // the practice colour
        {QColor(255, 255, 0), Qt::black},    // the highlight colour
        {QColor(128, 255, 128), Qt::black},  // the user's highlight
        {QColor(207, 207, 207), Qt::black},  // the form background
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readableTextColor(c.back, Qt::darkGreen), c.text) << c.back.name().toStdString();
    }
    // The palette's own face keeps the palette's own text colour, whatever the theme.
    EXPECT_EQ(readableTextColor(QColor(), Qt::darkGreen), QColor(Qt::darkGreen));
}

TEST(CellPainter, TextOnBlueIsPaintedWhite) {
    const QImage image = paintedCell(QSize(200, 60), lettersOn(QColor(0, 0, 255)));
    int white = 0;
    int dark = 0;
    forEachInnerPixel(image, [&](int, int, const QColor& pixel) {
        white += pixel == QColor(Qt::white) ? 1 : 0;
        dark += pixel.red() < 40 && pixel.green() < 40 && pixel.blue() < 40 ? 1 : 0;
    });
    EXPECT_GT(white, 20);
    EXPECT_EQ(dark, 0);
}

}  // namespace
}  // namespace vrn
