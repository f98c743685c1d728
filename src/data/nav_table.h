// The navigation tables and nearby lists as stored: a small fixed-size entry
// per record and the record's texts in one text store per table. Half a
// million records of five texts each would otherwise cost a heap text apiece
// and five times the memory, and a reload would give all of it back to take
// it again.
#pragma once

#include "data/nav_record.h"
#include "platform/bounded_table.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

// One stored record: its position as read (no bit of it changes) and where
// its texts lie in its table's store. The texts follow each other in the
// order ident, kind, extra, name, elevation text, so that a list, which keeps
// the first ones only, copies one run of bytes per record. A name that is
// the ident again (most fixes) is not stored twice.
struct NavEntry {
    double latitude = 0.0;
    double longitude = 0.0;
    uint32_t text = 0;
    uint16_t ident_size = 0;
    uint16_t kind_size = 0;
    uint16_t extra_size = 0;
    uint16_t name_size = 0;
    uint16_t elevation_size = 0;
    bool name_is_ident = false; // in the padding: the name's bytes are the ident's
};

// The longest text a record keeps; a file line holds at most 1698 characters,
// so only texts given otherwise are ever cut.
inline constexpr std::size_t kNavTextLimit = 65535;

// The texts of one table, one record's after another. Clearing keeps the
// storage for the next fill.
class NavTextStore {
  public:
    NavTextStore() = default;
    NavTextStore(const NavTextStore& other) { *this = other; }
    NavTextStore& operator=(const NavTextStore& other);
    NavTextStore(NavTextStore&&) noexcept = default;
    NavTextStore& operator=(NavTextStore&&) noexcept = default;

    // Stores the five texts of a record (each cut to kNavTextLimit) and gives
    // the entry that finds them; its position is left at 0. The texts may
    // lie in this store. A store that would pass 4 GiB keeps them empty.
    NavEntry add(std::string_view ident, std::string_view kind, std::string_view extra, std::string_view name,
                 std::string_view elevation_text);

    // Copies the first `size` bytes of an entry's texts in `from` (which may
    // be this store) to the end of this one and points `to` at them; false
    // when they are not all in `from` or do not fit.
    bool add_run(const NavTextStore& from, const NavEntry& entry, std::size_t size, NavEntry& to) {
        // The usual case, inline: another store's texts into room left here.
        if (&from == this || entry.text > from.size_ || size > from.size_ - entry.text ||
            size > capacity_ - size_)
            return add_run_growing(from, entry, size, to);
        if (size > 0) std::memcpy(bytes_.get() + size_, from.bytes_.get() + entry.text, size);
        to.text = static_cast<uint32_t>(size_);
        size_ += size;
        return true;
    }

    // The record that an entry of this store describes; an entry that lies
    // outside the store reads empty.
    NavRecordView view(const NavEntry& entry) const;

    // Room for `total` more bytes taken at once, so that a fill of known
    // size neither copies the store as it grows nor touches memory twice.
    void reserve(std::size_t total);

    void clear() { size_ = 0; }
    std::size_t size() const { return size_; }

  private:
    bool add_run_growing(const NavTextStore& from, const NavEntry& entry, std::size_t size, NavEntry& to);
    // Room for total more bytes; a growth hands the old bytes to `old`.
    bool room_for(std::size_t total, std::unique_ptr<char[]>& old);
    void grow_to(std::size_t capacity, std::unique_ptr<char[]>& old);

    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Which texts a nearby list takes from its source record: an airport list
// the ident; a navaid or airway-fix list also the kind and the extra text.
enum class NavFields { ident, ident_kind_extra };

// A table of navigation records numbered from 1, at most Slots - 1 of them
// (slot 0 stays empty). Reading a record gives a view of it, valid until the
// table is next written; reading outside 1..count() gives an empty record.
template <std::size_t Slots> class NavTable {
  public:
    static constexpr std::size_t slots = Slots;

    int count() const { return entries_.count(); }
    bool empty() const { return entries_.empty(); }
    bool full() const { return entries_.full(); }

    NavRecordView operator[](int i) const { return texts_.view(entry(i)); }
    NavRecordView operator[](std::size_t i) const {
        return i > static_cast<std::size_t>(count()) ? NavRecordView{} : (*this)[static_cast<int>(i)];
    }

    // The stored entry of record i; an empty one outside 1..count().
    const NavEntry& entry(int i) const { return i < 1 || i > count() ? kEmpty : entries_[i]; }
    const NavTextStore& texts() const { return texts_; }
    void reserve_texts(std::size_t total) { texts_.reserve(total); }
    // Slots of entries stored (for memory checks).
    std::size_t stored() const { return entries_.stored(); }

    // Adds a record after the last: its number, or 0 when the table is full
    // and the record was dropped.
    int append(std::string_view ident, std::string_view name, double latitude, double longitude,
               std::string_view kind, std::string_view extra = {}, std::string_view elevation_text = {}) {
        if (full()) return 0;
        NavEntry e = texts_.add(ident, kind, extra, name, elevation_text);
        e.latitude = latitude;
        e.longitude = longitude;
        return entries_.append(e);
    }
    int append(const NavRecordView& r) {
        return append(r.ident, r.name, r.latitude, r.longitude, r.kind, r.extra, r.elevation_text);
    }
    int append(const NavRecord& r) { return append(NavRecordView(r)); }

    // Adds record i of another table or list as a nearby list keeps it: the
    // position and the given texts; the others empty.
    // Its kept texts lead its run in the source's store: one copy.
    template <std::size_t SourceSlots>
    int append_from(const NavTable<SourceSlots>& source, int i, NavFields fields) {
        if (full()) return 0;
        const NavEntry& from = source.entry(i);
        NavEntry e;
        e.latitude = from.latitude;
        e.longitude = from.longitude;
        e.ident_size = from.ident_size;
        if (fields == NavFields::ident_kind_extra) {
            e.kind_size = from.kind_size;
            e.extra_size = from.extra_size;
        }
        if (!texts_.add_run(source.texts(), from, std::size_t{e.ident_size} + e.kind_size + e.extra_size, e))
            e = NavEntry{e.latitude, e.longitude};
        return entries_.append(e);
    }

    // Empties the table; its storage is kept for the next fill.
    void clear() {
        entries_.clear_keeping_storage();
        texts_.clear();
    }

  private:
    static constexpr NavEntry kEmpty{};

    BoundedTable<NavEntry, Slots> entries_;
    NavTextStore texts_;
};
