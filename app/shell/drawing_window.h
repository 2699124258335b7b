#pragma once

#include "platform/drawing_svg_page.h"
#include "platform/drawing_template.h"
#include "platform/prompt.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLayout;
class QScrollArea;

namespace vrn {

// A generated matrix drawing in a window of its own, as large as the drawing within the screen
// and scrolled when it is larger, with Save: as an SVG drawing, or as one web page holding it.
// Save offers `proposedFile`.
class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    DrawingWindow(std::unique_ptr<SvgDrawingPage> page, std::unique_ptr<DrawingStencilFile> stencil,
                  Prompt& prompt, QString proposedFile, QWidget* parent = nullptr);
    ~DrawingWindow() override;

    const SvgDrawingPage& page() const { return *page_; }
    // Asks for a file and saves the drawing there; false when nothing was saved.
    bool Save();

private:
    // Sizes the window to the drawing, within the free area of its screen, and centres it there.
    void fitScreen(const QScrollArea& area, const QLayout& buttons);

    std::unique_ptr<SvgDrawingPage> page_;
    // The masters the page's shapes came from.
    std::unique_ptr<DrawingStencilFile> stencil_;
    Prompt& prompt_;
    QString proposedFile_;
    QLabel* picture_;
};

}  // namespace vrn
