// Movable memory blocks: GlobalAlloc and its companions.
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "platform/handle_table.h"
#include "platform/kernel/winbase.h"

namespace win32 {
namespace {

struct GlobalBlock {
    std::vector<BYTE> bytes;  // never empty, so a zero-sized block still has an address
    SIZE_T size = 0;
    UINT flags = 0;
    unsigned locks = 0;
};

HandleTable<GlobalBlock>& Blocks() {
    static HandleTable<GlobalBlock> table(HandleKind::Global);
    return table;
}

GlobalBlock* LookUp(HGLOBAL memory) {
    GlobalBlock* block = Blocks().Get(memory);
    if (!block) SetLastError(ERROR_INVALID_HANDLE);
    return block;
}

// Larger requests are refused rather than attempted: nothing of this
// program asks for more, and a wild size must not bring the process down.
constexpr SIZE_T kLargestBlock = SIZE_T{1} << 31;

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (bytes > kLargestBlock) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto block = std::make_unique<GlobalBlock>();
    try {
        block->bytes.assign(bytes ? bytes : 1, 0);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    block->size = bytes;
    block->flags = flags;
    std::uintptr_t key = Blocks().Add(std::move(block));
    if (!key) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(key);
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags) {
    GlobalBlock* block = LookUp(memory);
    if (!block) return nullptr;
    if (flags & GMEM_MODIFY) return memory;  // only the flags would change
    if (bytes > kLargestBlock) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // A locked block keeps its address; it may shrink but not grow.
    if (block->locks && bytes > block->bytes.size()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    try {
        if (!block->locks) block->bytes.resize(bytes ? bytes : 1, 0);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (bytes > block->size) std::fill(block->bytes.begin() + block->size, block->bytes.begin() + bytes, 0);
    block->size = bytes;
    return memory;
}

LPVOID GlobalLock(HGLOBAL memory) {
    GlobalBlock* block = LookUp(memory);
    if (!block) return nullptr;
    if (block->locks < GMEM_LOCKCOUNT) ++block->locks;
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    GlobalBlock* block = LookUp(memory);
    if (!block) return FALSE;
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    if (!memory) return nullptr;
    if (!Blocks().Remove(memory)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL memory) {
    GlobalBlock* block = LookUp(memory);
    return block ? block->size : 0;
}

UINT GlobalFlags(HGLOBAL memory) {
    GlobalBlock* block = LookUp(memory);
    if (!block) return GMEM_INVALID_HANDLE;
    return block->locks & GMEM_LOCKCOUNT;
}

}  // namespace win32
