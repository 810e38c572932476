// kirabo-host.exe: starts Kirabo.auf the way its host does, for trying it out by hand.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "Host.h"

namespace {

constexpr char kUsage[] =
    "usage: kirabo-host.exe [options]\n"
    "  --plugin FILE      the plug-in to load (default: Kirabo.auf next to this program)\n"
    "  --menus FILE       the host's menu bar, in the text format of the README\n"
    "                     (default: a host with a few Japanese filters and display tools)\n"
    "  --ini FILE         where the plug-in's settings are kept between runs\n"
    "                     (default: kirabo-host.ini next to this program)\n"
    "  --quit-after MS    ends the run after MS milliseconds, as if the host were closed\n"
    "  --help             this text\n";

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

void CALLBACK QuitTimer(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

int main(int argc, char** argv) {
    kirabo::emulator::HostOptions options;
    options.dllPath = ProgramDirectory() + "Kirabo.auf";
    options.iniPath = ProgramDirectory() + "kirabo-host.ini";
    options.openToolWindows = true;
    UINT quitAfter = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--plugin" && hasValue) {
            options.dllPath = argv[++i];
        } else if (arg == "--ini" && hasValue) {
            options.iniPath = argv[++i];
        } else if (arg == "--quit-after" && hasValue) {
            quitAfter = static_cast<UINT>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--menus" && hasValue) {
            std::ifstream file(argv[++i], std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            std::string error;
            if (!file || !kirabo::emulator::ParseMenuBar(text.str(), options.menus, error)) {
                std::fprintf(stderr, "kirabo-host: %s: %s\n", argv[i], file ? error.c_str() : "cannot be read");
                return 2;
            }
        } else {
            std::fprintf(stderr, "kirabo-host: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }

    kirabo::emulator::Host host;
    if (!host.Start(options)) {
        std::fprintf(stderr, "kirabo-host: %s is not a plug-in that can be loaded\n", options.dllPath.c_str());
        return 1;
    }
    if (quitAfter) SetTimer(nullptr, 0, quitAfter, QuitTimer);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    host.Stop();
    return 0;
}
