#include "controls/FindCount.h"

namespace kirabo {
namespace {

constexpr char kCountSuffix[] = "\x8c\x8f";                               // 件, after the number of matches
constexpr char kHiddenCountText[] = "\x81\x45\x94\xf1\x95\x5c\x8e\xa6 ";  // ・非表示, before the hidden matches

}  // namespace

std::string FindCountText(std::optional<std::size_t> matches, std::size_t hiddenMatches) {
    if (!matches) return {};
    std::string text = std::to_string(*matches) + kCountSuffix;
    if (hiddenMatches > 0) text += kHiddenCountText + std::to_string(hiddenMatches);
    return text;
}

}  // namespace kirabo
