#pragma once

#include "proppages/prop_page_base.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vrn::pp {

class DialogBuilder;

// How a dialog control shows a property.
enum class FieldKind {
    List,      // drop-down list: the entry at the value's position
    Check,     // check box, 16-bit boolean
    Unsigned,  // edit field, 16-bit integer shown and read unsigned
    Signed,    // edit field, 16-bit integer shown and read signed
    Long,      // edit field, 32-bit integer
    Float,     // edit field, float
    Text,      // edit field, text
    Radio,     // radio group control..lastRadio: the n-th button for value n, the last for the rest
};

// One row of a page's table: a dialog control and the property it edits, by the getter's slot
// (the setter is slot + 1). Radio rows give one caption per button, split by "|".
struct FieldRow {
    int control = 0;
    QString caption;
    FieldKind kind = FieldKind::List;
    int slot = 0;
    quint32 helpContext = 0;
    int lastRadio = 0;
};

// The entries of one combo box.
struct ComboEntries {
    int control = 0;
    QStringList entries;
};

// A page's table: it drives building, filling and applying the dialog.
struct PageTable {
    PageIdentity identity;
    int reloadControl = 0;
    // In the order Apply writes them.
    std::vector<FieldRow> rows;
    // The order InitControls reads the controls in, when it is not the rows' order.
    std::vector<int> readOrder;
    std::vector<ComboEntries> lists;
    // Places the rows' controls (and any others) into the dialog's columns and groups.
    std::function<void(PageDialog*, const PageTable&)> layout;
};

// Puts a row's control into a column or group, as its kind asks.
void addRow(DialogBuilder& builder, const PageTable& table, int control);

// Fills a row's control from the property, or writes the control's value into the property.
void fillRow(PageDialog* dialog, ControlProperties* control, const FieldRow& row);
void applyRow(PageDialog* dialog, ControlProperties* control, const FieldRow& row);

// A page whose fields are its table's rows: InitControls reads them from the first control in
// the table's read order, Apply writes them into every control in the rows' order.
class TablePage : public CzvPropPageBase {
    Q_OBJECT
public:
    explicit TablePage(PageTable table);

    const PageTable& table() const { return table_; }
    const FieldRow& row(int control) const;

protected:
    void buildDialog(PageDialog* dialog) override;
    void OnInitDialog() override;
    void InitControls() override;
    void applyToControls() override;
    int reloadControlId() const override { return table_.reloadControl; }
    QList<int> changeControlIds() const override;

private:
    PageTable table_;
};

}  // namespace vrn::pp
