find_package(GTest REQUIRED)
include(GoogleTest)

# nt_add_gtest(NAME n SOURCES s... LIBS l... [NETNS])
# Builds one gtest program and registers its tests. NETNS runs it through the harness, inside a fresh private
# network namespace with only loopback up, so nothing it sends can leave the machine.
function(nt_add_gtest)
  cmake_parse_arguments(A "NETNS" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${A_NAME} ${A_SOURCES})
  target_include_directories(${A_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${A_NAME} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main)
  if(A_NETNS)
    add_test(NAME ${A_NAME}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/harness/netns-run $<TARGET_FILE:${A_NAME}>
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${A_NAME} PROPERTIES LABELS netns)
  else()
    gtest_discover_tests(${A_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
