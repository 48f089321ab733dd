# Shared build settings for every target of the tree.

# Warnings are errors in our own code; attach this to every target we compile.
add_library(tq_warnings INTERFACE)
target_compile_options(tq_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)

if(TQ_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TQ_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TQ_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  # Coverage instrumentation for the code under test; the fuzz targets add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# tq_install_library(<target> NAME <pkg-name> DESCRIPTION <text> [REQUIRES <pkg-config requires>]
#                    [HEADERS <files>] [DEPENDS <packages of this tree it links publicly>])
# Installs a shared library with a versioned SONAME, a pkg-config file and a
# CMake package config, so that users find it with pkg-config or find_package.
function(tq_install_library target)
  cmake_parse_arguments(ARG "" "NAME;DESCRIPTION;REQUIRES;LIBS_PRIVATE" "HEADERS;DEPENDS" ${ARGN})
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  install(TARGETS ${target} EXPORT ${ARG_NAME}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(FILES ${ARG_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(EXPORT ${ARG_NAME}Targets NAMESPACE tq::
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${ARG_NAME})

  include(CMakePackageConfigHelpers)
  set(TQ_PKG_NAME ${ARG_NAME})
  set(TQ_PKG_DEPENDENCIES "")
  foreach(dependency IN LISTS ARG_DEPENDS)
    string(APPEND TQ_PKG_DEPENDENCIES "find_dependency(${dependency})\n")
  endforeach()
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TqPackageConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}Config.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${ARG_NAME})
  write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}Config.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}ConfigVersion.cmake
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${ARG_NAME})

  # The pkg-config file finds its prefix from where it lies, so that an
  # installation moved or made with --prefix still works.
  file(RELATIVE_PATH TQ_PC_PREFIX_FROM_PCDIR "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig"
    "${CMAKE_INSTALL_PREFIX}")
  set(TQ_PC_NAME ${ARG_NAME})
  set(TQ_PC_DESCRIPTION ${ARG_DESCRIPTION})
  set(TQ_PC_REQUIRES ${ARG_REQUIRES})
  set(TQ_PC_LIBS_PRIVATE ${ARG_LIBS_PRIVATE})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tqlibrary.pc.in
    ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()

# tq_gtest(<name> SOURCES ... LIBS ... [LABELS ...] [PROPERTIES ...])
# One GoogleTest executable whose cases are registered with ctest one by one.
function(tq_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tq_warnings GTest::gtest GTest::gtest_main Threads::Threads ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ${ARG_PROPERTIES})
endfunction()

# Adds every immediate sub-folder of the current source folder that has a
# CMakeLists.txt, so that a new group of tests, benchmarks or fuzz targets
# is picked up by dropping its folder in.
function(tq_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
