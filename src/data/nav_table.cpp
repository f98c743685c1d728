#include "data/nav_table.h"

#include <cstring>
#include <limits>

NavTextStore& NavTextStore::operator=(const NavTextStore& other) {
    if (this == &other) return *this;
    if (other.size_ > capacity_) {
        bytes_.reset(new char[other.size_]);
        capacity_ = other.size_;
    }
    if (other.size_ > 0) std::memcpy(bytes_.get(), other.bytes_.get(), other.size_);
    size_ = other.size_;
    return *this;
}

namespace {

// Offsets into a store are 32 bits.
constexpr std::size_t kMaxStore = std::numeric_limits<uint32_t>::max();

} // namespace

void NavTextStore::grow_to(std::size_t capacity, std::unique_ptr<char[]>& old) {
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (size_ > 0) std::memcpy(grown.get(), bytes_.get(), size_);
    old = std::move(bytes_);
    bytes_ = std::move(grown);
    capacity_ = capacity;
}

bool NavTextStore::room_for(std::size_t total, std::unique_ptr<char[]>& old) {
    if (total > kMaxStore - size_) return false;
    if (total <= capacity_ - size_) return true;
    std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
    while (capacity - size_ < total)
        capacity = capacity > kMaxStore / 2 ? kMaxStore : capacity * 2;
    grow_to(capacity, old);
    return true;
}

void NavTextStore::reserve(std::size_t total) {
    if (total > kMaxStore - size_ || total <= capacity_ - size_) return;
    std::unique_ptr<char[]> old;
    grow_to(size_ + total, old);
}

NavEntry NavTextStore::add(std::string_view ident, std::string_view kind, std::string_view extra,
                           std::string_view name, std::string_view elevation_text) {
    std::string_view texts[] = {ident, kind, extra, name, elevation_text};
    NavEntry e;
    e.name_is_ident = !name.empty() && name == ident;
    if (e.name_is_ident) texts[3] = {};
    std::size_t total = 0;
    for (std::string_view& t : texts) {
        t = t.substr(0, kNavTextLimit);
        total += t.size();
    }
    std::unique_ptr<char[]> old; // freed after the copies, which may read it
    if (!room_for(total, old)) return e;
    e.text = static_cast<uint32_t>(size_);
    char* to = bytes_.get() + size_;
    for (const std::string_view t : texts) {
        if (!t.empty()) std::memcpy(to, t.data(), t.size());
        to += t.size();
    }
    e.ident_size = static_cast<uint16_t>(texts[0].size());
    e.kind_size = static_cast<uint16_t>(texts[1].size());
    e.extra_size = static_cast<uint16_t>(texts[2].size());
    e.name_size = static_cast<uint16_t>(texts[3].size());
    if (e.name_is_ident) e.name_size = e.ident_size;
    e.elevation_size = static_cast<uint16_t>(texts[4].size());
    size_ += total;
    return e;
}

bool NavTextStore::add_run_growing(const NavTextStore& from, const NavEntry& entry, std::size_t size,
                                   NavEntry& to) {
    std::unique_ptr<char[]> old;
    if (entry.text > from.size_ || size > from.size_ - entry.text || !room_for(size, old)) return false;
    // `from` may be this store, whose bytes may just have moved.
    const char* source = (&from == this && old ? old.get() : from.bytes_.get()) + entry.text;
    if (size > 0) std::memcpy(bytes_.get() + size_, source, size);
    to.text = static_cast<uint32_t>(size_);
    size_ += size;
    return true;
}

NavRecordView NavTextStore::view(const NavEntry& e) const {
    NavRecordView r;
    r.latitude = e.latitude;
    r.longitude = e.longitude;
    const std::size_t name_stored = e.name_is_ident ? 0 : e.name_size;
    const std::size_t total =
        std::size_t{e.ident_size} + e.kind_size + e.extra_size + name_stored + e.elevation_size;
    if (total == 0 || e.text > size_ || total > size_ - e.text) return r;
    const char* p = bytes_.get() + e.text;
    auto next = [&p](uint16_t size) {
        const std::string_view t(p, size);
        p += size;
        return t;
    };
    r.ident = next(e.ident_size);
    r.kind = next(e.kind_size);
    r.extra = next(e.extra_size);
    r.name = e.name_is_ident ? r.ident : next(e.name_size);
    r.elevation_text = next(e.elevation_size);
    return r;
}
