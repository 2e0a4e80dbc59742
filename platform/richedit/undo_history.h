// Multi-level undo and redo of text edits. Each step is a list of
// replacements; consecutive typing is merged into one step until something
// else happens (a caret move, another kind of edit, an explicit break).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/richedit/gap_buffer.h"

namespace win32::richedit {

// `removed` at `position` was replaced by `inserted`.
struct Replacement {
    Pos position;
    std::u16string removed;
    std::u16string inserted;
};

enum class EditKind { Typing, Other };

class UndoHistory {
public:
    explicit UndoHistory(std::size_t maxSteps = 100) : maxSteps_(maxSteps) {}

    void Record(Replacement r, EditKind kind);
    // Ends the typing step in progress, so the next typing starts a new one.
    void BreakCoalescing() { coalescing_ = false; }

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The step to undo (its replacements in the order they were made) and
    // the bookkeeping after it was applied.
    const std::vector<Replacement>& NextUndo() const { return undo_.back(); }
    void Undone();
    const std::vector<Replacement>& NextRedo() const { return redo_.back(); }
    void Redone();
    void Clear();
    void SetLimit(std::size_t maxSteps);

private:
    std::deque<std::vector<Replacement>> undo_;
    std::vector<std::vector<Replacement>> redo_;
    std::size_t maxSteps_;
    bool coalescing_ = false;
};

}  // namespace win32::richedit
