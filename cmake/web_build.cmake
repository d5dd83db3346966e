# The browser build (Debian's emscripten): the same sources with the web
# window, WebGL 2, the browser's OpenAL (Web Audio) and stb_image in place of
# SDL2, OpenGL 3.3, OpenAL Soft and libpng; no threads. Content is not
# generated here: scripts/build-web lays out the host build's as
# KESTRIN_WEB_DATA, packed into kestrin.data at the installed game's place.

set(KESTRIN_WEB_DATA "" CACHE PATH "The game folder to ship (the host build's content)")
if(NOT KESTRIN_WEB_DATA)
  message(FATAL_ERROR "Set KESTRIN_WEB_DATA to the game folder to ship (scripts/build-web does)")
endif()

kestrin_core_library(web)
# stb_image from Debian's libstb-dev, compiled on its own (it is a whole decoder).
target_include_directories(k_platform SYSTEM PRIVATE /usr/include/stb)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/web/png_image_web.cpp PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)

add_executable(kestrin src/main_web.cpp)
target_link_libraries(kestrin PRIVATE kestrin_core)
set_target_properties(kestrin PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/site)
# Asyncify lets a save wait for IndexedDB inside a frame. The page starts
# the game once the data has arrived and the player's files are mounted.
target_link_options(kestrin PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH=1 -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sENVIRONMENT=web -sEXIT_RUNTIME=0 -sFORCE_FILESYSTEM=1 -lidbfs.js -lopenal
  -sEXPORTED_RUNTIME_METHODS=FS,IDBFS,addRunDependency,removeRunDependency
  --preload-file ${KESTRIN_WEB_DATA}@/usr/share/games/kestrin)
set_property(TARGET kestrin APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/index.html)
add_custom_command(TARGET kestrin POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_BINARY_DIR}/site/index.html)

# The host tool that lists the texels of every shipped picture, built here to
# run under node on the real file system: its lines must equal libpng's.
add_executable(kestrin-texel-digests EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tools/windows_checks/texel_digests.cpp)
target_link_libraries(kestrin-texel-digests PRIVATE kestrin_core)
target_link_options(kestrin-texel-digests PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)
set_target_properties(kestrin-texel-digests PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)


# The unit tests that need no window nor sound device, compiled as the game
# is and run under node on the real file system (scripts/test-web): the rules,
# the text formats, the profiles, the files, messages and journals, the
# recording device, the shader assembler, and the interface, rendering and
# engine suites on the recording device. Those of sound/ mix through OpenAL
# Soft's loopback, which the browser's OpenAL lacks. GoogleTest comes from
# Debian's sources.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB web_unit_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/textfile/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/game/*.cpp ${CMAKE_SOURCE_DIR}/tests/profile/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/platform/*.cpp ${CMAKE_SOURCE_DIR}/tests/core/*.cpp ${CMAKE_SOURCE_DIR}/tests/render/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/ui/*.cpp ${CMAKE_SOURCE_DIR}/tests/screens/*.cpp ${CMAKE_SOURCE_DIR}/tests/app/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/d3dutil/math_test.cpp ${CMAKE_SOURCE_DIR}/tests/d3dutil/shader_assembler_test.cpp)
  # The data folders of an installed Linux game are the page's to lay out;
  # the engine's start-up opens the game's window.
  list(FILTER web_unit_tests EXCLUDE REGEX "/tests/(platform/data_folders|app/engine)_test\\.cpp$")
  add_executable(test_web_unit EXCLUDE_FROM_ALL ${web_unit_tests})
  target_include_directories(test_web_unit PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_web_unit PRIVATE kestrin_core gtest gmock gtest_main)
  # The tests' own code and GoogleTest are compiled lightly optimised.
  target_compile_options(test_web_unit PRIVATE -O1 -Wno-missing-field-initializers)
  target_compile_options(gtest PRIVATE -O1)
  target_compile_options(gmock PRIVATE -O1)
  target_compile_definitions(test_web_unit PRIVATE KESTRIN_GAME_DIR="${KESTRIN_WEB_DATA}"
    KESTRIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KESTRIN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  # The engine's code links the WebGL 2 device, which no test here opens.
  target_link_options(test_web_unit PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1 -sMAX_WEBGL_VERSION=2)
  set_target_properties(test_web_unit PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()
