// Test support: names and typed text as they reach the plug-in.
#pragma once

#include <iconv.h>

#include <string>

namespace kirabo {

// The Shift-JIS bytes of a UTF-8 literal, as names and typed text reach the plug-in.
inline std::string ShiftJis(const char* utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string in(utf8), out(in.size() * 2 + 1, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    iconv(convert, &from, &left, &to, &room);
    iconv_close(convert);
    out.resize(out.size() - room);
    return out;
}

}  // namespace kirabo
