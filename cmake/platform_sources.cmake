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

# kestrin_unity_by_subsystem(<target>): the target's files of src/ compile in
# one unity file per subsystem, as the host build's object libraries do, so
# that a file-scope name need be unique only within its folder.
function(kestrin_unity_by_subsystem target)
  get_target_property(sources ${target} SOURCES)
  foreach(file ${sources})
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR}/src ${file})
    string(REGEX MATCH "^[^/]+" subsystem "${relative}")
    set_source_files_properties(${file} PROPERTIES UNITY_GROUP ${subsystem})
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD_MODE GROUP)
endfunction()
