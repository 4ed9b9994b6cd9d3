#pragma once
// A growable list of game entries that always ends with one blank entry: a new entry is
// written into that last slot and the list is then lengthened by one. Entries are never
// removed or reordered, because other state refers to them by position.
#include <vector>

#include "state/Records.h"

class TGameList {
public:
    TGameList() { Clear(); }

    // Empties the list down to its blank slot.
    void Clear() { Entries.assign(1, BlankRecord<TGameEntry>()); }
    // The blank last slot, to be filled before Commit().
    TGameEntry& Blank() { return Entries.back(); }
    // Keeps what was written into the blank slot and opens a new blank slot after it.
    void Commit() { Entries.push_back(BlankRecord<TGameEntry>()); }
    void Append(const TGameEntry& entry) {
        Blank() = entry;
        Commit();
    }

    // Length including the blank slot, as the rules count it.
    int Length() const { return static_cast<int>(Entries.size()); }
    int RealCount() const { return Length() - 1; }

    TGameEntry& operator[](long index) {
        if (index < 0 || index >= Length()) ThrowIndexError(index, 0, Length() - 1);
        return Entries[static_cast<size_t>(index)];
    }
    const TGameEntry& operator[](long index) const {
        if (index < 0 || index >= Length()) ThrowIndexError(index, 0, Length() - 1);
        return Entries[static_cast<size_t>(index)];
    }

    auto begin() { return Entries.begin(); }
    auto end() { return Entries.end() - 1; } // real entries only
    auto begin() const { return Entries.begin(); }
    auto end() const { return Entries.end() - 1; }

private:
    std::vector<TGameEntry> Entries;
};
