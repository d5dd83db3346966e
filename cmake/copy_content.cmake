# Copies the hand-written content into the game folder. The settings and the
# three profiles are the player's own once the game has run: they are put in
# place only when missing, so a rebuild never overwrites saved progress.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
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
