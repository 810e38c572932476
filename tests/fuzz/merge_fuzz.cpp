// Any saved list and any host menus: the fast merge gives exactly the step-by-step result.
#include <cstdlib>

#include "FakeMenus.h"
#include "FuzzInput.h"

using namespace kirabo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    test::FakeMenus menus;
    EntryList saved;
    const int savedCount = in.Byte() % 16;
    for (int i = 0; i < savedCount; ++i) {
        FilterEntry e;
        e.name = in.Bytes(3);
        e.kind = static_cast<std::int32_t>(in.Byte() % 4);
        saved.append(e);
    }
    for (int position : {1, 2, 5}) {
        if (in.Byte() % 8 == 0) continue;
        auto& items = menus.menus[position];
        const int count = in.Byte() % 24;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t id = in.Byte();
            items.push_back({id == 255 ? 0xFFFFFFFFu : id % 32, in.Bytes(10)});
        }
    }
    EntryList fast = saved;
    EntryList literal = saved;
    MergeHostMenus(menus, fast);
    test::LiteralMerge(menus, literal);
    if (!(fast == literal)) std::abort();
    for (const FilterEntry& e : fast) {
        if (e.toggleCommand == 0 && e.settingsCommand == 0) std::abort();
    }
    return 0;
}
