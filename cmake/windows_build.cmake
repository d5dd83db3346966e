# The Windows build: the same sources with the Win32, Direct3D 9, DirectSound
# and Imaging Component backends in place of SDL2, OpenGL, OpenAL and libpng.
# Content is not generated here: scripts/build-windows copies the host build's.

# The C and C++ runtimes and winpthreads go into the executable, so that it
# imports only DLLs every Windows has.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

file(GLOB_RECURSE windows_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER windows_sources EXCLUDE REGEX "/src/main\\.cpp$")
list(FILTER windows_sources EXCLUDE REGEX "/src/platform/(window\\.cpp|posix/|d3d9/gl/|dsound/)")
list(FILTER windows_sources EXCLUDE REGEX "/src/d3dutil/png_image\\.cpp$")

set(WINDOWS_SYSTEM_LIBRARIES d3d9 dsound windowscodecs ole32 uuid winmm user32 gdi32 kernel32)

add_library(kestrin_core STATIC ${windows_sources})
target_include_directories(kestrin_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(kestrin_core PUBLIC ${WINDOWS_SYSTEM_LIBRARIES})

add_executable(kestrin WIN32 src/main.cpp)
target_link_libraries(kestrin PRIVATE kestrin_core)
set_target_properties(kestrin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/game)
