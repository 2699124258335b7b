#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace vrn::pp {

// What a page answers the frame (the frame's own result codes).
enum class PageResult { Ok, False, Pointer, Unexpected, Fail, OutOfMemory };

// Status flags a page reports to its site.
constexpr quint32 PROPPAGESTATUS_DIRTY = 1;
constexpr quint32 PROPPAGESTATUS_CLEAN = 4;

// The frame's side of a page: it hears when the page's edits become dirty or clean.
class PropertyPageSite {
public:
    virtual ~PropertyPageSite() = default;
    virtual void OnStatusChange(quint32 flags) = 0;
};

// Opens a topic of a help file for a window.
class HelpProvider {
public:
    virtual ~HelpProvider() = default;
    virtual void showHelp(QWidget* owner, const QString& helpFile, quint32 context) = 0;
};

}  // namespace vrn::pp
