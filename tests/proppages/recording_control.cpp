#include "tests/proppages/recording_control.h"

#include "proppages/page_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace vrn::pp::testing {

std::string describe(const PropertyValue& value) {
    if (const auto* s = std::get_if<qint16>(&value)) {
        return "i16 " + std::to_string(*s);
    }
    if (const auto* l = std::get_if<qint32>(&value)) {
        return "i32 " + std::to_string(*l);
    }
    if (const auto* f = std::get_if<float>(&value)) {
        return "f " + QString::number(*f).toStdString();
    }
    return "s \"" + std::get<QString>(value).toStdString() + "\"";
}

PropertyValue RecordingControl::get(int getterSlot) {
    log.push_back("get " + std::to_string(getterSlot));
    const auto found = values.find(getterSlot);
    return found == values.end() ? PropertyValue{qint32{0}} : found->second;
}

void RecordingControl::set(int setterSlot, const PropertyValue& value) {
    log.push_back("set " + std::to_string(setterSlot) + " " + describe(value));
    values[setterSlot - 1] = value;
}

QWidget* RecordingControl::window(int getterSlot) {
    const int windowSlot = iid_ == kIID_IButtonControl ? kButtonWindowSlot : kBalloonWindowSlot;
    log.push_back(getterSlot == windowSlot ? "repaint" : "window " + std::to_string(getterSlot));
    return nullptr;
}

ControlProperties* RecordingControl::QueryInterface(const QUuid& iid) {
    return answers_ && iid == iid_ ? this : nullptr;
}

std::vector<std::string> RecordingControl::calls(const std::string& kind) const {
    std::vector<std::string> picked;
    for (const std::string& call : log) {
        if (kind.empty() || call.rfind(kind, 0) == 0) {
            picked.push_back(call);
        }
    }
    return picked;
}

std::vector<int> RecordingControl::setterSlots() const {
    std::vector<int> numbers;
    for (const std::string& call : calls("set ")) {
        numbers.push_back(std::stoi(call.substr(4)));
    }
    return numbers;
}

ActivePage::ActivePage(std::unique_ptr<CzvPropPageBase> created,
                       std::vector<std::shared_ptr<SelectedObject>> selected)
    : objects(std::move(selected)), page(std::move(created)) {
    page->setHelpProvider(&help);
    page->SetPageSite(&site);
    page->SetObjects(static_cast<quint32>(objects.size()), objects.data());
    const QRect rect(0, 0, 600, 400);
    page->Activate(&host, &rect, false);
    page->Show(true);
}

ActivePage::~ActivePage() {
    page->Deactivate();
    page->SetPageSite(nullptr);
}

void ActivePage::type(int id, const QString& text) const {
    qobject_cast<QLineEdit*>(item(id))->setText(text);
}

void ActivePage::choose(int id, int position) const {
    qobject_cast<QComboBox*>(item(id))->setCurrentIndex(position);
}

void ActivePage::click(int id) const {
    qobject_cast<QAbstractButton*>(item(id))->click();
}

QString ActivePage::text(int id) const {
    if (auto* field = qobject_cast<QLineEdit*>(item(id))) {
        return field->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(item(id))) {
        return combo->currentText();
    }
    return {};
}

}  // namespace vrn::pp::testing
