#include "app/matrixwin/frm_interaction_details.h"
#include "app/matrixwin/frm_option_details.h"
#include "app/matrixwin/frm_practice_details.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_practice.h"
#include "tests/app/matrixwin/detail_dialog_testing.h"
#include "tests/support/model_doubles/recording_cell.h"
#include "tests/support/model_doubles/recording_interaction_label.h"

#include <QLineEdit>

#include <fstream>

namespace vrn::testing {
namespace {

// What each detail dialog with a discussion box is opened on.
struct InteractionSubject {
    using Dialog = FrmInteractionDetails;
    InteractionSubject() {
        std::ifstream file(VRN_SAMPLE_MATRIX, std::ios::binary);
        bool directions = false;
        document->Read(*file.rdbuf(), "sample.vrn", nullptr, directions, {nullptr, true, nullptr});
        object().Display = std::make_shared<RecordingInteractionLabel>();
    }
    VRN_MatrixInteraction& object() { return *document->Interactions.Item(1); }
    std::shared_ptr<VRN_Matrix> document = std::make_shared<VRN_Matrix>();
};

struct PracticeSubject {
    using Dialog = FrmPracticeDetails;
    PracticeSubject() { practice->Display = std::make_shared<RecordingCell>(); }
    VRN_Practice& object() { return *practice; }
    std::shared_ptr<VRN_Practice> practice = std::make_shared<VRN_Practice>();
};

struct OptionSubject {
    using Dialog = FrmOptionDetails;
    VRN_Option& object() { return *option; }
    std::shared_ptr<VRN_Option> option = std::make_shared<VRN_Option>();
};

template <class Subject>
class DiscussionBoxTest : public DetailDialogTest {
protected:
    Subject subject_;
};

using DialogsWithADiscussion = ::testing::Types<InteractionSubject, PracticeSubject, OptionSubject>;
TYPED_TEST_SUITE(DiscussionBoxTest, DialogsWithADiscussion);

TYPED_TEST(DiscussionBoxTest, ADoubleClickOpensADiscussionOfMoreThanTwoCharacters) {
    const std::vector<std::pair<QString, std::size_t>> cases{
        {"", 0}, {"ab", 0}, {"abc", 1}, {"http://example.org", 1}};
    for (const auto& [text, starts] : cases) {
        RecordingProgramStarter starter;
        typename TypeParam::Dialog dialog({this->program_, this->prompt_, starter},
                                          this->subject_.object());
        auto& discussion = this->template child<QLineEdit>(dialog, "txtDiscussion");
        discussion.setText(text);
        this->doubleClick(discussion);
        ASSERT_EQ(starter.starts().size(), starts) << text.toStdString();
        if (starts != 0) {
            EXPECT_EQ(starter.starts()[0].program, "/opt/browser");
            EXPECT_EQ(starter.starts()[0].arguments, QStringList{text});
        }
    }
}

}  // namespace
}  // namespace vrn::testing
