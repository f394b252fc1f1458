# cmake -D source=FILE -D target=FOLDER -P copy_if_exists.cmake
# Copies FILE into FOLDER when FILE exists and differs from the copy there.
if(EXISTS "${source}")
  file(COPY_FILE "${source}" "${target}/trad_stk_secu.txt" ONLY_IF_DIFFERENT)
endif()
