#include "platform/richedit/undo_history.h"

namespace win32::richedit {

void UndoHistory::Record(Replacement r, EditKind kind) {
    redo_.clear();
    if (kind == EditKind::Typing && coalescing_ && !undo_.empty()) {
        Replacement& last = undo_.back().back();
        // A character typed right after the previous one extends its step.
        if (r.removed.empty() && r.position == last.position + static_cast<Pos>(last.inserted.size())) {
            last.inserted += r.inserted;
            return;
        }
    }
    if (maxSteps_ == 0) return;
    undo_.push_back({std::move(r)});
    while (undo_.size() > maxSteps_) undo_.pop_front();
    coalescing_ = kind == EditKind::Typing;
}

void UndoHistory::Undone() {
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    coalescing_ = false;
}

void UndoHistory::Redone() {
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    coalescing_ = false;
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    coalescing_ = false;
}

void UndoHistory::SetLimit(std::size_t maxSteps) {
    maxSteps_ = maxSteps;
    while (undo_.size() > maxSteps_) undo_.pop_front();
    if (maxSteps_ == 0) redo_.clear();
}

}  // namespace win32::richedit
