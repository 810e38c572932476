// The buffers the plug-in hands the host's string services: ini_load_str is told no size, so the
// host and the plug-in must agree on it.
#pragma once

#include <cstddef>

namespace kirabo {

inline constexpr std::size_t kKeyBufferBytes = 256;
// The buffer a stored name is read into, terminator included.
inline constexpr std::size_t kNameBufferBytes = 4096;

}  // namespace kirabo
