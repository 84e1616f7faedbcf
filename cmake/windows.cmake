# The Windows program and its test programs. Everything links statically so that note.exe
# needs only Windows' own DLLs.
set(NOTE_WIN_LIBS user32 gdi32 comdlg32 comctl32 ole32 kernel32)
set(NOTE_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The replacement of operator new goes into every program directly, not through a library, so
# that the linker never prefers the standard library's.
set(NOTE_ALLOCATION ${CMAKE_SOURCE_DIR}/app/allocation_win.cpp)
list(REMOVE_ITEM NOTE_WIN_SOURCES ${NOTE_ALLOCATION})
add_library(note_win STATIC ${NOTE_WIN_SOURCES})
target_link_libraries(note_win PUBLIC note_portable ${NOTE_WIN_LIBS})
# The handlers are portable files calling into the Windows layer, which calls back into the
# portable rules: the two static libraries are searched in a cycle.
target_link_libraries(note_portable PUBLIC note_win)
target_compile_definitions(note_portable PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

configure_file(${CMAKE_SOURCE_DIR}/res/note.manifest.in ${CMAKE_BINARY_DIR}/note.manifest @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/note.rc.in ${CMAKE_BINARY_DIR}/note.rc @ONLY)
set(NOTE_RESOURCES ${CMAKE_BINARY_DIR}/note.rc)
set_source_files_properties(${NOTE_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/note.manifest;${CMAKE_SOURCE_DIR}/res/note.ico")

add_executable(note WIN32 ${CMAKE_SOURCE_DIR}/app/main_win.cpp ${NOTE_ALLOCATION} ${NOTE_RESOURCES})
target_link_libraries(note PRIVATE note_win)
target_link_options(note PRIVATE ${NOTE_STATIC_LINK} $<$<BOOL:${NOTE_STRIP}>:-s>)

# The benchmark (bench/run.sh): a bare floor program linked like note.exe, with its resources so
# that the manifest gives both the same edit control, and the console launcher that measures both.
option(NOTE_BUILD_BENCH "Build the benchmark's floor program and launcher" OFF)
if(NOTE_BUILD_BENCH)
  add_executable(floor WIN32 ${CMAKE_SOURCE_DIR}/bench/floor_win.cpp ${NOTE_RESOURCES})
  add_executable(launcher ${CMAKE_SOURCE_DIR}/bench/launcher_win.cpp)
  foreach(bench_program floor launcher)
    target_compile_definitions(${bench_program} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_libraries(${bench_program} PRIVATE ${NOTE_WIN_LIBS})
    target_link_options(${bench_program} PRIVATE ${NOTE_STATIC_LINK} $<$<BOOL:${NOTE_STRIP}>:-s>)
  endforeach()
endif()

if(NOT NOTE_BUILD_TESTS)
  return()
endif()

# Test programs run under Wine through this emulator: the 64-bit loader, a private prefix in
# the build folder, code page 936, and the display of the session the fixture below starts.
set(NOTE_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${NOTE_WINE_STATE})

file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(test_support STATIC ${support_sources})
target_include_directories(test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(test_support PUBLIC note_win gtest)

# The holder keeps Wine's virtual desktop alive for the whole run.
add_executable(desktop_holder WIN32 ${CMAKE_SOURCE_DIR}/tests/session/desktop_holder_win.cpp)
target_link_options(desktop_holder PRIVATE ${NOTE_STATIC_LINK})

add_test(NAME wine_session_start
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-session.sh start ${NOTE_WINE_STATE} ${CMAKE_BINARY_DIR}/desktop_holder.exe)
add_test(NAME wine_session_stop
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-session.sh stop ${NOTE_WINE_STATE})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# Every tests/programs/NAME_win.cpp is a helper program NAME.exe, built like note.exe, that the
# tests start and watch from outside.
file(GLOB helper_programs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/programs/*_win.cpp)
set(NOTE_TEST_HELPERS)
foreach(helper_source IN LISTS helper_programs)
  get_filename_component(helper ${helper_source} NAME_WE)
  string(REGEX REPLACE "_win$" "" helper ${helper})
  add_executable(${helper} WIN32 ${helper_source} ${NOTE_ALLOCATION} ${NOTE_RESOURCES})
  target_link_libraries(${helper} PRIVATE note_win test_support)
  target_link_options(${helper} PRIVATE ${NOTE_STATIC_LINK})
  list(APPEND NOTE_TEST_HELPERS ${helper})
endforeach()

# Every tests/win/NAME.cpp is a test program of its own; tests/win/NAME.rc, when present, is
# linked into it. Each links the program's resources so windows show its icon.
file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
foreach(test_source IN LISTS win_tests)
  get_filename_component(name ${test_source} NAME_WE)
  add_executable(${name} ${test_source} ${NOTE_ALLOCATION} ${NOTE_RESOURCES})
  target_link_libraries(${name} PRIVATE test_support gtest_main)
  target_link_options(${name} PRIVATE ${NOTE_STATIC_LINK})
  add_dependencies(${name} note desktop_holder ${NOTE_TEST_HELPERS})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop TIMEOUT 600)
endforeach()

# Checks on the built program from outside: it imports Windows' own DLLs only, and carries the
# version resource that names it and its version.
add_test(NAME note_imports_only_system_dlls
  COMMAND ${CMAKE_SOURCE_DIR}/tests/program/check_imports.sh ${CMAKE_OBJDUMP} ${CMAKE_BINARY_DIR}/note.exe)
add_test(NAME note_carries_its_version
  COMMAND ${CMAKE_SOURCE_DIR}/tests/program/check_version.sh ${CMAKE_RC_COMPILER} ${CMAKE_BINARY_DIR}/note.exe
          ${PROJECT_VERSION})

# Faults only Linux root can make, met by note.exe under Wine through a driver program: its
# folder bind-mounted read-only, and its Data folder on a full file system. Without root each
# script prints SKIPPED and the test counts as skipped.
foreach(fault read_only_folder full_disk)
  add_test(NAME ${fault}_test
    COMMAND ${CMAKE_SOURCE_DIR}/tests/program/${fault}_test.sh ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh
            ${NOTE_WINE_STATE} ${CMAKE_BINARY_DIR}/note_fault_driver.exe ${CMAKE_BINARY_DIR}/note.exe)
  set_tests_properties(${fault}_test PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop
                       SKIP_REGULAR_EXPRESSION "SKIPPED" TIMEOUT 120)
endforeach()
