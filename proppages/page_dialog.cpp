#include "proppages/page_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vrn::pp {

namespace {

// Narrow enough for two columns of fields in the frame, wide enough for a number or a word.
constexpr int kEditMinimumChars = 16;

}  // namespace

PageDialog::PageDialog(QWidget* parent) : QWidget(parent) {
    auto* columns = new QHBoxLayout(this);
    columns->setAlignment(Qt::AlignTop);
    // Columns keep the width their fields ask for; what is left stays at the right.
    columns->addStretch(1);
}

PageDialog::~PageDialog() {
    emit closing();
}

void PageDialog::addControl(int id, QWidget* control, quint32 helpContext) {
    control->setObjectName(QStringLiteral("ctl%1").arg(id));
    control->setProperty(kControlIdProperty, id);
    control->setProperty(kHelpContextProperty, helpContext);
    controls_.insert(id, control);
}

DialogBuilder DialogBuilder::column(PageDialog* dialog) {
    auto* host = new QWidget(dialog);
    auto* form = new QFormLayout(host);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* columns = static_cast<QHBoxLayout*>(dialog->layout());
    columns->insertWidget(columns->count() - 1, host, 0, Qt::AlignTop);
    return DialogBuilder(dialog, form);
}

void DialogBuilder::labelled(const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption, form_->parentWidget());
    label->setBuddy(field);
    form_->addRow(label, field);
}

QComboBox* DialogBuilder::list(int id, const QString& caption, quint32 helpContext) {
    auto* combo = new QComboBox(form_->parentWidget());
    dialog_->addControl(id, combo, helpContext);
    labelled(caption, combo);
    return combo;
}

QLineEdit* DialogBuilder::edit(int id, const QString& caption, quint32 helpContext) {
    auto* field = new QLineEdit(form_->parentWidget());
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kEditMinimumChars);
    dialog_->addControl(id, field, helpContext);
    labelled(caption, field);
    return field;
}

QCheckBox* DialogBuilder::check(int id, const QString& caption, quint32 helpContext) {
    auto* box = new QCheckBox(caption, form_->parentWidget());
    dialog_->addControl(id, box, helpContext);
    form_->addRow(box);
    return box;
}

QRadioButton* DialogBuilder::radio(int id, const QString& caption, quint32 helpContext) {
    auto* button = new QRadioButton(caption, form_->parentWidget());
    dialog_->addControl(id, button, helpContext);
    form_->addRow(button);
    return button;
}

QLineEdit* DialogBuilder::editWithButton(int id, const QString& caption, quint32 helpContext,
                                         int buttonId, const QString& buttonCaption) {
    auto* host = new QWidget(form_->parentWidget());
    auto* row = new QHBoxLayout(host);
    row->setContentsMargins(0, 0, 0, 0);
    auto* field = new QLineEdit(host);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kEditMinimumChars);
    auto* button = new QPushButton(buttonCaption, host);
    button->setAutoDefault(false);
    row->addWidget(field, 1);
    row->addWidget(button);
    dialog_->addControl(id, field, helpContext);
    dialog_->addControl(buttonId, button, 0);
    auto* label = new QLabel(caption, form_->parentWidget());
    label->setBuddy(field);
    form_->addRow(label, host);
    return field;
}

DialogBuilder DialogBuilder::group(const QString& title) {
    auto* box = new QGroupBox(title, form_->parentWidget());
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form_->addRow(box);
    return DialogBuilder(dialog_, form);
}

void DialogBuilder::stretch() {
    auto* spacer = new QWidget(form_->parentWidget());
    spacer->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    form_->addRow(spacer);
}

}  // namespace vrn::pp
