# Where an installed copy keeps its parts. The program finds its browser module and the Jet reader
# relative to its own executable, so a staged, unpacked or relocated tree works as well as /usr.
include(GNUInstallDirs)

if(WIN32)
  # A Windows program keeps all of its files in its one folder.
  set(ZELVIK_INSTALL_MODULEDIR .)
  set(ZELVIK_INSTALL_HELPERDIR .)
  set(ZELVIK_MODULEDIR_FROM_BIN .)
  set(ZELVIK_HELPERDIR_FROM_BIN .)
else()
  set(ZELVIK_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/zelvik)
  set(ZELVIK_INSTALL_HELPERDIR ${CMAKE_INSTALL_LIBEXECDIR}/zelvik)
  file(RELATIVE_PATH ZELVIK_MODULEDIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/zelvik)
  file(RELATIVE_PATH ZELVIK_HELPERDIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zelvik)
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/installdirs.h.in ${CMAKE_BINARY_DIR}/generated/installdirs.h @ONLY)
add_library(zelvik_installdirs INTERFACE)
target_include_directories(zelvik_installdirs INTERFACE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(zelvik_installdirs INTERFACE Qt6::Core)
