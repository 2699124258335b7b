#include "proppages/property_frame.h"

#include "proppages/page_dialog.h"
#include "proppages/page_registry.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vrn::pp {

// Hands a page's status to the frame.
class PropertyFrame::Site : public PropertyPageSite {
public:
    explicit Site(PropertyFrame* frame) : frame_(frame) {}
    void OnStatusChange(quint32 /*flags*/) override { frame_->pageStatusChanged(); }

private:
    PropertyFrame* frame_;
};

struct PropertyFrame::Entry {
    std::unique_ptr<Site> site;
    std::unique_ptr<CzvPropPageBase> page;
    QWidget* container = nullptr;
};

PropertyFrame::PropertyFrame(QWidget* parent) : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(tr("Properties"));
    tabs_->setObjectName(QStringLiteral("tabPages"));
    // Every page's tab stays in sight.
    tabs_->setUsesScrollButtons(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    applyButton_ = buttons->addButton(QDialogButtonBox::Apply);
    applyButton_->setObjectName(QStringLiteral("btnApply"));
    applyButton_->setEnabled(false);
    helpButton_ = buttons->addButton(QDialogButtonBox::Help);
    helpButton_->setObjectName(QStringLiteral("btnHelp"));
    // Help asked from the frame's own button opens the page's topic.
    helpButton_->setProperty(PageDialog::kControlIdProperty, CzvPropPageBase::kFrameHelpButtonId);
    helpButton_->setFocusPolicy(Qt::StrongFocus);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        applyPages();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(applyButton_, &QPushButton::clicked, this, &PropertyFrame::applyPages);
    connect(helpButton_, &QPushButton::clicked, this, &PropertyFrame::help);
    connect(tabs_, &QTabWidget::currentChanged, this, &PropertyFrame::showPage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
}

PropertyFrame::~PropertyFrame() {
    for (auto& entry : pages_) {
        entry->page->Deactivate();
        entry->page->SetPageSite(nullptr);
    }
}

CzvPropPageBase* PropertyFrame::page(int index) const {
    return index >= 0 && index < pageCount() ? pages_[index]->page.get() : nullptr;
}

void PropertyFrame::setHelpProvider(HelpProvider* provider) {
    helpProvider_ = provider;
    for (auto& entry : pages_) {
        entry->page->setHelpProvider(provider);
    }
}

bool PropertyFrame::addPage(const QUuid& clsid,
                            const std::vector<std::shared_ptr<SelectedObject>>& objects,
                            const QString& tabPrefix) {
    auto entry = std::make_unique<Entry>();
    entry->page = CreatePage(clsid);
    if (entry->page == nullptr) {
        return false;
    }
    entry->site = std::make_unique<Site>(this);
    CzvPropPageBase* page = entry->page.get();
    PageInfo info;
    page->GetPageInfo(&info);
    page->setHelpProvider(helpProvider_);
    page->SetPageSite(entry->site.get());
    page->SetObjects(static_cast<quint32>(objects.size()), objects.data());

    entry->container = new QWidget(tabs_);
    const QRect rect(QPoint(0, 0), info.size);
    page->Activate(entry->container, &rect, false);
    entry->container->installEventFilter(this);
    tabs_->addTab(entry->container,
                  tabPrefix.isEmpty() ? info.title : tabPrefix + QLatin1Char(' ') + info.title);
    tabs_->setTabToolTip(tabs_->count() - 1, info.docString);
    pages_.push_back(std::move(entry));
    fitPages();
    showPage(tabs_->currentIndex());
    return true;
}

// Every tab is as large as the largest page asks, in dialog units or by its controls.
void PropertyFrame::fitPages() {
    QSize size;
    for (const auto& entry : pages_) {
        PageInfo info;
        entry->page->GetPageInfo(&info);
        size = size.expandedTo(info.size);
        if (PageDialog* dialog = entry->page->dialog()) {
            size = size.expandedTo(dialog->sizeHint());
        }
    }
    for (const auto& entry : pages_) {
        entry->container->setMinimumSize(size);
    }
}

bool PropertyFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (const auto& entry : pages_) {
            if (entry->container == watched) {
                const QRect rect(QPoint(0, 0), entry->container->size());
                entry->page->Move(&rect);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PropertyFrame::showPage(int index) {
    for (int i = 0; i < pageCount(); ++i) {
        pages_[i]->page->Show(i == index);
    }
}

void PropertyFrame::pageStatusChanged() {
    bool dirty = false;
    for (const auto& entry : pages_) {
        dirty = dirty || entry->page->IsPageDirty() == PageResult::Ok;
    }
    applyButton_->setEnabled(dirty);
}

void PropertyFrame::applyPages() {
    for (const auto& entry : pages_) {
        if (entry->page->IsPageDirty() == PageResult::Ok) {
            entry->page->Apply();
        }
    }
    pageStatusChanged();
}

void PropertyFrame::help() {
    if (CzvPropPageBase* current = page(tabs_->currentIndex())) {
        current->Help(QString());
    }
}

}  // namespace vrn::pp
