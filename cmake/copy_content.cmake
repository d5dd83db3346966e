# Copies content into the game folder: the FILES given ("|" between them), or
# every file under SOURCE. The settings and the three profiles are the
# player's own once the game has run: they are put in place only when
# missing, so a rebuild never overwrites saved progress.
if(DEFINED FILES)
  string(REPLACE "|" ";" files "${FILES}")
else()
  file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
endif()
set(player_files bin/default.cfg data/profile0.s data/profile1.s data/profile2.s)
foreach(file ${files})
  list(FIND player_files ${file} is_player_file)
  if(is_player_file GREATER -1 AND EXISTS ${TARGET}/${file})
    continue()
  endif()
  get_filename_component(folder ${TARGET}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${SOURCE}/${file} ${TARGET}/${file} ONLY_IF_DIFFERENT)
endforeach()
