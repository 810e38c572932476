#include "entries/EntryList.h"

namespace kirabo {

void EntryList::release() {
    std::vector<FilterEntry>().swap(entries_);
}

}  // namespace kirabo
