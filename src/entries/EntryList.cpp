#include "entries/EntryList.h"

namespace kirabo {

void EntryList::insert(std::size_t i, const FilterEntry& entry) {
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), entry);
}

void EntryList::remove(std::size_t i) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
}

void EntryList::release() {
    std::vector<FilterEntry>().swap(entries_);
}

}  // namespace kirabo
