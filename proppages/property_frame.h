#pragma once

#include "proppages/control_interfaces.h"
#include "proppages/page_site.h"
#include "proppages/prop_page_base.h"

#include <QDialog>
#include <QUuid>

#include <memory>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace vrn::pp {

// The frame around property pages: one tab per page, with OK, Cancel, Apply and Help. Apply
// (and OK) write every page that holds edits into its controls; Apply is enabled while one does.
class PropertyFrame : public QDialog {
    Q_OBJECT
public:
    explicit PropertyFrame(QWidget* parent = nullptr);
    ~PropertyFrame() override;

    // Adds the page of the class over the selected objects, its tab titled by the page (after
    // tabPrefix when one is given). False for a class no page has.
    bool addPage(const QUuid& clsid, const std::vector<std::shared_ptr<SelectedObject>>& objects,
                 const QString& tabPrefix = QString());

    int pageCount() const { return static_cast<int>(pages_.size()); }
    CzvPropPageBase* page(int index) const;
    QTabWidget* tabs() const { return tabs_; }
    void setHelpProvider(HelpProvider* provider);

    // Writes every page that holds edits.
    void applyPages();

private:
    class Site;
    struct Entry;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void pageStatusChanged();
    void showPage(int index);
    void help();
    void fitPages();

    QTabWidget* tabs_;
    QPushButton* applyButton_;
    QPushButton* helpButton_;
    std::vector<std::unique_ptr<Entry>> pages_;
    HelpProvider* helpProvider_ = nullptr;
};

}  // namespace vrn::pp
