#include "proppages/prop_page_base.h"

#include "proppages/page_dialog.h"
#include "proppages/string_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRect>
#include <QShortcut>

#include <new>

namespace vrn::pp {

namespace {

// A dialog unit is a quarter of the font's average character width across and an eighth of its
// height down.
constexpr int kHorizontalUnitsPerChar = 4;
constexpr int kVerticalUnitsPerLine = 8;

}  // namespace

CzvPropPageBase::CzvPropPageBase(PageIdentity identity) : identity_(std::move(identity)) {}

CzvPropPageBase::~CzvPropPageBase() {
    destroyDialog();
}

PageResult CzvPropPageBase::SetPageSite(PropertyPageSite* site) {
    if (site == nullptr) {
        site_ = nullptr;
        return PageResult::Ok;
    }
    if (site_ != nullptr) {
        return PageResult::Unexpected;
    }
    site_ = site;
    return PageResult::Ok;
}

PageResult CzvPropPageBase::Activate(QWidget* parent, const QRect* rect, bool /*modal*/) {
    if (rect == nullptr) {
        return PageResult::Pointer;
    }
    destroyDialog();
    dialog_ = new PageDialog(parent);
    connect(dialog_, &PageDialog::closing, this, &CzvPropPageBase::forgetDialog);
    buildDialog(dialog_);
    dialog_->setGeometry(*rect);

    // What the dialog does as it opens: fill the lists, then the fields from the first control.
    OnInitDialog();
    reload();
    connectChangeEntries();
    connectCommands();
    reloadControl_ = dialog_->GetDlgItem(reloadControlId());
    if (reloadControl_ != nullptr) {
        reloadControl_->installEventFilter(this);
    }
    dialog_->installEventFilter(this);
    auto* help = new QShortcut(QKeySequence::HelpContents, dialog_);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        const QWidget* focus = QApplication::focusWidget();
        OnWmHelp(focus == nullptr ? 0 : focus->property(PageDialog::kHelpContextProperty).toUInt());
    });
    return PageResult::Ok;
}

PageResult CzvPropPageBase::Deactivate() {
    destroyDialog();
    return PageResult::Ok;
}

void CzvPropPageBase::destroyDialog() {
    PageDialog* going = dialog_;
    forgetDialog();
    delete going;
}

// The dialog is going: its controls no longer report their focus or showing to the page.
void CzvPropPageBase::forgetDialog() {
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->removeEventFilter(this);
    if (reloadControl_ != nullptr) {
        reloadControl_->removeEventFilter(this);
    }
    reloadControl_ = nullptr;
    dialog_ = nullptr;
}

QSize CzvPropPageBase::pageSize() const {
    const QFontMetrics metrics(dialog_ != nullptr ? dialog_->font() : QApplication::font());
    const int baseX = metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                      52;
    const int baseY = metrics.height();
    return {identity_.dialogUnits.width() * baseX / kHorizontalUnitsPerChar,
            identity_.dialogUnits.height() * baseY / kVerticalUnitsPerLine};
}

PageResult CzvPropPageBase::GetPageInfo(PageInfo* info) const {
    if (info == nullptr) {
        return PageResult::Pointer;
    }
    if (identity_.dialogUnits.isEmpty()) {
        return PageResult::Unexpected;
    }
    info->size = pageSize();
    info->title = LoadPageString(identity_.titleString).value_or(QString());
    info->helpFile = helpFile().value_or(QString());
    info->docString = LoadPageString(identity_.docString).value_or(QString());
    info->helpContext = identity_.helpContext;
    return PageResult::Ok;
}

PageResult CzvPropPageBase::SetObjects(quint32 count,
                                       const std::shared_ptr<SelectedObject>* objects) {
    if (objects == nullptr) {
        return PageResult::Pointer;
    }
    objects_.clear();
    try {
        objects_.assign(objects, objects + count);
    } catch (const std::bad_alloc&) {
        return PageResult::OutOfMemory;
    }
    ReloadIfDirty();
    return PageResult::Ok;
}

