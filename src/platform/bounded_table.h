// The module's fixed-capacity record tables. A capacity is a limit, not an
// allocation: storage grows as records arrive, so a 300,002-record table costs
// nothing until it is loaded. Records are numbered from 1 (slot 0 unused by
// loaders), the count is raised before the write, a record past the capacity
// is dropped, and reading an unused slot within capacity gives an empty record.
// Storage is kept in blocks that never move once made (8, 8, 16, ... 2048
// slots up to 4096, then 4096 each): a reference to one slot stays valid while
// another slot is written, and growing a table never copies it; the peak is
// what is used plus at most one block.
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
        if (p.block < blocks_.size() && p.offset < blocks_[p.block].size()) return blocks_[p.block][p.offset];
        return empty_record();
    }
    const T& operator[](int i) const { return i < 0 ? empty_record() : (*this)[static_cast<std::size_t>(i)]; }

    // Write access: grows storage up to the slot; an index outside the table
    // gives a scratch record whose writes are discarded. Within the first
    // 4096 slots every slot below it is stored too.
    T& slot(std::size_t i) {
        if (i >= Slots) {
            scratch_ = T{};
            return scratch_;
        }
        const Place p = place(i);
        if (p.block >= blocks_.size()) blocks_.resize(p.block + 1);
        for (std::size_t b = 0; p.block < kGrownBlocks && b < p.block; ++b)
            fill(b, block_size(b));
        fill(p.block, p.offset + 1);
        return blocks_[p.block][p.offset];
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
        std::vector<std::vector<T>>().swap(blocks_);
    }

    // Empties the table but keeps its storage, for a table that is filled
    // again to about the same size: the refill takes no memory from the
    // system.
    void clear_keeping_storage() {
        count_ = 0;
        for (std::vector<T>& block : blocks_)
            block.clear();
    }

    // Slots actually stored (for memory checks).
    std::size_t stored() const {
        std::size_t n = 0;
        for (const auto& block : blocks_)
            n += block.size();
        return n;
    }

  private:
    static const T& empty_record() {
        static const T empty{};
        return empty;
    }

    static constexpr std::size_t kFirst = 8;
    static constexpr std::size_t kBlock = 4096;
    static constexpr std::size_t kGrownBlocks = 10; // 8, 8, 16, ... 2048: slots 0..4095

    struct Place {
        std::size_t block, offset;
    };
    static Place place(std::size_t i) {
        if (i < kFirst) return {0, i};
        if (i >= kBlock) return {kGrownBlocks - 1 + i / kBlock, i % kBlock};
        std::size_t b = 1;
        while ((kFirst << b) <= i)
            ++b;
        return {b, i - (kFirst << (b - 1))};
    }
    static std::size_t block_size(std::size_t b) {
        if (b >= kGrownBlocks) return kBlock;
        return b == 0 ? kFirst : kFirst << (b - 1);
    }
    // Block b holds at least n slots. A block takes its whole size when made
    // and never grows past it, so its slots never move.
    void fill(std::size_t b, std::size_t n) {
        std::vector<T>& block = blocks_[b];
        if (block.size() >= n) return;
        if (block.capacity() < block_size(b)) block.reserve(block_size(b));
        block.resize(n);
    }

    std::vector<std::vector<T>> blocks_;
    T scratch_{};
    int count_ = 0;
};
