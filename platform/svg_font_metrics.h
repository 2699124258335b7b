#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <string>
#include <string_view>

#include "model/reports/drawing_text.h"

namespace vrn {

// Measures a drawing's text with Qt's metrics of the font its SVG names. `families` is the SVG's
// font-family list ("DejaVu Sans, Arial, sans-serif"); the first installed family of it is
// measured, as a renderer picks it. Measures are taken unhinted at a large size and scaled, so
// they hold at every size and zoom, as an SVG renderer lays text out.
class SvgFontMetrics : public DrawingTextMeasure {
public:
    explicit SvgFontMetrics(const std::string& families);

    double Width(std::string_view text, double points) const override;
    double Ascent(double points) const override;
    double Descent(double points) const override;

    // The family measured.
    QString family() const;

private:
    QFont font_;
    QFontMetricsF metrics_;
};

}  // namespace vrn
