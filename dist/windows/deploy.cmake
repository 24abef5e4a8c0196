# Run by `cmake --install` of the Windows build (dist/windows/CMakeLists.txt sets the ZELVIK_DEPLOY_
# variables): copies every DLL the programs and the modules they load import, and those import in
# turn, from the folders they were built in, beside the programs; stripped with --strip.
cmake_policy(VERSION 3.25)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${ZELVIK_DEPLOY_OBJDUMP})

# CMake looks the imported names up in lower case, which a Linux file system tells apart from
# "Qt6Core.dll": the DLLs of those folders by their lower-case names, for a second look.
foreach(dir ${ZELVIK_DEPLOY_DIRS})
  file(GLOB dlls ${dir}/*.dll)
  foreach(dll ${dlls})
    get_filename_component(name ${dll} NAME)
    string(TOLOWER ${name} name)
    if(NOT DEFINED found_${name})
      set(found_${name} ${dll})
    endif()
  endforeach()
endforeach()

set(executables ${ZELVIK_DEPLOY_EXECUTABLES})
set(modules ${ZELVIK_DEPLOY_MODULES})
set(deployed)
while(executables OR modules)
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${executables} MODULES ${modules} DIRECTORIES ${ZELVIK_DEPLOY_DIRS}
       RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
  set(executables)
  set(modules)
  foreach(name ${unresolved})
    string(TOLOWER ${name} name)
    if(DEFINED found_${name})
      list(APPEND resolved ${found_${name}})
    endif()
  endforeach()
  foreach(dll ${resolved})
    if(NOT dll IN_LIST deployed)
      list(APPEND deployed ${dll})
      list(APPEND modules ${dll}) # its own imports, in the next round
    endif()
  endforeach()
endwhile()
file(INSTALL ${deployed} DESTINATION ${CMAKE_INSTALL_PREFIX})

if(CMAKE_INSTALL_DO_STRIP)
  file(GLOB_RECURSE copied ${CMAKE_INSTALL_PREFIX}/*.dll)
  foreach(dll ${copied})
    execute_process(COMMAND ${ZELVIK_DEPLOY_STRIP} --strip-unneeded ${dll} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
