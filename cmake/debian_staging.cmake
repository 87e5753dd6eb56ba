# Run by CPack after it has installed the package's files into its staging
# directory and before it builds the Debian package from them: adds the
# copyright file and the changelog, and compresses the manual page and the
# changelog as Debian packages have them (gzip -9n: no name, no time stamp,
# so the same sources give the same package). The licence that `make
# install` puts beside the documentation is in the copyright file of a
# Debian package instead, so the LICENSE file is left out there.

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(docdir "${root}/share/doc/${CPACK_PACKAGE_NAME}")
set(mandir "${root}/share/man/man1")

if(NOT EXISTS "${docdir}/LICENSE" OR NOT EXISTS "${mandir}/zeb.1")
  message(FATAL_ERROR "staging directory ${root} lacks the installed files")
endif()

file(REMOVE "${docdir}/LICENSE")
file(COPY_FILE "${CPACK_ZEB_SOURCE_DIR}/doc/copyright" "${docdir}/copyright")
file(COPY_FILE "${CPACK_ZEB_SOURCE_DIR}/doc/changelog" "${docdir}/changelog")

foreach(file IN ITEMS "${docdir}/changelog" "${mandir}/zeb.1")
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file} failed: ${status}")
  endif()
endforeach()
