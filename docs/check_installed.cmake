# Installs the build into a scratch prefix and checks that the API reference
# and the example sources land under the data folder. Run by ctest as
# tq_docs_install:
#
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DDATADIR=<share> -DDOXYGEN=<doxygen or empty>
#         -P check_installed.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT DOXYGEN)
  message("SKIPPED: doxygen is not installed, so there is no API reference to install")
  return()
endif()
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  OUTPUT_QUIET ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${error}")
endif()
set(missing "")
foreach(file IN ITEMS
    tqlink/reference/index.html
    tqlink/reference/group__entries.html
    tqlink/reference/group__tqpack.html
    tqlink/examples/read_entry.c
    tqlink/examples/change_entries.c)
  if(NOT EXISTS "${PREFIX}/${DATADIR}/${file}")
    list(APPEND missing "${DATADIR}/${file}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
if(missing)
  list(JOIN missing "\n  " names)
  message(FATAL_ERROR "Not installed under the prefix:\n  ${names}")
endif()
