#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/reports/drawing_page.h"

namespace vrn::testing {

// A link as the drawing received it.
class RecordingHyperlink : public DrawingHyperlink {
public:
    void setAddress(const std::string& value) override { address = value; }
    void setDescription(const std::string& value) override { description = value; }
    void setClickHandler(const std::string& script) override { clickHandler = script; }

    std::string address;
    std::string description;
    std::string clickHandler;
};

// A shape that keeps what was done to it. It has the cells a matrix drawing uses, with a
// rectangle master's defaults; any other cell name fails as an unknown cell does.
class RecordingShape : public DrawingShape {
public:
    RecordingShape(std::string master, double x, double y);

    double Cell(const std::string& name) const override;
    void setCell(const std::string& name, double value) override;
    void setText(const std::string& value) override { text = value; }
    void setStyle(const std::string& name) override { style = name; }
    void BringToFront() override { ++broughtToFront; }
    void SendToBack() override { ++sentToBack; }
    std::shared_ptr<DrawingHyperlink> AddHyperlink() override;

    std::string master;
    std::map<std::string, double> cells;
    std::string text;
    std::string style;  // empty: never set
    int broughtToFront = 0;
    int sentToBack = 0;
    std::vector<std::shared_ptr<RecordingHyperlink>> links;
};

// A page, its stencil and the stencil's masters in one: records every shape dropped, in order.
class RecordingDrawing : public DrawingPage, public DrawingMasters, public DrawingStencil {
public:
    std::string Name() const override { return name_; }
    void setName(const std::string& value) override { name_ = value; }
    std::shared_ptr<DrawingShape> Drop(const DrawingMaster& master, double x, double y) override;
    void CenterDrawing() override { calls.push_back("CenterDrawing"); }
    // Records the path; fails with DrawingError after failExports().
    void Export(const std::string& path) override;

    const DrawingMaster& Item(const std::string& name) const override;
    DrawingMasters& Masters() override { return *this; }

    void failExports() { failExports_ = true; }

    // The shapes of one master, in drop order.
    std::vector<std::shared_ptr<RecordingShape>> shapesOf(const std::string& master) const;
    // The shapes showing `text`, in drop order.
    std::vector<std::shared_ptr<RecordingShape>> shapesWithText(const std::string& text) const;

    std::vector<std::shared_ptr<RecordingShape>> shapes;
    std::vector<std::string> calls;  // "CenterDrawing", "Export <path>"

private:
    class Master : public DrawingMaster {
    public:
        explicit Master(std::string name) : name_(std::move(name)) {}
        std::string Name() const override { return name_; }

    private:
        std::string name_;
    };

    std::string name_;
    bool failExports_ = false;
    Master rectangle_{"Rectangle"};
    Master connector_{"Line connector"};
};

}  // namespace vrn::testing
