#include "platform/qt_report_picture.h"

#include <cstring>

namespace vrn {

ReportPicture toReportPicture(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    ReportPicture picture{argb.width(), argb.height(), {}};
    picture.Pixels.resize(static_cast<std::size_t>(argb.width()) *
                          static_cast<std::size_t>(argb.height()));
    const auto rowBytes = static_cast<std::size_t>(argb.width()) * sizeof(std::uint32_t);
    for (int y = 0; y < argb.height(); ++y) {
        std::memcpy(picture.Pixels.data() + static_cast<std::size_t>(y) * argb.width(),
                    argb.constScanLine(y), rowBytes);
    }
    return picture;
}

}  // namespace vrn
