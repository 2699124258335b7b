#pragma once

#include <cstdint>
#include <memory>

#include "model/vrn_matrix.h"
#include "tests/support/model_doubles/recording_main_view.h"
#include "tests/support/model_doubles/recording_matrix_window.h"
#include "tests/support/model_doubles/scripted_messages.h"

namespace vrn::bench {

// The shape of the large benchmark document. The default: 200 existing practices in 20 groups
// and 5 alternatives of 200 practices in 20 groups each, about 320,000 interactions.
struct LargeDocumentShape {
    int existingGroups = 20;
    int existingPracticesPerGroup = 10;
    int alternatives = 5;
    int alternativeGroups = 20;
    int alternativePracticesPerGroup = 10;
    bool withWindow = true;  // against a recording window; false: a document without a window
    MatrixWindow* window = nullptr;  // a window of the caller's to build against instead
};

// A built document with the stand-ins it is bound to, which outlive it.
struct LargeDocument {
    std::unique_ptr<testing::RecordingMatrixWindow> window;
    std::unique_ptr<testing::RecordingMainView> mainView;
    std::unique_ptr<testing::ScriptedMessages> messages;
    std::shared_ptr<VRN_Matrix> matrix;  // declared last: destroyed first
};

// Builds the document through the model's own operations, as a user would: new document, then
// groups and practices added one by one, then values, notes and importance on a fixed pattern
// (about a third of the interactions "+", "-" or "?", every 97th with a note and a description).
LargeDocument BuildLargeDocument(const LargeDocumentShape& shape = {});

// How many interactions a document of this shape holds.
std::int64_t InteractionCount(const LargeDocumentShape& shape);
// How many interactions `document` holds: within its states and across.
std::int64_t CountInteractions(VRN_Matrix& document);

}  // namespace vrn::bench
