#pragma once

#include "proppages/control_interfaces.h"
#include "proppages/page_dialog.h"
#include "proppages/page_site.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class QRect;

namespace vrn::pp {

// Who a page is: its class identifier and registration stem, its strings, its help context, the
// size of its dialog in dialog units, and the control interface it edits.
struct PageIdentity {
    QUuid clsid;
    QString progIdStem;
    quint32 titleString = 0;
    quint32 docString = 0;
    quint32 helpContext = 0;
    QSize dialogUnits;
    QUuid controlIid;
    int windowSlot = 0;
};

// What GetPageInfo reports.
struct PageInfo {
    QSize size;
    QString title;
    QString helpFile;
    QString docString;
    quint32 helpContext = 0;
};

// What every property page shares: the frame's site, the selected objects, the dirty and
// loading flags, the dialog's life, help, and the rules for reloading the dialog from the first
// selected control. Each page adds its dialog, the lists of its combo boxes, how it fills the
// dialog from a control (InitControls) and how it writes the dialog into the controls.
class CzvPropPageBase : public QObject {
    Q_OBJECT
public:
    // The frame's Help button; help asked while it has the focus opens the page's topic.
    static constexpr int kFrameHelpButtonId = 9;
    // Control help contexts above this one are not a control's own.
    static constexpr quint32 kLastControlHelpContext = 10000;

    explicit CzvPropPageBase(PageIdentity identity);
    ~CzvPropPageBase() override;

    PageResult SetPageSite(PropertyPageSite* site);
    PageResult Activate(QWidget* parent, const QRect* rect, bool modal);
    PageResult Deactivate();
    PageResult GetPageInfo(PageInfo* info) const;
    PageResult SetObjects(quint32 count, const std::shared_ptr<SelectedObject>* objects);
    PageResult Show(bool show);
    PageResult Move(const QRect* rect);
    PageResult IsPageDirty() const;
    // Writes the dialog into every selected control. Without a dialog there is nothing to read
    // from, so nothing is written.
    PageResult Apply();
    PageResult Help(const QString& helpDirectory);

    void setHelpProvider(HelpProvider* provider) { helpProvider_ = provider; }
    // F1 on a control of the dialog, with the help context the control carries.
    void OnWmHelp(quint32 contextId);

    const PageIdentity& identity() const { return identity_; }
    PageDialog* dialog() const { return dialog_; }
    bool isDirty() const { return dirty_; }
    bool isLoading() const { return loading_; }
    // The dialog's size in pixels for the dialog units of its template.
    QSize pageSize() const;

protected:
    // Builds the controls of the dialog (the page's dialog template).
    virtual void buildDialog(PageDialog* dialog) = 0;
    // Fills the combo boxes.
    virtual void OnInitDialog() = 0;
    // Fills the dialog from the first selected control, leaving the page clean.
    virtual void InitControls() = 0;
    // Writes the dialog into the selected controls (the dialog exists).
    virtual void applyToControls() = 0;
    // The control whose gaining the focus refreshes the dialog.
    virtual int reloadControlId() const = 0;
    // The controls whose edits make the page dirty.
    virtual QList<int> changeControlIds() const = 0;
    // Connects the page's own command handlers (after the dialog is built and filled).
    virtual void connectCommands() {}
    // Edits typed but not yet applied that are not part of the dirty flag (counts, indexes).
    virtual bool hasPendingEdits() const { return false; }
    // Whether showing the dialog again refreshes it.
    virtual bool reloadsWhenShown() const { return false; }

    void SetDirty(bool dirty);
    // The focus reaching the first control, or the dialog shown again: a page with no edits of
    // the user's refreshes itself from the control; a page holding edits keeps them.
    void OnReload();
    void ReloadIfDirty();
    // Fills the dialog from the first selected control with the loading flag set.
    void reload();
    void OnControlChange();
    void setLoading(bool loading) { loading_ = loading; }

    quint32 objectCount() const { return static_cast<quint32>(objects_.size()); }
    // The page's control interface of the selected object at index, or null when that object
    // does not answer for it.
    ControlProperties* control(quint32 index) const;
    // Invalidates the control's window and paints it at once.
    void repaintControl(ControlProperties* control) const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void connectChangeEntries();
    quint32 focusedControlId() const;
    std::optional<QString> helpFile() const;
    // Opens the topic of a control, or the page's own topic for the frame's Help button and
    // controls without one; false when the page names no help file.
    bool showTopicFor(quint32 controlId);
    void destroyDialog();
    void forgetDialog();

    PageIdentity identity_;
    PropertyPageSite* site_ = nullptr;
    std::vector<std::shared_ptr<SelectedObject>> objects_;
    bool dirty_ = false;
    // Null while the page is not active; cleared as the dialog goes, whoever deletes it.
    PageDialog* dialog_ = nullptr;
    QWidget* reloadControl_ = nullptr;
    bool loading_ = true;
    HelpProvider* helpProvider_ = nullptr;
};

}  // namespace vrn::pp
