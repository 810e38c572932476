# Windows build: Kirabo.auf, the host emulator and the Windows tests, run under Wine by CTest.
enable_language(RC)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

set(KIRABO_WARNINGS -Wall -Wextra -Werror)
set(KIRABO_CHARSET $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=CP932>)
target_compile_options(kirabo_core PRIVATE -ffunction-sections -fdata-sections)

add_library(Kirabo SHARED
  src/lifecycle/HostSettingsStore.cpp
  src/lifecycle/Plugin.cpp
  src/entries/ScanHostMenus.cpp
  src/controls/FindBox.cpp
  src/controls/InPlaceEditor.cpp
  src/palette/ApplyFrame.cpp
  src/palette/LayoutPalette.cpp
  src/palette/PaletteWindow.cpp
  src/reorder/DialogWindow.cpp
  src/reorder/ListArrangement.cpp
  src/reorder/ListFind.cpp
  src/reorder/ListKeys.cpp
  src/reorder/ReorderDialog.cpp
  src/resources/Kirabo.rc
  src/resources/Kirabo.def
)
set_target_properties(Kirabo PROPERTIES PREFIX "" SUFFIX ".auf")
target_compile_definitions(Kirabo PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(Kirabo PRIVATE kirabo_core comctl32 imm32)
if(MINGW)
  target_sources(Kirabo PRIVATE src/lifecycle/Runtime.cpp)
  target_compile_options(Kirabo PRIVATE ${KIRABO_WARNINGS} ${KIRABO_CHARSET} -ffunction-sections -fdata-sections)
  # Stripped, except in the windows-debug preset's build (RelWithDebInfo), whose names and lines
  # winedbg shows.
  target_link_options(Kirabo PRIVATE -static $<$<NOT:$<CONFIG:RelWithDebInfo>>:-s> -Wl,--kill-at -Wl,--gc-sections)
else()
  # MSVC on Windows: Shift-JIS literals, the runtime linked in. (The emulator and the tests
  # below are built with MinGW only.)
  target_compile_options(Kirabo PRIVATE /W4 /WX /source-charset:utf-8 /execution-charset:.932)
  set_property(TARGET Kirabo PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded")
  return()
endif()

# The host emulator: a library for the Windows tests, and the program ./run starts.
add_library(kirabo_host STATIC tools/host/Host.cpp tools/host/MenuText.cpp)
target_include_directories(kirabo_host PUBLIC tools/host src)
target_compile_options(kirabo_host PRIVATE ${KIRABO_WARNINGS} ${KIRABO_CHARSET})
target_compile_definitions(kirabo_host PUBLIC NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(kirabo_host PUBLIC comctl32 gdi32)

add_executable(kirabo-host tools/host/main.cpp)
target_compile_options(kirabo-host PRIVATE ${KIRABO_WARNINGS} ${KIRABO_CHARSET})
target_link_libraries(kirabo-host PRIVATE kirabo_host)
target_link_options(kirabo-host PRIVATE -static -mwindows -mconsole)

# Windows tests: doctest, header only, copied so the system include directory stays out. Debian's
# doctest 2.4.9 leaves the type out of the constants that DOCTEST_CONFIG_TREAT_CHAR_STAR_AS_STRING
# needs (2.4.10 has it): the copy gets it.
file(READ /usr/include/doctest/doctest.h doctest)
string(REPLACE "static DOCTEST_CONSTEXPR value" "static DOCTEST_CONSTEXPR bool value" doctest "${doctest}")
file(WRITE ${CMAKE_BINARY_DIR}/doctest.h.typed "${doctest}")
configure_file(${CMAKE_BINARY_DIR}/doctest.h.typed ${CMAKE_BINARY_DIR}/third_party/doctest/doctest.h COPYONLY)
file(GLOB KIRABO_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*_test.cpp)
foreach(source ${KIRABO_WIN32_TESTS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source} tests/win32/WineTestMain.cpp tests/win32/Support.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/third_party tests/win32)
  # A failed check shows a const char* as its text (Shift-JIS, which scripts/wine-test turns into
  # UTF-8), not as an address.
  target_compile_definitions(${name} PRIVATE DOCTEST_CONFIG_NO_MULTITHREADING DOCTEST_CONFIG_TREAT_CHAR_STAR_AS_STRING)
  target_compile_options(${name} PRIVATE ${KIRABO_WARNINGS} ${KIRABO_CHARSET})
  target_link_libraries(${name} PRIVATE kirabo_host kirabo_core version psapi imm32)
  target_link_options(${name} PRIVATE -static)
  add_dependencies(${name} Kirabo)
  add_test(NAME win32.${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  kirabo_time_limit(120 win32.${name})  # each takes 2 to 30 s
endforeach()
kirabo_time_limit(120 win32.leak_test)  # 30 load-to-unload cycles
kirabo_time_limit(480 win32.hardening_test)  # 5,000 filters, every change painted whole: 80 to 130 s here, as fast as Wine is that hour
kirabo_time_limit(600 win32.sequences_test)  # 51 sequences on palettes of up to 1,001 rows, each twice, every step painted whole at once: 170 to 280 s here

# As a person would do it: the real X mouse on the virtual display.
add_test(NAME e2e.reorder_drag COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/reorder_drag.sh)
kirabo_time_limit(60 e2e.reorder_drag)

# The start-up and relayout benchmark under Wine (./benchmark); ./test runs it once, small.
add_executable(kirabo-win32-bench bench/win32_bench.cpp)
target_compile_options(kirabo-win32-bench PRIVATE ${KIRABO_WARNINGS} ${KIRABO_CHARSET})
target_link_libraries(kirabo-win32-bench PRIVATE kirabo_host)
target_link_options(kirabo-win32-bench PRIVATE -static)
add_dependencies(kirabo-win32-bench Kirabo)
add_test(NAME bench.wine_smoke COMMAND kirabo-win32-bench --smoke WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
kirabo_time_limit(180 bench.wine_smoke)  # 20 to 50 s here

# The commands README and CONTRIBUTING give, run as a user would run them.
foreach(command release run benchmark contributing)
  add_test(NAME commands.${command} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/commands/${command}_test.sh)
  set_tests_properties(commands.${command} PROPERTIES RUN_SERIAL TRUE)
endforeach()
kirabo_time_limit(60 commands.release)  # a second or two
kirabo_time_limit(240 commands.benchmark)  # 45 to 60 s, the first time with the bench preset's build
kirabo_time_limit(240 commands.contributing)  # 20 s, a minute more for the windows-debug build
kirabo_time_limit(300 commands.run)  # ten screenshots, two ./test beside a live ./run, two stopped runs, two tables: 1 to 2 min
