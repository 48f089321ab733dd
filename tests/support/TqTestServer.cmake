# Using the test servers from a test folder (any folder; include this file):
#
#   include(${PROJECT_SOURCE_DIR}/tests/support/TqTestServer.cmake)
#
#   # a test program that starts servers of its own (tqtest::TestServer)
#   tq_gtest(my_tests SOURCES my_test.cpp LIBS tq_test_support)
#
#   # tests that need "a server": the one shared server of the fixture,
#   # whose port tqtest::sharedServerPort() reads (TQ_TEST_SERVER_DIR/port)
#   tq_gtest(my_black_box_tests SOURCES ... PROPERTIES ${TQ_SHARED_SERVER_PROPERTIES})
#   tq_use_shared_server(some_add_test_name other_add_test_name)
#
# Tests that register with the port mapper share the RESOURCE_LOCK
# "tq_portmap" so that only one of them holds the program numbers at a time.

set(TQ_SHARED_SERVER_DIR ${CMAKE_BINARY_DIR}/tests/shared-server)
set(TQ_SHARED_SERVER_PROPERTIES
  FIXTURES_REQUIRED tq_shared_server
  ENVIRONMENT "TQ_TEST_SERVER_DIR=${TQ_SHARED_SERVER_DIR}")

# Gives tests added with add_test the shared server.
function(tq_use_shared_server)
  set_tests_properties(${ARGN} PROPERTIES ${TQ_SHARED_SERVER_PROPERTIES})
endfunction()
