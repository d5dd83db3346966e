# kestrin_generated_content(TARGET FILES <game folder files...> COMMAND <generator> <args...>
#                           [PREVIEWS <pictures beside the build...>] COMMENT <text>)
#
# The files a generator writes into the game folder, made by TARGET, which the
# game folder depends on. When KESTRIN_CONTENT_FROM names another build's game
# folder, they are copied from there instead: the generators write the same
# bytes in every build type, so a sanitizer build need not build and run them
# again (its content test still runs the map generator and compares).
set(KESTRIN_CONTENT_FROM "" CACHE PATH "Another build's game folder to copy the generated content from")

function(kestrin_generated_content target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COMMENT" "FILES;COMMAND;PREVIEWS")
  if(KESTRIN_CONTENT_FROM)
    set(relative_files)
    set(sources)
    foreach(file ${arg_FILES})
      file(RELATIVE_PATH relative ${GAME_DIR} ${file})
      list(APPEND relative_files ${relative})
      list(APPEND sources ${KESTRIN_CONTENT_FROM}/${relative})
    endforeach()
    list(JOIN relative_files "|" joined)
    add_custom_command(OUTPUT ${arg_FILES}
      COMMAND ${CMAKE_COMMAND} -DSOURCE=${KESTRIN_CONTENT_FROM} -DTARGET=${GAME_DIR} "-DFILES=${joined}"
              -P ${CMAKE_SOURCE_DIR}/cmake/copy_content.cmake
      DEPENDS ${sources} ${CMAKE_SOURCE_DIR}/cmake/copy_content.cmake
      COMMENT "Copying ${target} from ${KESTRIN_CONTENT_FROM}" VERBATIM)
    add_custom_target(${target} DEPENDS ${arg_FILES})
  else()
    list(GET arg_COMMAND 0 generator)
    add_custom_command(OUTPUT ${arg_FILES} ${arg_PREVIEWS}
      COMMAND ${arg_COMMAND}
      DEPENDS ${generator}
      COMMENT ${arg_COMMENT})
    add_custom_target(${target} DEPENDS ${arg_FILES} ${arg_PREVIEWS})
  endif()
  set_property(GLOBAL APPEND PROPERTY KESTRIN_CONTENT_TARGETS ${target})
endfunction()
