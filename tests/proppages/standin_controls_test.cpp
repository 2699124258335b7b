#include "proppages/standin/standin_balloon.h"
#include "proppages/standin/standin_button.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

namespace vrn::pp {
namespace {

QImage picture(QWidget& widget) {
    widget.resize(widget.sizeHint());
    return widget.grab().toImage();
}

// Each painted property changes the picture; the others are kept for the pages only.
TEST(StandInControls, PaintThemselvesFromTheirProperties) {
    struct Case {
        bool balloon;
        int setter;
        PropertyValue value;
    };
    const Case cases[] = {
        {false, 26, QString("Other text")},
        {false, 8, qint16{0}},
        {false, 141, qint16{0}},
        {false, 166, qint32{0}},
        {false, 162, qint16{-4}},
        {false, 107, qint16{3}},
        {true, 17, QString("Other text")},
        {true, 19, qint32{3}},
        {true, 76, qint32{2}},
        {true, 58, qint32{2}},
        {true, 96, qint32{0}},
        {true, 25, qint16{4}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QWidget> widget;
        ControlProperties* control = nullptr;
        if (c.balloon) {
            auto balloon = std::make_unique<StandInBalloon>();
            control = balloon.get();
            widget = std::move(balloon);
        } else {
            auto button = std::make_unique<StandInButton>();
            control = button.get();
            widget = std::move(button);
        }
        const QImage before = picture(*widget);
        control->set(c.setter, c.value);
        EXPECT_NE(picture(*widget), before) << (c.balloon ? "balloon " : "button ") << c.setter;
    }
}

TEST(StandInControls, AnswerOnlyForTheirOwnInterface) {
    StandInButton button;
    StandInBalloon balloon;
    EXPECT_EQ(button.QueryInterface(kIID_IButtonControl), &button);
    EXPECT_EQ(button.QueryInterface(kIID_IBalloonControl), nullptr);
    EXPECT_EQ(balloon.QueryInterface(kIID_IBalloonControl), &balloon);
    EXPECT_EQ(balloon.QueryInterface(kIID_IButtonControl), nullptr);
}

// The button over a parent of its own colour, with a solid drop shadow 3 pixels right and down:
// a transparent button's face shows the parent, also where the shadow lies under it; the other
// back styles paint a face over the shadow. The shadow beside the face shows for every style.
TEST(StandInControls, ATransparentButtonShowsItsParentThroughItsFace) {
    const QColor parentColour(0, 150, 0);
    const QColor buttonColour(250, 250, 120);
    const QColor shadowColour(20, 20, 160);
    struct Case {
        qint16 backStyle;
        bool transparent;
    };
    const Case cases[] = {{0, false}, {1, false}, {2, true}, {5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.backStyle);
        QWidget parent;
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, parentColour);
        colours.setColor(QPalette::Button, buttonColour);
        colours.setColor(QPalette::Shadow, shadowColour);
        parent.setPalette(colours);
        parent.setAutoFillBackground(true);
        parent.resize(240, 80);
        auto* button = new StandInButton(&parent);
        button->setGeometry(10, 10, 220, 60);
        button->set(141, c.backStyle);
        button->set(166, qint32{1});
        const QImage shown = parent.grab().toImage();

        // The face fills (10, 10) to (225, 65) inside its border, the shadow (13, 13) to
        // (228, 68). The points are clear of the text and of the cells' dividing line.
        const QPoint faceCorner(11, 11);         // the face, over no shadow
        const QPoint faceOverShadow(224, 64);    // the face, over the shadow
        const QPoint shadowBesideFace(228, 40);  // the shadow, beside the face
        const QColor face = c.transparent ? parentColour : buttonColour;
        if (c.backStyle != 0) {  // the grey area is a pattern: its points differ
            EXPECT_EQ(shown.pixelColor(faceCorner), face);
            EXPECT_EQ(shown.pixelColor(faceOverShadow), face);
        } else {
            EXPECT_NE(shown.pixelColor(faceOverShadow), parentColour);
        }
        EXPECT_EQ(shown.pixelColor(shadowBesideFace), shadowColour);
    }
}

TEST(StandInControls, ButtonKeepsCellSegmentAndMarginValuesApart) {
    StandInButton button;
    button.set(109, qint16{1});
    button.set(26, QString("cell 1"));
    button.set(38, qint16{2});
    button.set(34, 5.0f);
    button.set(109, qint16{0});
    EXPECT_EQ(toText(button.get(25)), "Stand-in");
    EXPECT_EQ(toFloat(button.get(33)), 0.0f);
    button.set(109, qint16{1});
    EXPECT_EQ(toText(button.get(25)), "cell 1");
    EXPECT_EQ(toShort(button.get(37)), 2);
    EXPECT_EQ(toFloat(button.get(33)), 5.0f);
}

}  // namespace
}  // namespace vrn::pp