PageResult CzvPropPageBase::Show(bool show) {
    if (dialog_ == nullptr) {
        return PageResult::Unexpected;
    }
    dialog_->setVisible(show);
    return PageResult::Ok;
}

PageResult CzvPropPageBase::Move(const QRect* rect) {
    if (dialog_ == nullptr) {
        return PageResult::Unexpected;
    }
    if (rect == nullptr) {
        return PageResult::Pointer;
    }
    dialog_->setGeometry(*rect);
    dialog_->update();
    return PageResult::Ok;
}

PageResult CzvPropPageBase::IsPageDirty() const {
    return dirty_ ? PageResult::Ok : PageResult::False;
}

PageResult CzvPropPageBase::Apply() {
    if (dialog_ == nullptr) {
        return PageResult::Ok;
    }
    applyToControls();
    return PageResult::Ok;
}

std::optional<QString> CzvPropPageBase::helpFile() const {
    return LoadPageString(kHelpFileString);
}

bool CzvPropPageBase::showTopicFor(quint32 controlId) {
    const std::optional<QString> file = helpFile();
    if (!file) {
        return false;
    }
    // A focus on no control of ours (ID 0) opens the page's topic too: there is no topic 0.
    const bool pageTopic =
        controlId == 0 || controlId == kFrameHelpButtonId || controlId > kLastControlHelpContext;
    if (helpProvider_ != nullptr) {
        helpProvider_->showHelp(dialog_, *file, pageTopic ? identity_.helpContext : controlId);
    }
    return true;
}

quint32 CzvPropPageBase::focusedControlId() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus == nullptr ? 0 : focus->property(PageDialog::kControlIdProperty).toUInt();
}

PageResult CzvPropPageBase::Help(const QString& /*helpDirectory*/) {
    return showTopicFor(focusedControlId()) ? PageResult::Ok : PageResult::Fail;
}

void CzvPropPageBase::OnWmHelp(quint32 contextId) {
    showTopicFor(contextId);
}

void CzvPropPageBase::SetDirty(bool dirty) {
    if (dirty == dirty_) {
        return;
    }
    dirty_ = dirty;
    if (site_ != nullptr) {
        site_->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY : PROPPAGESTATUS_CLEAN);
    }
}

void CzvPropPageBase::reload() {
    loading_ = true;
    InitControls();
    loading_ = false;
}

void CzvPropPageBase::OnReload() {
    if (!dirty_ && !hasPendingEdits()) {
        reload();
    }
}

void CzvPropPageBase::ReloadIfDirty() {
    if (dirty_) {
        reload();
    }
}

void CzvPropPageBase::OnControlChange() {
    if (!loading_) {
        SetDirty(true);
    }
}

void CzvPropPageBase::connectChangeEntries() {
    for (const int id : changeControlIds()) {
        QWidget* control = dialog_->GetDlgItem(id);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            connect(combo, &QComboBox::currentIndexChanged, this,
                    &CzvPropPageBase::OnControlChange);
        } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
            connect(field, &QLineEdit::textChanged, this, &CzvPropPageBase::OnControlChange);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            // Clicks of the user only: checking a box from the program changes nothing.
            connect(button, &QAbstractButton::clicked, this, &CzvPropPageBase::OnControlChange);
        }
    }
}

bool CzvPropPageBase::eventFilter(QObject* watched, QEvent* event) {
    if (dialog_ != nullptr) {
        if (event->type() == QEvent::FocusIn && watched == reloadControl_) {
            OnReload();
        } else if (event->type() == QEvent::Show && watched == dialog_ && reloadsWhenShown()) {
            OnReload();
        }
    }
    return QObject::eventFilter(watched, event);
}

ControlProperties* CzvPropPageBase::control(quint32 index) const {
    if (index >= objects_.size() || objects_[index] == nullptr) {
        return nullptr;
    }
    return objects_[index]->QueryInterface(identity_.controlIid);
}

void CzvPropPageBase::repaintControl(ControlProperties* control) const {
    if (QWidget* window = control->window(identity_.windowSlot)) {
        window->update();
        window->repaint();
    }
}

}  // namespace vrn::pp
