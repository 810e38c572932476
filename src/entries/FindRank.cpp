#include "entries/FindRank.h"

#include <tuple>

namespace kirabo {

std::optional<std::size_t> BestFound(const std::vector<FoundRow>& found, const FindMemory& learned,
                                     std::string_view typed, std::int32_t today) {
    const Pick* longest = learned.PickFor(typed);
    const Pick* exact = longest && longest->text == typed ? longest : nullptr;
    const Pick* typedOn = learned.PickTypedOn(typed);
    const auto picked = [](const Pick* pick, const FoundRow& row) {
        return pick && pick->row.kind == row.kind && pick->row.name == row.name;
    };
    const auto pickRank = [&](const FoundRow& row) {
        return picked(exact, row) ? 3 : picked(typedOn, row) ? 2 : picked(longest, row) ? 1 : 0;
    };
    const auto usesOf = [&](const FoundRow& row) { return learned.UseOf({std::string(row.name), row.kind}, today); };
    std::optional<std::size_t> best;
    std::tuple<int, MatchQuality> bestRank;
    double bestUses = -1;  // looked up once a row ties with the best: the counts part rows equal otherwise
    for (std::size_t i = 0; i < found.size(); ++i) {
        const std::tuple<int, MatchQuality> rank{pickRank(found[i]), found[i].quality};
        if (!best || bestRank < rank) {
            best = i;
            bestRank = rank;
            bestUses = -1;
            continue;
        }
        if (rank != bestRank) continue;
        if (bestUses < 0) bestUses = usesOf(found[*best]);
        const double uses = usesOf(found[i]);
        if (uses > bestUses || (uses == bestUses && found[i].name.size() < found[*best].name.size())) {
            best = i;
            bestUses = uses;
        }
    }
    return best ? std::optional(found[*best].row) : std::nullopt;
}

}  // namespace kirabo
