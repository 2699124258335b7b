#include "app/matrixwin/scene_cell.h"
#include "app/matrixwin/scene_fixed_control.h"
#include "model/vrn_matrix.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/cell_painter.h"
#include "tests/app/shell/main_window_fixture.h"

#include <QFontMetricsF>

#include <functional>

namespace vrn::testing {
namespace {

// What a cell's text needs against the room it has: it must fit whole or, shortened, in whole
// lines that each fit, with the whole text as the tool tip.
void expectFits(const QRectF& rect, const CellLook& look, const QString& toolTip) {
    SCOPED_TRACE(look.text.toStdString());
    const QSizeF space = cellTextSpace(rect, look);
    const CellTextFit fit = fitCellText(cellFont(QApplication::font(), look), space, look.text);
    const QFontMetricsF metrics(fit.font);
    EXPECT_GE(fit.font.pointSizeF(), 6.0);
    if (!fit.elided) {
        const QRectF needed = metrics.boundingRect(QRectF(0, 0, space.width(), 1e6),
                                                   Qt::AlignCenter | Qt::TextWordWrap, fit.shown);
        EXPECT_LE(needed.width(), space.width() + 0.5);
        EXPECT_LE(needed.height(), space.height() + 0.5);
        EXPECT_TRUE(toolTip.isEmpty());
        return;
    }
    const QStringList lines = fit.shown.split(QLatin1Char('\n'));
    EXPECT_LE(lines.size() * metrics.lineSpacing(), space.height() + metrics.lineSpacing() / 2);
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), space.width() + 0.5) << line.toStdString();
    }
    EXPECT_TRUE(fit.shown.contains(QChar(0x2026))) << fit.shown.toStdString();
    EXPECT_EQ(toolTip, look.text);
}

class CellTextFitTest : public MainWindowFixture {
protected:
    CellTextFitTest() { load(); }

    VRN_Matrix& document() { return *activeWindow().base(); }

    // Every cell and the target title of the window as drawn now; `whole` lists texts that
    // must show whole.
    void expectEveryCellFits(const QStringList& whole) {
        frmMatrix& window = activeWindow();
        window.Redraw();
        for (int i = 1; i <= window.groupCellCount(); ++i) {
            const SceneCell& cell = window.btnGroup(i);
            if (!cell.drawn()) {
                continue;
            }
            expectFits(cell.paintRect(), cell.look(), cell.toolTip());
            if (whole.contains(cell.look().text)) {
                EXPECT_TRUE(cell.toolTip().isEmpty()) << cell.look().text.toStdString();
            }
        }
        const auto& title = dynamic_cast<const SceneFixedControl&>(window.btnTarget());
        ASSERT_TRUE(title.drawn());
        const QRectF rect = title.paintRect();
        expectFits(rect,
                   CellLook{.text = QString::fromStdString(title.text()),
                            .cellOrientation = rect.height() > 2 * rect.width() ? CellLook::kTurned
                                                                                : CellLook::kAlong,
                            .fontSize = title.fontsize()},
                   title.toolTip());
        EXPECT_TRUE(title.toolTip().isEmpty());
    }
};

TEST_F(CellTextFitTest, TextsFitTheirCellsAtTheDefaultSizesAndTheTitleStaysInside) {
    const QString longName =
        QString(QStringLiteral("Cross-functional planning of the yearly budget "
                               "with every team"))
            .left(60);
    ASSERT_EQ(longName.size(), 60);
    struct Case {
        const char* what;
        std::function<void(VRN_Matrix&)> change;
        QStringList whole;
    };
    const Case cases[] = {
        {"the default names",
         [](VRN_Matrix&) {},
         {"Existing Practices Group", "Target Practices: Alternative 1 Group",
          "Existing Practice 1", "New Practice 1"}},
        {"a 60-character practice name",
         [&longName](VRN_Matrix& m) {
             m.Existing()->Practices.Item(1)->setName(longName.toStdString());
             m.alternative()->Practices.Item(1)->setName(longName.toStdString());
         },
         {}},
        {"a one-practice group",
         [](VRN_Matrix& m) {
             for (const auto& state : {m.Existing(), m.alternative()}) {
                 state->PGroups.Item(1)->setName("Operations");
                 while (state->Practices.Count() > 1) {
                     state->Practices.Item(state->Practices.Count())->Delete();
                 }
             }
         },
         // A word longer than the square band is shortened, never cut.
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change(document());
        expectEveryCellFits(c.whole);
        // The title frame stays inside the drawing, below its top.
        const WindowControl& frame = activeWindow().FrameDescription();
        EXPECT_GE(frame.top(), document().top);
        EXPECT_GE(dynamic_cast<const ScenePaintable&>(frame).paintRect().top(), 0);
    }
}

}  // namespace
}  // namespace vrn::testing
