# Which code of src/ each platform compiles. A backend folder holds the code
# that speaks to one system or library (its window, graphics, sound, files or
# image decoder); a platform compiles the backend folders listed for it and
# every file of src/ outside any backend folder. A new file goes where its
# backend's code is, and no build needs to name it.

# The subsystems, one folder of src/ each, lowest layer first.
set(KESTRIN_SUBSYSTEMS platform d3dutil textfile core render sound ui profile game screens app)

set(KESTRIN_BACKENDS_linux platform/sdl platform/posix platform/openal platform/d3d9/gl platform/libpng)
set(KESTRIN_BACKENDS_windows platform/win32)
set(KESTRIN_BACKENDS_web platform/web platform/posix platform/openal platform/d3d9/gl app/web)
set(KESTRIN_BACKENDS ${KESTRIN_BACKENDS_linux} ${KESTRIN_BACKENDS_windows} ${KESTRIN_BACKENDS_web})
list(REMOVE_DUPLICATES KESTRIN_BACKENDS)

# kestrin_platform_sources(<linux|windows|web> <variable> <subsystem>...): the
# .cpp files of those subsystems that the platform compiles.
function(kestrin_platform_sources platform variable)
  set(sources)
  foreach(sub ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${sub}/*.cpp)
    foreach(file ${found})
      file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR}/src ${file})
      set(wanted ON)
      foreach(backend ${KESTRIN_BACKENDS})
        string(FIND "${relative}" "${backend}/" at)
        if(at EQUAL 0 AND NOT backend IN_LIST KESTRIN_BACKENDS_${platform})
          set(wanted OFF)
        endif()
      endforeach()
      if(wanted)
        list(APPEND sources ${file})
      endif()
    endforeach()
  endforeach()
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()

# kestrin_core_library(<linux|windows|web> <library>...): the static library
# kestrin_core of the game's code for that platform, made of one object
# library per subsystem (k_<subsystem>), so that a unity batch never mixes two
# folders' file-scope names. The libraries given are linked to each.
function(kestrin_core_library platform)
  set(objects)
  foreach(sub ${KESTRIN_SUBSYSTEMS})
    kestrin_platform_sources(${platform} sources ${sub})
    if(sources)
      add_library(k_${sub} OBJECT ${sources})
      target_include_directories(k_${sub} PUBLIC ${CMAKE_SOURCE_DIR}/src)
      target_link_libraries(k_${sub} PUBLIC ${ARGN})
      list(APPEND objects $<TARGET_OBJECTS:k_${sub}>)
    endif()
  endforeach()
  # A journal names the version that recorded it.
  target_compile_definitions(k_app PRIVATE KESTRIN_VERSION="${PROJECT_VERSION}")
  add_library(kestrin_core STATIC ${objects})
  target_include_directories(kestrin_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(kestrin_core PUBLIC ${ARGN})
endfunction()
