#pragma once

#include "proppages/control_interfaces.h"
#include "proppages/page_site.h"
#include "proppages/prop_page_base.h"

#include <QRect>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vrn::pp::testing {

// A control that answers for one interface, keeps one value per getter slot (a setter writes
// its getter's value) and records every call: "get 106", "set 107 i16 3", "repaint".
class RecordingControl : public ControlProperties, public SelectedObject {
public:
    explicit RecordingControl(QUuid iid, bool answers = true) : iid_(iid), answers_(answers) {}

    PropertyValue get(int getterSlot) override;
    void set(int setterSlot, const PropertyValue& value) override;
    // Records "repaint" when asked at the interface's window slot, "window <slot>" otherwise.
    QWidget* window(int getterSlot) override;
    ControlProperties* QueryInterface(const QUuid& iid) override;

    void preset(int getterSlot, const PropertyValue& value) { values[getterSlot] = value; }
    // The calls of one kind ("set", "get"), or all.
    std::vector<std::string> calls(const std::string& kind = {}) const;
    // The slots of the setters called, in order.
    std::vector<int> setterSlots() const;
    void clearLog() { log.clear(); }

    std::map<int, PropertyValue> values;
    std::vector<std::string> log;

private:
    QUuid iid_;
    bool answers_;
};

std::string describe(const PropertyValue& value);

// A site that records the status flags it hears.
class RecordingSite : public PropertyPageSite {
public:
    void OnStatusChange(quint32 flags) override { statuses.push_back(flags); }
    std::vector<quint32> statuses;
};

class RecordingHelp : public HelpProvider {
public:
    void showHelp(QWidget*, const QString& file, quint32 context) override {
        helpFiles.push_back(file);
        contexts.push_back(context);
    }
    std::vector<QString> helpFiles;
    std::vector<quint32> contexts;
};

// A page set up as a frame sets it up: site, objects, a host window and an active dialog.
struct ActivePage {
    ActivePage(std::unique_ptr<CzvPropPageBase> created,
               std::vector<std::shared_ptr<SelectedObject>> selected);
    ~ActivePage();

    QWidget* item(int id) const { return page->dialog()->GetDlgItem(id); }
    // Types into an edit field, picks a list entry or clicks a button as a user would.
    void type(int id, const QString& text) const;
    void choose(int id, int position) const;
    void click(int id) const;
    QString text(int id) const;

    QWidget host;
    RecordingSite site;
    RecordingHelp help;
    std::vector<std::shared_ptr<SelectedObject>> objects;
    std::unique_ptr<CzvPropPageBase> page;
};

}  // namespace vrn::pp::testing
