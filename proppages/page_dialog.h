#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <QtGlobal>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vrn::pp {

// The dialog of a property page: a child window without caption or border whose controls are
// known by their numeric IDs, each carrying the help context that F1 on it opens. The controls
// stand in columns; each column holds labelled fields, check boxes and group boxes.
class PageDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kControlIdProperty = "controlId";
    static constexpr const char* kHelpContextProperty = "helpContext";

    explicit PageDialog(QWidget* parent = nullptr);
    ~PageDialog() override;

    QWidget* GetDlgItem(int id) const { return controls_.value(id); }
    QList<int> controlIds() const { return controls_.keys(); }

    // Registers a control under its ID (and names it "ctl<ID>").
    void addControl(int id, QWidget* control, quint32 helpContext);

signals:
    // Sent as the dialog starts to go, while it is still whole.
    void closing();

private:
    QHash<int, QWidget*> controls_;
};

// Puts the controls of a page dialog into one column or group box, top to bottom.
class DialogBuilder {
public:
    // A new column at the right of the dialog's columns.
    static DialogBuilder column(PageDialog* dialog);

    QComboBox* list(int id, const QString& caption, quint32 helpContext = 0);
    QLineEdit* edit(int id, const QString& caption, quint32 helpContext = 0);
    QCheckBox* check(int id, const QString& caption, quint32 helpContext = 0);
    QRadioButton* radio(int id, const QString& caption, quint32 helpContext = 0);
    // An edit field with a push button beside it (the count and index fields).
    QLineEdit* editWithButton(int id, const QString& caption, quint32 helpContext, int buttonId,
                              const QString& buttonCaption);
    DialogBuilder group(const QString& title);
    // Pushes what follows to the bottom of the column.
    void stretch();

private:
    DialogBuilder(PageDialog* dialog, QFormLayout* form) : dialog_(dialog), form_(form) {}
    void labelled(const QString& caption, QWidget* field);

    PageDialog* dialog_;
    QFormLayout* form_;
};

}  // namespace vrn::pp
