#include "app/matrixwin/interaction_cells.h"

#include "model/storage/bulk_memory.h"
#include "model/vrn_matrix_interaction.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

namespace vrn {

namespace {

// A small document's cells take one small block; a large one's take blocks of a huge page.
constexpr int kFirstBlockCells = 256;

}  // namespace

std::uint32_t InteractionCellShelf::Number(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    for (const std::uint32_t number : recent_) {
        if (texts_[number] == text) {
            return number;
        }
    }
    std::uint32_t number = 0;
    if (const auto found = numbers_.find(text); found != numbers_.end()) {
        number = found->second;
    } else {
        number = static_cast<std::uint32_t>(texts_.size());
        texts_.push_back(kept_.emplace_back(text));
        numbers_.emplace(texts_.back(), number);
    }
    recent_[nextRecent_] = number;
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    return number;
}

namespace {

// The cells of a block after the first: a huge page of them.
constexpr int kBlockCells =
    static_cast<int>((kCellBlockAlignment - kCellBlockHeaderBytes) / sizeof(InteractionCellSlot));

}  // namespace

// Cells made one after another in one piece of bulk memory, after its header; the block keeps
// the shelf they use.
struct InteractionCells::Block {
    Block(std::shared_ptr<InteractionCellShelf> cellShelf, int cellCapacity, int firstIndex)
        : shelf(std::move(cellShelf)),
          capacity(cellCapacity),
          // A full block takes its huge page whole.
          bytes(capacity == kBlockCells
                    ? kCellBlockAlignment
                    : kCellBlockHeaderBytes + sizeof(Slot) * static_cast<std::size_t>(capacity)),
          memory(static_cast<std::byte*>(AllocateBulk(bytes, kCellBlockAlignment))),
          cells(reinterpret_cast<Slot*>(memory + kCellBlockHeaderBytes)) {
        new (memory) InteractionCellBlockHeader{shelf.get(), firstIndex};
    }
    ~Block() {
        for (int i = 0; i < used; ++i) {
            cells[i].~Slot();
        }
        FreeBulk(memory, bytes);
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    std::shared_ptr<InteractionCellShelf> shelf;
    int capacity;
    int used = 0;
    std::size_t bytes;
    std::byte* memory;
    Slot* cells;
};

InteractionCells::InteractionCells(SceneContext& context)
    : shelf_(std::make_shared<InteractionCellShelf>()) {
    shelf_->context = &context;
}

InteractionCells::~InteractionCells() {
    ForgetScene();
}

std::shared_ptr<InteractionLabel> InteractionCells::Create(
    const std::shared_ptr<VRN_MatrixInteraction>& interaction, float width, float height) {
    if (blocks_.empty() || blocks_.back()->used == blocks_.back()->capacity) {
        const bool first = blocks_.empty();
        const int capacity = first ? kFirstBlockCells : kBlockCells;
        ReserveOneMore(blocks_);
        blocks_.push_back(std::make_shared<Block>(shelf_, capacity, count_ + 1));
    }
    if (!onCanvas_ && shelf_->context != nullptr) {
        shelf_->context->canvas->addGroup(*this);
        onCanvas_ = true;
    }
    shelf_->MakeRoomFor(count_ + 1);
    Block& block = *blocks_.back();
    Slot* slot = new (&block.cells[block.used]) Slot{{width, height}, interaction};
    ++block.used;
    ++count_;
    // Shares the block's life: the cell stays as long as anyone holds it.
    return std::shared_ptr<InteractionLabel>(blocks_.back(), &slot->label);
}

InteractionCells::Slot& InteractionCells::slot(int index) const {
    if (index < 1 || index > count_) {
        throw std::out_of_range("There is no interaction cell " + std::to_string(index));
    }
    if (index <= kFirstBlockCells) {
        return blocks_.front()->cells[index - 1];
    }
    const int rest = index - kFirstBlockCells - 1;
    return blocks_[static_cast<std::size_t>(1 + rest / kBlockCells)]->cells[rest % kBlockCells];
}

SceneInteractionLabel& InteractionCells::Cell(int index) const {
    return slot(index).label;
}

std::shared_ptr<VRN_MatrixInteraction> InteractionCells::Interaction(int index) const {
    if (index < 1 || index > count_) {
        return nullptr;
    }
    return slot(index).interaction.lock();
}

int InteractionCells::IndexOf(const ScenePaintable* control) const {
    const auto* label = dynamic_cast<const SceneInteractionLabel*>(control);
    if (label == nullptr) {
        return 0;
    }
    const std::int32_t index = label->index();
    return index >= 1 && index <= count_ && &Cell(index) == label ? index : 0;
}

void InteractionCells::HideShown() {
    shelf_->ForEachShown([this](std::int32_t index) { Cell(index).setVisible(false); });
}

void InteractionCells::VisitShown(const QRectF& area,
                                  const std::function<void(ScenePaintable&)>& visit) const {
    // Most shown cells lie off the part asked for: they are passed over here, cheaply.
    shelf_->ForEachShown([this, &area, &visit](std::int32_t index) {
        SceneInteractionLabel& cell = Cell(index);
        if (cell.MayMeet(area)) {
            visit(cell);
        }
    });
}

int InteractionCells::Drawn() const {
    int drawn = 0;
    shelf_->ForEachShown([this, &drawn](std::int32_t index) { drawn += Cell(index).drawn(); });
    return drawn;
}

void InteractionCells::ForgetScene() {
    if (shelf_->context == nullptr) {
        return;
    }
    shelf_->ForEachShown([this](std::int32_t index) {
        Cell(index).forgetScene();
        shelf_->MarkShown(index, false);
    });
    if (onCanvas_) {
        shelf_->context->canvas->removeGroup(*this);
    }
    shelf_->context = nullptr;
}

}  // namespace vrn
