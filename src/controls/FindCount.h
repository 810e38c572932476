// The text beside a find box, in both windows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kirabo {

// The matches counted ("12件"), and the matches the user hid, when there are any ("12件・非表示 3");
// nothing when there is nothing to count: the reorder dialog's box, empty, selects no row, where the
// palette's, empty, leaves every row shown, and counts them.
std::string FindCountText(std::optional<std::size_t> matches, std::size_t hiddenMatches);

}  // namespace kirabo
