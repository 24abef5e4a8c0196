# A packaged build is compiled, linked and stripped as Debian builds its own packages. The flags are
# the ones dpkg-buildflags gives (fortify, stack protector, relro, bindnow), so the package follows
# Debian's hardening as it changes rather than a copy of it; they go where debhelper puts them for
# CMake.
find_program(ZELVIK_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)

function(zelvik_debian_buildflag variable name)
  # Run from the source folder, so the file prefix map it gives keeps this machine's paths out.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${ZELVIK_DPKG_BUILDFLAGS} --get ${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE value
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} ${value} PARENT_SCOPE)
endfunction()

zelvik_debian_buildflag(cppflags CPPFLAGS)
zelvik_debian_buildflag(cflags CFLAGS)
zelvik_debian_buildflag(cxxflags CXXFLAGS)
zelvik_debian_buildflag(ldflags LDFLAGS)
string(APPEND CMAKE_C_FLAGS " ${cppflags} ${cflags}")
string(APPEND CMAKE_CXX_FLAGS " ${cppflags} ${cxxflags}")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${ldflags}")
endforeach()

# Installing with --strip (as CPack does) also drops the sections dh_strip drops.
set(CMAKE_STRIP ${PROJECT_SOURCE_DIR}/dist/strip-as-debian)
