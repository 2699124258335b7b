#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/reports/report_printer.h"

namespace vrn::testing {

// A printer with fixed metrics that records what is drawn. A character is `kCharWidthPerPoint`
// twips wide per point of font size (bold or not), a line `kLineHeightPerPoint` twips a point.
// The page is Letter without unprintable edges unless a test sets another size.
class RecordingPrinter : public ReportPrinter {
public:
    static constexpr double kCharWidthPerPoint = 10;
    static constexpr double kLineHeightPerPoint = 20;
    static constexpr double kLetterWidth = 12240;
    static constexpr double kLetterHeight = 15840;

    struct Text {
        int page = 0;
        double x = 0;
        double y = 0;
        std::string text;
        PrinterFont font;
    };
    struct Box {
        int page = 0;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    struct Picture {
        int page = 0;
        double x = 0, y = 0, width = 0, height = 0;
        PageOrientation orientation = PageOrientation::Portrait;
    };

    void setPageSize(double width, double height) {
        width_ = width;
        height_ = height;
    }
    // The next text drawn that contains `fragment` throws PrinterError instead.
    void failOnText(std::string fragment) { failOn_ = std::move(fragment); }
    void failOnEndDoc() { failEndDoc_ = true; }

    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<Picture>& pictures() const { return pictures_; }
    int pagesStarted() const { return pagesStarted_; }
    int jobsEnded() const { return jobsEnded_; }
    // The texts drawn, in order.
    std::vector<std::string> textStrings() const;
    // The first text drawn that equals `text`; none when there is none.
    std::optional<Text> find(const std::string& text) const;

    static constexpr const char* kDate = "12/31/2026";

protected:
    double pageWidth() const override;
    double pageHeight() const override;
    double measureWidth(const PrinterFont& font, std::string_view line) const override;
    double lineHeight(const PrinterFont& font) const override;
    void drawText(const PrinterFont& font, double x, double y, std::string_view line) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    void drawPicture(const ReportPicture& picture, double x, double y, double width,
                     double height) override;
    void changeOrientation(PageOrientation) override {}
    void startNextPage() override { ++pagesStarted_; }
    void endDocument() override;
    std::string shortDateText() const override { return kDate; }

private:
    double width_ = kLetterWidth;
    double height_ = kLetterHeight;
    std::optional<std::string> failOn_;
    bool failEndDoc_ = false;
    std::vector<Text> texts_;
    std::vector<Box> boxes_;
    std::vector<Picture> pictures_;
    int pagesStarted_ = 0;
    int jobsEnded_ = 0;
};

}  // namespace vrn::testing
