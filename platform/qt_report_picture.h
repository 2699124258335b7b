#pragma once

#include <QImage>

#include "model/reports/printed_report_picture.h"

namespace vrn {

// A captured window image as the reports take it; an empty picture for a null image.
ReportPicture toReportPicture(const QImage& image);

}  // namespace vrn
