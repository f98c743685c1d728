// The module's fixed-capacity record tables. A capacity is a limit, not an
// allocation: storage grows as records arrive, so a 300,002-record table costs
// nothing until it is loaded. Records are numbered from 1 (slot 0 unused by
// loaders), the count is raised before the write, a record past the capacity
// is dropped, and reading an unused slot within capacity gives an empty record.
// Storage is kept in segments that never move once made: a record stays
// where it was written until the table is cleared, so a reference to one slot
// stays good while others are written (`t.slot(j) = t[i]` included), and
// growing a large table never copies it. A segment is taken whole when first
// written and is about a 64th of the capacity, so the peak is what is used
// plus at most one segment.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <utility>
#include <vector>

template <class T, std::size_t Slots> class BoundedTable {
    static_assert(Slots >= 1, "a table has at least slot 0");

  public:
    // Number of slots, index 0 included: valid indices are 0 .. Slots - 1.
    static constexpr std::size_t slots = Slots;

    BoundedTable() = default;
    // A copy takes each segment whole, as a growth would, so that its own
    // records stay put as it grows in turn. Assigning a table replaces every
    // record: references into the table assigned to no longer hold.
    BoundedTable(const BoundedTable& other) { *this = other; }
    BoundedTable(BoundedTable&&) = default;
    BoundedTable& operator=(BoundedTable&&) = default;
    BoundedTable& operator=(const BoundedTable& other) {
        if (this == &other) return *this;
        segments_.resize(other.segments_.size());
        for (std::size_t s = 0; s < other.segments_.size(); ++s) {
            std::vector<T>& to = segments_[s];
            const std::vector<T>& from = other.segments_[s];
            to.clear();
            if (from.empty()) continue;
            if (to.capacity() < segment_size(s)) to.reserve(segment_size(s));
            to.insert(to.end(), from.begin(), from.end());
        }
        count_ = other.count_;
        return *this;
    }

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return static_cast<std::size_t>(count_) + 1 >= Slots; }

    // Appends after the last record: count + 1. Returns the new index, or 0
    // when the table is full and the record was dropped.
    int append(T record) {
        if (full()) return 0;
        const auto i = static_cast<std::size_t>(count_) + 1;
        const Place p = place(i);
        // Right after the last slot stored, in a segment already taken.
        if (p.segment < segments_.size() && p.offset == segments_[p.segment].size() &&
            p.offset < segments_[p.segment].capacity())
            segments_[p.segment].push_back(std::move(record));
        else
            slot(i) = std::move(record);
        count_ = static_cast<int>(i);
        return count_;
    }

    // Sets the count directly (for owners that fill slots by index). Clamped
    // to the capacity.
    void set_count(int n) {
        if (n < 0) n = 0;
        if (static_cast<std::size_t>(n) >= Slots) n = static_cast<int>(Slots - 1);
        count_ = n;
    }

    // Read access: an unused slot, or an index outside the table, reads empty.
    const T& operator[](std::size_t i) const {
        const Place p = place(i);
        if (p.segment < segments_.size() && p.offset < segments_[p.segment].size())
            return segments_[p.segment][p.offset];
        return empty_record();
    }
    const T& operator[](int i) const { return i < 0 ? empty_record() : (*this)[static_cast<std::size_t>(i)]; }

    // Write access: stores the slot (and the slots before it in its segment);
    // an index outside the table gives a scratch record whose writes are
    // discarded.
    T& slot(std::size_t i) {
        if (i >= Slots) {
            scratch_ = T{};
            return scratch_;
        }
        const Place p = place(i);
        if (p.segment >= segments_.size()) segments_.resize(p.segment + 1);
        std::vector<T>& segment = segments_[p.segment];
        if (p.offset >= segment.size()) {
            // Taken whole the first time and never grown past: no record moves.
            if (segment.capacity() < segment_size(p.segment)) segment.reserve(segment_size(p.segment));
            segment.resize(p.offset + 1);
        }
        return segment[p.offset];
    }
    T& slot(int i) {
        if (i < 0) {
            scratch_ = T{};
            return scratch_;
        }
        return slot(static_cast<std::size_t>(i));
    }

    // Empties the table and gives its storage back.
    void clear() {
        count_ = 0;
        std::vector<std::vector<T>>().swap(segments_);
    }

    // Empties the table but keeps its storage, for a table that is filled
    // again to about the same size: the refill takes no memory from the
    // system.
    void clear_keeping_storage() {
        count_ = 0;
        for (std::vector<T>& segment : segments_)
            segment.clear();
    }

    // Slots actually stored (for memory checks).
    std::size_t stored() const {
        std::size_t n = 0;
        for (const auto& segment : segments_)
            n += segment.size();
        return n;
    }

  private:
    static const T& empty_record() {
        static const T empty{};
        return empty;
    }

    // Each segment holds a fixed run of slots, about a 64th of the capacity
    // (8 slots at least, 4096 at most): a small table takes little at a time,
    // a large one few segments, and finding a slot is a shift and a mask.
    static constexpr unsigned kSegmentBits = std::clamp<unsigned>(std::bit_width((Slots - 1) >> 6), 3, 12);
    static constexpr std::size_t kSegment = std::size_t{1} << kSegmentBits;

    struct Place {
        std::size_t segment;
        std::size_t offset;
    };
    static constexpr Place place(std::size_t i) { return {i >> kSegmentBits, i & (kSegment - 1)}; }
    // A segment's slots, the last one cut at the capacity.
    static constexpr std::size_t segment_size(std::size_t s) {
        const std::size_t left = Slots - (s << kSegmentBits);
        return kSegment < left ? kSegment : left;
    }

    std::vector<std::vector<T>> segments_;
    T scratch_{};
    int count_ = 0;
};
