#pragma once

#include "app/matrixwin/scene_context.h"
#include "app/matrixwin/scene_interaction_label.h"
#include "model/storage/bulk_memory.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vrn {

class VRN_MatrixInteraction;

// What a window's interaction cells share: the canvas they are drawn on (none once the window
// has gone), which of them show (a bit each, by index), and one table of the texts they show (a
// few values, "Interaction" and the notes, each kept once however many cells show it).
struct InteractionCellShelf {
    SceneContext* context = nullptr;

    void MarkShown(std::int32_t index, bool shown) {
        const auto bit = static_cast<std::size_t>(index);
        const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
        shown_[bit / 64] = shown ? (shown_[bit / 64] | mask) : (shown_[bit / 64] & ~mask);
    }
    // Makes room for the marks of cells up to `index`.
    void MakeRoomFor(std::int32_t index) {
        if (const auto words = static_cast<std::size_t>(index) / 64 + 1; words > shown_.size()) {
            shown_.resize(words);
        }
    }
    // Calls `visit` with the index of every cell marked shown, in order; `visit` may unmark it.
    template <class Visit>
    void ForEachShown(Visit&& visit) const {
        for (std::size_t word = 0; word < shown_.size(); ++word) {
            for (std::uint64_t bits = shown_[word]; bits != 0; bits &= bits - 1) {
                visit(static_cast<std::int32_t>(word * 64 + std::countr_zero(bits)));
            }
        }
    }

    // The number of `text` in the table, added when new.
    std::uint32_t Number(std::string_view text);
    std::string_view Text(std::uint32_t number) const { return texts_[number]; }

private:
    std::vector<std::uint64_t> shown_;
    std::deque<std::string> kept_;             // every text once, where it stays
    std::vector<std::string_view> texts_{{}};  // by number; 0 is the empty text
    std::unordered_map<std::string_view, std::uint32_t> numbers_{{texts_.front(), 0}};
    // The texts asked for last, looked at before the table: a layout sets the same few texts
    // on cell after cell.
    std::array<std::uint32_t, 4> recent_{};
    std::size_t nextRecent_ = 0;
};

// A cell with the interaction behind it, one after another in blocks of bulk memory aligned to
// kCellBlockAlignment. A block starts with its header, so that a cell finds its window's shelf
// and its own index from where it lies rather than keeping them.
struct InteractionCellSlot {
    SceneInteractionLabel label;
    std::weak_ptr<VRN_MatrixInteraction> interaction;
};
struct InteractionCellBlockHeader {
    InteractionCellShelf* shelf;
    std::int32_t firstIndex;  // of the block's first cell
};
inline constexpr std::size_t kCellBlockAlignment = kHugePageBytes;
inline constexpr std::size_t kCellBlockHeaderBytes = 64;
static_assert(sizeof(InteractionCellBlockHeader) <= kCellBlockHeaderBytes);

// The header of the block that holds `cell`.
inline const InteractionCellBlockHeader& BlockHeaderOf(const SceneInteractionLabel& cell) {
    const auto at = reinterpret_cast<std::uintptr_t>(&cell);
    return *reinterpret_cast<const InteractionCellBlockHeader*>(at & ~(kCellBlockAlignment - 1));
}

// The window's interaction cells (the control array lblInteract) with the interaction behind
// each (Interaction_Objects), indexed from 1 in the order they were made. A document asks for a
// cell per interaction, hundreds of thousands of them, so the cells are made in large blocks of
// bulk memory; a block lives as long as the window or anyone holding one of its cells.
class InteractionCells : public SceneControlGroup {
public:
    explicit InteractionCells(SceneContext& context);
    ~InteractionCells() override;
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

    // Hides every cell that shows, touching no other.
    void HideShown();
    void VisitShown(const QRectF& area,
                    const std::function<void(ScenePaintable&)>& visit) const override;
    // How many cells the canvas draws.
    int Drawn() const;
    // The window is going with its canvas: the cells stay and show nothing.
    void ForgetScene();

    using Slot = InteractionCellSlot;

private:
    struct Block;
    Slot& slot(int index) const;

    std::shared_ptr<InteractionCellShelf> shelf_;
    std::vector<std::shared_ptr<Block>> blocks_;
    int count_ = 0;
    // The canvas draws the cells where it met the first of them.
    bool onCanvas_ = false;
};

}  // namespace vrn
