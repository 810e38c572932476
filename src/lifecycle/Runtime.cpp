// MinGW builds only: keeps the statically linked C++ runtime small, and hands back what it holds
// when the host unloads the plug-in.
//
// The runtime's default terminate handler prints the demangled name of an uncaught exception,
// which links in the whole demangler; and its out-of-line "throw" helpers build exception
// objects that carry copy-on-write strings, which link in that string's whole instantiation.
// No exception leaves the plug-in's callbacks, and every failure the containers can report here
// is a request for more memory than there is, so each helper throws std::bad_alloc, which the
// callbacks catch like any other.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

// Frees the runtime's emergency exception pool, which it allocates when the DLL loads.
void __freeres();

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }

}  // namespace std

// Without this every load and unload of the DLL in one process would leave the pool behind. Only
// at FreeLibrary (reserved is null): at process exit nothing may be freed any more.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
    return TRUE;
}
