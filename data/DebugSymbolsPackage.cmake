# CPack runs this once the packages are made, to put right what its DEB generator (CMake
# 3.25) gets wrong in the debug symbols package, the .ddeb: its md5sums name each file by its
# path in the build folder, its .debug files are executable, and lintian finds no copyright
# or changelog in it. Debian's own -dbgsym packages hold their files 0644 and point
# usr/share/doc/NAME-dbgsym to NAME's folder, which their Depends brings. dpkg-deb packs it
# again; like CPack, it takes its file times from SOURCE_DATE_EPOCH when that is set.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-repack)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)

  # The package's own list names every file it holds, each under usr/lib/debug/.
  file(STRINGS ${tree}/DEBIAN/md5sums listed)
  set(files "")
  foreach(line IN LISTS listed)
    if(NOT line MATCHES "^[0-9a-f]+  (.*/)?(usr/lib/debug/.+)$")
      message(FATAL_ERROR "unexpected line in the debug symbols package's md5sums: ${line}")
    endif()
    list(APPEND files ${CMAKE_MATCH_2})
  endforeach()
  list(SORT files)
  set(md5sums "")
  foreach(file IN LISTS files)
    file(CHMOD ${tree}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 ${tree}/${file} md5)
    string(APPEND md5sums "${md5}  ${file}\n")
  endforeach()
  file(WRITE ${tree}/DEBIAN/md5sums "${md5sums}")
  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym SYMBOLIC)

  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
