// The module's fixed-capacity record tables. A capacity is a limit, not an
// allocation: storage grows as records arrive, so a 300,002-record table costs
// nothing until it is loaded. Records are numbered from 1 (slot 0 unused by
// loaders), the count is raised before the write, a record past the capacity
// is dropped, and reading an unused slot within capacity gives an empty record.
// Storage is kept in chunks so that growing a large table never copies it
// whole: the peak is what is used plus at most one chunk.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class T, std::size_t Slots> class BoundedTable {
  public:
    // Number of slots, index 0 included: valid indices are 0 .. Slots - 1.
    static constexpr std::size_t slots = Slots;

    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    bool full() const { return static_cast<std::size_t>(count_) + 1 >= Slots; }

    // Appends after the last record: count + 1. Returns the new index, or 0
    // when the table is full and the record was dropped.
    // The record is taken by value, so appending a record of this same table
    // is safe while storage grows.
    int append(T record) {
        if (full()) return 0;
        const auto i = static_cast<std::size_t>(count_) + 1;
        const std::size_t c = i / kChunk;
        // Right after the last slot stored, with room: no resize.
        if (c < chunks_.size() && i % kChunk == chunks_[c].size() && chunks_[c].size() < chunks_[c].capacity())
            chunks_[c].push_back(std::move(record));
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
        const std::size_t c = i / kChunk;
        const std::size_t o = i % kChunk;
        if (c < chunks_.size() && o < chunks_[c].size()) return chunks_[c][o];
        return empty_record();
    }
    const T& operator[](int i) const { return i < 0 ? empty_record() : (*this)[static_cast<std::size_t>(i)]; }

    // Write access: grows storage up to the slot; an index outside the table
    // gives a scratch record whose writes are discarded.
    T& slot(std::size_t i) {
        if (i >= Slots) {
            scratch_ = T{};
            return scratch_;
        }
        const std::size_t c = i / kChunk;
        const std::size_t o = i % kChunk;
        if (c >= chunks_.size()) chunks_.resize(c + 1);
        std::vector<T>& chunk = chunks_[c];
        if (o >= chunk.size()) {
            if (o >= chunk.capacity()) {
                // A table past its first chunk is a big one: take its later
                // chunks whole rather than copying them as they double.
                std::size_t want = c > 0 ? kChunk : chunk.capacity() * 2;
                if (want < o + 1) want = o + 1;
                if (want > kChunk) want = kChunk;
                chunk.reserve(want);
            }
            chunk.resize(o + 1);
        }
        return chunk[o];
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
        std::vector<std::vector<T>>().swap(chunks_);
    }

    // Empties the table but keeps its storage, for a table that is filled
    // again to about the same size: the refill takes no memory from the
    // system.
    void clear_keeping_storage() {
        count_ = 0;
        for (std::vector<T>& chunk : chunks_)
            chunk.clear();
    }

    // Slots actually stored (for memory checks).
    std::size_t stored() const {
        std::size_t n = 0;
        for (const auto& chunk : chunks_)
            n += chunk.size();
        return n;
    }

  private:
    static const T& empty_record() {
        static const T empty{};
        return empty;
    }

    static constexpr std::size_t kChunk = 4096;

    std::vector<std::vector<T>> chunks_;
    T scratch_{};
    int count_ = 0;
};
