# orvelle_warnings(target): the project's warning level, applied to our own targets only.
function(orvelle_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# orvelle_add_tests(NAME name SOURCES ... LIBS ...): one GoogleTest executable, registered with CTest.
function(orvelle_add_tests)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT ORVELLE_TESTS OR NOT T_SOURCES)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    ORVELLE_PLANS_DIR="${CMAKE_SOURCE_DIR}/../shared/plans"
    ORVELLE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  orvelle_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()
