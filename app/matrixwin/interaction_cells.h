#pragma once

#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_interaction_label.h"
#include "model/storage/bulk_allocator.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vrn {

class VRN_MatrixInteraction;

// What a window's interaction cells share: the canvas they are drawn on (none once the window
// has gone), one table of the texts they show (a few values, "Interaction" and the notes, each
// kept once however many cells show it), and which cells were shown since the window last hid
// them all.
struct InteractionCellShelf {
    SceneContext* context = nullptr;
    std::vector<std::int32_t, BulkAllocator<std::int32_t>> shown;

    // The number of `text` in the table, added when new.
    std::uint32_t Number(std::string_view text);
    const std::string& Text(std::uint32_t number) const { return texts_[number]; }

private:
    std::deque<std::string> texts_{std::string()};
    std::unordered_map<std::string_view, std::uint32_t> numbers_{{texts_.front(), 0}};
};

// The window's interaction cells (the control array lblInteract) with the interaction behind
// each (Interaction_Objects), indexed from 1 in the order they were made. A document asks for a
// cell per interaction, hundreds of thousands of them, so the cells are made in large blocks of
// bulk memory; a block lives as long as the window or anyone holding one of its cells.
class InteractionCells {
public:
    explicit InteractionCells(SceneContext& context);
    ~InteractionCells();
    InteractionCells(const InteractionCells&) = delete;
    InteractionCells& operator=(const InteractionCells&) = delete;

    // A new hidden cell of `width` by `height` twips for `interaction`.
    std::shared_ptr<InteractionLabel> Create(
        const std::shared_ptr<VRN_MatrixInteraction>& interaction, float width, float height);

    int Count() const { return count_; }
    // The cell with the 1-based index `index`; throws std::out_of_range when there is none.
    SceneInteractionLabel& Cell(int index) const;
    // The interaction behind cell `index`; null when there is no such cell or it is gone.
    std::shared_ptr<VRN_MatrixInteraction> Interaction(int index) const;
    // The 1-based index of `control` among these cells; 0 when it is none of them.
    int IndexOf(const ScenePaintable* control) const;

    // Hides every cell shown since the last time, touching no other.
    void HideShown();
    // How many cells the canvas draws.
    int Drawn() const;
    // The window is going with its canvas: the cells stay and show nothing.
    void ForgetScene();

    // A cell with the interaction behind it.
    struct Slot;

private:
    struct Block;
    Slot& slot(int index) const;

    std::shared_ptr<InteractionCellShelf> shelf_;
    std::vector<std::shared_ptr<Block>> blocks_;
    int count_ = 0;
};

}  // namespace vrn
