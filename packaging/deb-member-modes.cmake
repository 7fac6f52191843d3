# Run by cpack after it has written the Debian package and before it copies it
# to the build folder (CPACK_POST_BUILD_SCRIPTS). CPack gives the package's own
# ar members (debian-binary, control.tar.gz, data.tar.gz) the modes of its
# temporary files, which follow the umask of the cpack run, and has no setting
# for them. This sets each to 100644, as dpkg-deb writes them, so that every
# umask packs the same bytes.
#
# An ar archive is "!<arch>\n", then for each member a 60-byte header of ASCII
# fields: name (16 bytes), time (12), owner (6), group (6), mode (8, octal),
# size (10) and "`\n"; the member's bytes follow, padded to an even length.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${deb}" size)
  file(READ "${deb}" magic LIMIT 8)
  if(NOT magic STREQUAL "!<arch>\n")
    message(FATAL_ERROR "${deb}: not an ar archive")
  endif()
  set(offset 8)
  while(offset LESS size)
    file(READ "${deb}" header OFFSET ${offset} LIMIT 60)
    string(SUBSTRING "${header}" 0 16 name)
    string(SUBSTRING "${header}" 40 8 mode)
    string(SUBSTRING "${header}" 48 10 length)
    string(SUBSTRING "${header}" 58 2 end)
    string(STRIP "${length}" length)
    if(NOT end STREQUAL "`\n" OR NOT mode MATCHES "^100[0-7][0-7][0-7] *$" OR NOT length MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${deb}: no ar member header at byte ${offset}")
    endif()
    math(EXPR at "${offset} + 40")
    execute_process(COMMAND printf "%-8s" 100644
                    COMMAND dd "of=${deb}" bs=1 seek=${at} conv=notrunc status=none
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${deb}: cannot set the mode of member ${name}")
    endif()
    math(EXPR offset "${offset} + 60 + ${length} + ${length} % 2")
  endwhile()
endforeach()
