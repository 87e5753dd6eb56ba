# What `make install` (cmake --install) puts under the prefix: the program,
# its manual page, and the documentation: the licence, the README and the
# sample files of the demo that the file viewer shows.

include(GNUInstallDirs)

install(TARGETS zeb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/doc/zeb.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES
  ${CMAKE_SOURCE_DIR}/LICENSE
  ${CMAKE_SOURCE_DIR}/README.md
  ${CMAKE_SOURCE_DIR}/demo/readme.txt
  ${CMAKE_SOURCE_DIR}/demo/zebhelp.txt
  ${CMAKE_SOURCE_DIR}/demo/mameguide.txt
  ${CMAKE_SOURCE_DIR}/demo/mame.txt
  ${CMAKE_SOURCE_DIR}/demo/whatsnew.txt
  ${CMAKE_SOURCE_DIR}/demo/gamelist.txt
  ${CMAKE_SOURCE_DIR}/demo/windows.txt
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page must format without a single warning from groff. Machines
# without groff skip the check (exit status 77) instead of failing.
if(ZEB_TESTS)
  add_test(NAME man_page_formats_cleanly
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/doc/man_page_check.sh ${CMAKE_SOURCE_DIR}/doc/zeb.1 ${PROJECT_VERSION})
  set_tests_properties(man_page_formats_cleanly PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)
endif()
