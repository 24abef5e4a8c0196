# The Windows build's stand-in for CMake's GoogleTest module (cmake/windows.cmake puts this folder
# first on CMAKE_MODULE_PATH). Its tests run under wine, where starting a program costs a second or
# more: each test program is one ctest test, run whole (its GoogleTest output names any case that
# failed), rather than one program start per case and another to list them.
function(gtest_discover_tests target)
  cmake_parse_arguments(arg "NO_PRETTY_TYPES;NO_PRETTY_VALUES"
    "TEST_PREFIX;TEST_SUFFIX;WORKING_DIRECTORY;TEST_LIST;DISCOVERY_TIMEOUT;XML_OUTPUT_DIR;DISCOVERY_MODE"
    "EXTRA_ARGS;PROPERTIES;TEST_FILTER" ${ARGN})
  set(name ${arg_TEST_PREFIX}${target}${arg_TEST_SUFFIX})
  set(filter)
  if(arg_TEST_FILTER)
    set(filter ${arg_TEST_FILTER})
    string(MAKE_C_IDENTIFIER "${arg_TEST_FILTER}" suffix)
    string(APPEND name .${suffix})
  endif()
  # The cases cmake/windows.cmake leaves out under wine, and why, are listed there.
  if(ZELVIK_WINE_LEFT_OUT)
    list(JOIN ZELVIK_WINE_LEFT_OUT ":" left_out)
    if(filter MATCHES "-")
      string(APPEND filter ":${left_out}")
    else()
      string(APPEND filter "-${left_out}")
    endif()
  endif()
  if(filter)
    set(filter --gtest_filter=${filter})
  endif()
  add_test(NAME ${name} COMMAND ${target} ${filter} ${arg_EXTRA_ARGS})
  if(arg_PROPERTIES)
    set_tests_properties(${name} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
