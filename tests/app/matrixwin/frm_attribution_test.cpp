#include "app/matrixwin/frm_attribution.h"
#include "model/vrn_matrix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class AttributionTest : public ::testing::Test {
protected:
    AttributionTest() {
        matrix_->Authors = "Ann";
        matrix_->Assignment = "Phase 2";
        matrix_->Modified = "yesterday";
        matrix_->Sources = "Interviews";
        matrix_->Review = "Draft";
        matrix_->Distribution = "https://example.org/doc";
        matrix_->footer = "Confidential";
        program_.Current_Matrix = matrix_;
    }

    QLineEdit& box(const char* name) { return *dialog_.findChild<QLineEdit*>(name); }
    QCheckBox& lock() { return *dialog_.findChild<QCheckBox*>("chkLock"); }
    void leave(QWidget& control) {
        QFocusEvent focusOut(QEvent::FocusOut);
        QApplication::sendEvent(&control, &focusOut);
    }
    void ok() { dialog_.findChild<QPushButton*>("btnOK")->click(); }

    VrnMain program_;
    std::shared_ptr<VRN_Matrix> matrix_ = std::make_shared<VRN_Matrix>();
    frmAttribution dialog_{program_};
};

TEST_F(AttributionTest, ShowsTheFieldsAndStampsTheTimeEvenWhenNothingIsTyped) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
    dialog_.Load_Data(*matrix_);
    EXPECT_EQ(dialog_.windowTitle(), "Matrix Attribution");
    EXPECT_EQ(box("txtAuthors").text(), "Ann");
    EXPECT_EQ(box("txtAssignment").text(), "Phase 2");
    EXPECT_EQ(box("txtSources").text(), "Interviews");
    EXPECT_EQ(box("txtReview").text(), "Draft");
    EXPECT_EQ(box("txtDistribution").text(), "https://example.org/doc");
    EXPECT_EQ(box("txtFooter").text(), "Confidential");
    ok();
    const QDateTime stamp =
        QLocale().toDateTime(QString::fromStdString(matrix_->Modified), QLocale::ShortFormat);
    ASSERT_TRUE(stamp.isValid()) << matrix_->Modified;
    EXPECT_GE(stamp, before);
    EXPECT_EQ(box("txtModified").text().toStdString(), matrix_->Modified);
    EXPECT_EQ(matrix_->Authors, "Ann");
}

TEST_F(AttributionTest, ATypedFieldIsWrittenWhenLeftAndTheModifiedTextIsFree) {
    dialog_.Load_Data(*matrix_);
    box("txtReview").setFocus();
    box("txtReview").setText("Approved");
    box("txtModified").setText("next week");
    ok();
    EXPECT_EQ(matrix_->Review, "Approved");
    EXPECT_EQ(matrix_->Modified, "next week");
}

TEST_F(AttributionTest, LeavingAFieldWithoutAnEditWritesNothing) {
    dialog_.Load_Data(*matrix_);
    leave(box("txtAuthors"));
    matrix_->Sources = "Changed elsewhere";
    leave(box("txtSources"));
    EXPECT_EQ(matrix_->Sources, "Changed elsewhere");
    box("txtFooter").setText("Public");
    leave(box("txtFooter"));
    EXPECT_EQ(matrix_->footer, "Public");
}

TEST_F(AttributionTest, DuringASaveAsALockedMatrixShowsUnlockedAndOkLeavesItSo) {
    matrix_->locked = true;
    program_.Save_As_Running = true;
    dialog_.Load_Data(*matrix_);
    EXPECT_FALSE(lock().isChecked());
    EXPECT_TRUE(program_.Save_As_Locked);
    ok();
    EXPECT_FALSE(matrix_->locked);
}

TEST_F(AttributionTest, OutsideASaveAsTheLockShowsAndTicksAsTheMatrixIs) {
    matrix_->locked = true;
    dialog_.Load_Data(*matrix_);
    EXPECT_TRUE(lock().isChecked());
    EXPECT_FALSE(program_.Save_As_Locked);
    lock().click();
    leave(lock());
    EXPECT_FALSE(matrix_->locked);
}

}  // namespace
}  // namespace vrn
