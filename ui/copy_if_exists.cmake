# cmake -D source=FILE -D target=FOLDER -P copy_if_exists.cmake
# Copies FILE into FOLDER when FILE exists and FOLDER has no copy yet: a copy
# there may hold the user's own translations, which a build never replaces.
if(EXISTS "${source}" AND NOT EXISTS "${target}/trad_stk_secu.txt" AND NOT IS_SYMLINK "${target}/trad_stk_secu.txt")
  file(COPY_FILE "${source}" "${target}/trad_stk_secu.txt")
endif()
