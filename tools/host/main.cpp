// kirabo-host.exe: starts Kirabo.auf the way its host does, for trying it out by hand.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "Host.h"

namespace {

// The name the messages give the program: the command that started it (./run sets it).
std::string ProgramName() {
    const char* name = std::getenv("KIRABO_HOST_NAME");
    return name && *name ? name : "kirabo-host.exe";
}

constexpr char kOptions[] =
    "  --plugin FILE      the plug-in to load (default: Kirabo.auf next to this program)\n"
    "  --menus FILE       the host's menu bar, in the text format of the README\n"
    "                     (default: a host with a few Japanese filters and display tools)\n"
    "  --filters N        instead of those menus, N generated filters, each with a settings item and\n"
    "                     every other one on: the palette at scale (1-10000; try 300, 1000, 5000)\n"
    "  --ini FILE         where the plug-in's settings are kept between runs\n"
    "                     (default: kirabo-host.ini next to this program)\n"
    "  --quit-after MS    ends the run after MS milliseconds, as if the host were closed\n"
    "  --help             this text\n"
    "Ctrl+F in the host's window chooses the plug-in's own item (first in the settings menu), as if the\n"
    "user had given it that key in the host's shortcut settings. Each command, key and menu the host's\n"
    "window receives is printed, a line each.\n";

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

// The generated menus' ids stay below the emulator's own up to here.
constexpr UINT kMostFilters = 10000;

// A whole number from 1 to `most`, written in decimal and nothing else.
bool ReadNumber(const std::string& text, unsigned long most, UINT& number) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end || text[0] == '-' || errno || value == 0 || value > most) return false;
    number = static_cast<UINT>(value);
    return true;
}

void CALLBACK QuitTimer(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

void PrintLine(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The options of the command that starts the emulator (./run's own), listed after --help.
std::string Usage() {
    std::string usage = "usage: " + ProgramName() + " [options]\n" + kOptions;
    const char* more = std::getenv("KIRABO_HOST_MORE_OPTIONS");
    if (more) usage.insert(usage.find('\n', usage.find("  --help ")) + 1, more);
    return usage;
}

// A path for the messages, which go to a Linux terminal that reads UTF-8: the program has it in
// the ANSI code page.
std::string Utf8(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, utf16.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

int Fail(const std::string& message, int status = 2) {
    std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), message.c_str());
    return status;
}

bool ReadMenus(const std::string& path, kirabo::emulator::MenuBarText& menus, std::string& message) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        message = Utf8(path) + (attributes == INVALID_FILE_ATTRIBUTES ? ": not found" : ": is a folder");
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    if (!file.good() && !file.eof()) {
        message = Utf8(path) + ": cannot be read";
        return false;
    }
    kirabo::emulator::MenuFileError error;
    if (kirabo::emulator::ParseMenuBar(text.str(), menus, error)) return true;
    message = Utf8(path) + (error.line ? ":" + std::to_string(error.line) : std::string()) + ": " + error.what;
    return false;
}

// Why settings could not be kept at `path`; empty when they can.
std::string IniProblem(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "is a folder";
    const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    if (!folder.empty()) {
        const DWORD folderAttributes = GetFileAttributesA(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return "its folder does not exist";
        }
    }
    // Marked read-only: root may still open it, but a user's host would not write it.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return "cannot be written";
    // Only opening it for writing tells for sure, in a folder the user may not write to as well. A
    // file made for the trial goes again: the host writes its settings at its exit.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "cannot be written";
    const bool made = GetLastError() != ERROR_ALREADY_EXISTS;
    CloseHandle(file);
    if (made) DeleteFileA(path.c_str());
    return {};
}

DWORD g_hostThread = 0;

// How long a host asked to close by Ctrl+C may take before it is ended all the same.
constexpr DWORD kCloseGraceMs = 10000;

// Ctrl+C, or SIGINT from ./run when it is stopped, ends the host's message loop as a click on its
// window's × does, even while the plug-in is starting: the plug-in's exit runs and the settings
// are written. A host that cannot close still ends.
BOOL WINAPI CloseOnCtrlC(DWORD) {
    PostThreadMessageA(g_hostThread, WM_QUIT, 0, 0);
    Sleep(kCloseGraceMs);
    ExitProcess(1);
}

}  // namespace

int main(int argc, char** argv) {
    kirabo::emulator::HostOptions options;
    options.dllPath = ProgramDirectory() + "Kirabo.auf";
    options.iniPath = ProgramDirectory() + "kirabo-host.ini";
    options.openToolWindows = true;
    options.keepOwnedAbove = true;
    options.paletteItem = true;
    options.itemKey = 'F';
    options.itemKeyFlags = kirabo::host::kMenuItemCtrl;
    options.report = PrintLine;
    UINT quitAfter = 0;
    UINT filters = 0;
    bool menusGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(Usage().c_str(), stdout);
            return 0;
        }
        const bool takesNumber = arg == "--quit-after" || arg == "--filters";
        const bool takesValue = takesNumber || arg == "--plugin" || arg == "--ini" || arg == "--menus";
        if (!takesValue) return Fail("unknown option " + arg + "\n" + Usage());
        if (i + 1 >= argc) {
            return Fail(arg + " needs " +
                        (arg == "--quit-after" ? "a number of milliseconds"
                         : takesNumber         ? "a number of filters"
                                               : "a file"));
        }
        const std::string value = argv[++i];
        if (arg == "--plugin") {
            options.dllPath = value;
        } else if (arg == "--ini") {
            options.iniPath = value;
        } else if (arg == "--quit-after") {
            if (!ReadNumber(value, 0x7FFFFFFF, quitAfter)) {
                return Fail("--quit-after needs a number of milliseconds above 0, not \"" + value + "\"");
            }
        } else if (arg == "--filters") {
            if (!ReadNumber(value, kMostFilters, filters)) {
                return Fail("--filters needs a number of filters from 1 to " + std::to_string(kMostFilters) +
                            ", not \"" + value + "\"");
            }
        } else {
            std::string message;
            if (!ReadMenus(value, options.menus, message)) return Fail(message);
            menusGiven = true;
        }
    }
    if (filters && menusGiven) return Fail("--filters and --menus both give the host's menus: give one of them");
    if (filters) options.menus = kirabo::emulator::ManyFilters(static_cast<int>(filters), "フィルタ", 2);
    if (GetFileAttributesA(options.dllPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Fail(Utf8(options.dllPath) + ": not found", 1);
    }
    if (const std::string problem = IniProblem(options.iniPath); !problem.empty()) {
        return Fail(Utf8(options.iniPath) + ": settings cannot be kept there: " + problem, 1);
    }

    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for CloseOnCtrlC
    g_hostThread = GetCurrentThreadId();
    SetConsoleCtrlHandler(CloseOnCtrlC, TRUE);
    kirabo::emulator::Host host;
    if (!host.Start(options)) return Fail(Utf8(options.dllPath) + " is not a plug-in that can be loaded", 1);
    if (quitAfter) SetTimer(nullptr, 0, quitAfter, QuitTimer);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    host.Stop();
    if (host.saveError()) {
        return Fail(Utf8(options.iniPath) + ": the settings could not be saved (Windows error " +
                        std::to_string(host.saveError()) + ")",
                    1);
    }
    return 0;
}
