# The Windows build: the same sources with the Win32, Direct3D 9, DirectSound
# and Imaging Component backends in place of SDL2, OpenGL, OpenAL and libpng.
# Content is not generated here: scripts/build-windows copies the host build's.

# The C and C++ runtimes and winpthreads go into the executable, so that it
# imports only DLLs every Windows has.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

set(WINDOWS_SYSTEM_LIBRARIES d3d9 dsound windowscodecs ole32 uuid winmm user32 gdi32 kernel32)

kestrin_core_library(windows ${WINDOWS_SYSTEM_LIBRARIES})
# The files that include the system's own headers (d3d9.h, dsound.h and
# windows.h) are compiled alone: the rest of the game declares the same
# interfaces in its own headers.
file(GLOB_RECURSE system_header_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp)
set_source_files_properties(${system_header_sources} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
# Installed (the installer leaves a file "installed" beside it) or not, the
# data sits beside the executable.
set_property(SOURCE src/platform/data_folders.cpp APPEND PROPERTY COMPILE_DEFINITIONS KESTRIN_DATA_FROM_BIN=".")

# Its icon (drawn by the host build's texgen), version information and
# manifest (per-monitor DPI awareness, the Windows versions it supports).
set(HOST_BINARY_DIR ${CMAKE_SOURCE_DIR}/build CACHE PATH "The host build, whose content the tests read")
enable_language(RC)
set(KESTRIN_WINDOWS_ICON ${HOST_BINARY_DIR}/windows/kestrin.ico)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/kestrin.rc.in ${CMAKE_BINARY_DIR}/kestrin.rc @ONLY)
set_property(SOURCE ${CMAKE_BINARY_DIR}/kestrin.rc APPEND PROPERTY OBJECT_DEPENDS ${KESTRIN_WINDOWS_ICON}
  ${CMAKE_SOURCE_DIR}/packaging/windows/kestrin.manifest)
add_executable(kestrin WIN32 src/main.cpp ${CMAKE_BINARY_DIR}/kestrin.rc)
target_link_libraries(kestrin PRIVATE kestrin_core)
target_compile_definitions(kestrin PRIVATE KESTRIN_VERSION="${PROJECT_VERSION}")
set_target_properties(kestrin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/game)

# Tests for Windows, run under Wine: GoogleTest from Debian's sources, built
# with this toolchain. Paths are given as Wine's drive Z: sees them.
option(KESTRIN_WINDOWS_TESTS "Build the tests that run under Wine" ON)
if(KESTRIN_WINDOWS_TESTS AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  function(kestrin_windows_test name)
    add_executable(${name} ${ARGN})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests
      ${CMAKE_SOURCE_DIR}/tools)
    target_link_libraries(${name} PRIVATE kestrin_core gmock gtest gtest_main)
    # GoogleTest's header takes seconds to compile: once per program, not per file
    # (tests/CMakeLists.txt tells why -Wno-array-bounds comes with it).
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
    target_compile_options(${name} PRIVATE -Wno-array-bounds -Wno-stringop-overflow -Wno-subobject-linkage -O1)
    target_compile_definitions(${name} PRIVATE
      KESTRIN_GAME_DIR="Z:${CMAKE_BINARY_DIR}/game" KESTRIN_SOURCE_DIR="Z:${CMAKE_SOURCE_DIR}"
      KESTRIN_BINARY_DIR="Z:${HOST_BINARY_DIR}" KESTRIN_SCREENS_DIR="Z:${HOST_BINARY_DIR}/screens/windows")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  endfunction()

  # Every unit suite but those of the Linux-only backends (OpenGL; OpenAL's
  # loopback for sound/, the system's DirectSound has its own test here) and
  # those that drive the shell.
  file(GLOB unit_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/textfile/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/d3dutil/*.cpp ${CMAKE_SOURCE_DIR}/tests/platform/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/core/*.cpp ${CMAKE_SOURCE_DIR}/tests/render/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/app/*.cpp ${CMAKE_SOURCE_DIR}/tests/game/*.cpp ${CMAKE_SOURCE_DIR}/tests/ui/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/profile/*.cpp ${CMAKE_SOURCE_DIR}/tests/screens/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
  # Left out: they write their test pictures with libpng, make FIFOs, or copy
  # folders through the shell.
  list(FILTER unit_tests EXCLUDE REGEX "/tests/d3dutil/texture_loader_test\\.cpp$")
  list(FILTER unit_tests EXCLUDE REGEX "/tests/app/engine_test\\.cpp$")
  # The data folders of an installed Linux game.
  list(FILTER unit_tests EXCLUDE REGEX "/tests/platform/data_folders_test\\.cpp$")
  kestrin_windows_test(test_windows_unit ${unit_tests})
  set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/windows/message_box_closer.cpp
    ${CMAKE_SOURCE_DIR}/tests/windows/foreground_test.cpp ${CMAKE_SOURCE_DIR}/tests/windows/executable_resources_test.cpp
    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  # The flows ./test runs under Wine; the others take minutes each there and
  # are built on request.
  option(KESTRIN_WINDOWS_ALL_FLOWS "Build every play flow into test_windows_play" OFF)
  if(KESTRIN_WINDOWS_ALL_FLOWS)
    file(GLOB play_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/play/*.cpp)
    # Left out: the installed Linux game, and journals replayed by a second process.
    list(FILTER play_tests EXCLUDE REGEX "/tests/play/(installed|journal)_test\\.cpp$")
  else()
    set(play_tests first_run_test.cpp screens_test.cpp flow_support.cpp play_harness.cpp)
    list(TRANSFORM play_tests PREPEND ${CMAKE_SOURCE_DIR}/tests/play/)
  endif()
  kestrin_windows_test(test_windows_play ${play_tests} ${CMAKE_SOURCE_DIR}/bench/frame_gate.cpp)
endif()
