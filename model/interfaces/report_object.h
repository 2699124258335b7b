#pragma once

namespace vrn {

// Something a report made for an element and hangs on it: a drawing shape, a hyperlink, a
// picture. The model only keeps it.
class ReportObject {
public:
    virtual ~ReportObject() = default;
};

}  // namespace vrn
