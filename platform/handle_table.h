// Handles are keys into tables of live objects. A key carries a kind tag, a
// slot index and the slot's generation, so a handle of the wrong kind, a
// made-up value or a handle whose object was destroyed finds nothing: the
// caller then fails the Win32 way instead of touching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace win32 {

// Kind tags; each table uses its own so handles of different kinds never
// collide (an HMENU passed where an HWND is expected is simply not found).
enum class HandleKind : std::uint32_t {
    Window = 1,
    Menu = 2,
    GdiObject = 3,
    DeviceContext = 4,
    Hook = 5,
    Accelerator = 6,
    Icon = 7,
    Metafile = 8,
    ImageList = 9,
    Global = 10,
    Other = 11,
    Printer = 12,
};

// Layout of a handle value: kind (4 bits) | generation (8 bits) | index
// (20 bits), never zero. Values fit in 32 bits so they survive being stored
// in a LONG, as Win32 programs sometimes do.
template <class T>
class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(static_cast<std::uint32_t>(kind)) {}

    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Takes ownership of the object and returns its key (0 when full).
    std::uintptr_t Add(std::unique_ptr<T> object) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= kMaxIndex) return 0;
            index = static_cast<std::uint32_t>(slots_.size());
            slots_.push_back(Slot{});
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        ++count_;
        return Key(index, slot.generation);
    }

    // The live object for the key, or nullptr.
    T* Get(std::uintptr_t key) const {
        const Slot* slot = Find(key);
        return slot ? slot->object.get() : nullptr;
    }

    template <class H>
    T* Get(H* handle) const {
        return Get(reinterpret_cast<std::uintptr_t>(handle));
    }

    // Removes the object and hands it back; the key is dead from now on.
    std::unique_ptr<T> Remove(std::uintptr_t key) {
        Slot* slot = const_cast<Slot*>(Find(key));
        if (!slot) return nullptr;
        std::unique_ptr<T> object = std::move(slot->object);
        slot->generation = static_cast<std::uint8_t>(slot->generation + 1);
        free_.push_back(static_cast<std::uint32_t>(slot - slots_.data()));
        --count_;
        return object;
    }

    template <class H>
    std::unique_ptr<T> Remove(H* handle) {
        return Remove(reinterpret_cast<std::uintptr_t>(handle));
    }

    std::size_t Count() const { return count_; }

    // Visits every live object with its key; the visitor must not add or
    // remove entries.
    template <class F>
    void ForEach(F&& visit) const {
        for (std::uint32_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].object) visit(Key(i, slots_[i].generation), slots_[i].object.get());
        }
    }

    // Destroys every object (used when the window system is reset).
    void Clear() {
        for (std::uint32_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].object) {
                slots_[i].object.reset();
                slots_[i].generation = static_cast<std::uint8_t>(slots_[i].generation + 1);
                free_.push_back(i);
            }
        }
        count_ = 0;
    }

private:
    static constexpr std::uint32_t kIndexBits = 20;
    static constexpr std::uint32_t kMaxIndex = (1u << kIndexBits) - 1;

    struct Slot {
        std::unique_ptr<T> object;
        std::uint8_t generation = 1;
    };

    std::uintptr_t Key(std::uint32_t index, std::uint8_t generation) const {
        // Index 0 would give a zero key for kind 0; kinds start at 1, so
        // every key is non-zero.
        return (static_cast<std::uintptr_t>(kind_) << 28) | (static_cast<std::uintptr_t>(generation) << kIndexBits) |
               (index + 1);
    }

    const Slot* Find(std::uintptr_t key) const {
        if ((key >> 28) != kind_ || (key >> 32) != 0) return nullptr;
        std::uint32_t index = static_cast<std::uint32_t>(key & kMaxIndex);
        if (index == 0) return nullptr;
        --index;
        if (index >= slots_.size()) return nullptr;
        const Slot& slot = slots_[index];
        if (!slot.object || slot.generation != ((key >> kIndexBits) & 0xFF)) return nullptr;
        return &slot;
    }

    std::uint32_t kind_;
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
    std::size_t count_ = 0;
};

// Converts a table key to a typed handle and back.
template <class H>
H ToHandle(std::uintptr_t key) {
    return reinterpret_cast<H>(key);
}

template <class H>
std::uintptr_t FromHandle(H handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

}  // namespace win32
