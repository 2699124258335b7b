#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "model/interfaces/report_object.h"

namespace vrn {

// A request a drawing cannot carry out: an unknown master or cell, a file that cannot be written.
class DrawingError : public std::runtime_error {
public:
    explicit DrawingError(const std::string& message) : std::runtime_error(message) {}
};

// A link on a shape. Clicking it first runs the click handler (a script call of the page that
// holds the drawing), then follows the address.
class DrawingHyperlink : public ReportObject {
public:
    virtual void setAddress(const std::string& value) = 0;
    virtual void setDescription(const std::string& value) = 0;
    virtual void setClickHandler(const std::string& script) = 0;
};

// A shape dropped on a page. Its geometry and text layout live in named cells (see
// drawing_cells.h), in drawing units: inches with y growing upwards, angles in radians.
class DrawingShape : public ReportObject {
public:
    // Both throw DrawingError for a cell the shape does not have.
    virtual double Cell(const std::string& name) const = 0;
    virtual void setCell(const std::string& name, double value) = 0;

    virtual void setText(const std::string& value) = 0;
    // A style of the drawing's template; "None" draws neither outline nor fill, only the text.
    // Throws DrawingError for a style the template lacks.
    virtual void setStyle(const std::string& name) = 0;
    // Keeps the master's own look and puts the shape in front of every other.
    virtual void BringToFront() = 0;
    virtual void SendToBack() = 0;
    virtual std::shared_ptr<DrawingHyperlink> AddHyperlink() = 0;
};

// A shape pattern of the stencil.
class DrawingMaster {
public:
    virtual ~DrawingMaster() = default;
    virtual std::string Name() const = 0;
};

// The stencil's masters, by name: "Rectangle" and "Line connector" at least.
class DrawingMasters {
public:
    virtual ~DrawingMasters() = default;
    // Throws DrawingError for a name the stencil lacks.
    virtual const DrawingMaster& Item(const std::string& name) const = 0;
};

// The stencil a drawing was opened with. The report hands it on without using it.
class DrawingStencil {
public:
    virtual ~DrawingStencil() = default;
    virtual DrawingMasters& Masters() = 0;
};

// One page of a drawing, in drawing units with y growing upwards.
class DrawingPage {
public:
    virtual ~DrawingPage() = default;

    virtual std::string Name() const = 0;
    virtual void setName(const std::string& value) = 0;
    // A new shape of `master` with its pin (its centre) at (x, y).
    virtual std::shared_ptr<DrawingShape> Drop(const DrawingMaster& master, double x, double y) = 0;
    // Moves every shape so that the drawing sits in the middle of the page.
    virtual void CenterDrawing() = 0;
    // Writes the page as one self-contained web page at `path`. Throws DrawingError when the
    // file cannot be written; an older file at `path` is then left as it was.
    virtual void Export(const std::string& path) = 0;
};

}  // namespace vrn
