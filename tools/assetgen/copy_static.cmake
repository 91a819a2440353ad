# Copies assets-src/static/ into the assets folder, the packaged fonts under their game names
# and the licence texts that go with them.
file(COPY ${SRC}/static/ DESTINATION ${DST} PATTERN ".keep" EXCLUDE)

# Reads a table of "<name in the assets folder> <system file> ..." lines ("#" starts a comment)
# and copies each system file to `prefix` + name. A missing file stops the build with the table's name.
function(copy_packaged_files table prefix what)
  if(NOT EXISTS ${table})
    return()
  endif()
  file(STRINGS ${table} lines)
  foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line STREQUAL "")
      continue()
    endif()
    string(REGEX MATCH "^([^ \t]+)[ \t]+([^ \t]+)" _ ${line})
    set(name ${CMAKE_MATCH_1})
    set(from ${CMAKE_MATCH_2})
    if(NOT EXISTS ${from})
      message(FATAL_ERROR "${what} ${from} for ${name} is missing; install the package named in ${table}")
    endif()
    configure_file(${from} ${prefix}${name} COPYONLY)
  endforeach()
endfunction()

copy_packaged_files(${SRC}/fonts.txt ${DST}/fonts/ "Font")
copy_packaged_files(${SRC}/licences.txt ${DST}/ "Licence")
