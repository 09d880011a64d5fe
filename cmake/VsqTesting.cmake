# vsq_add_gtest(<name> SOURCES ... LIBS ...)
# One test binary; every test case runs in a process of its own, so the
# process-wide state of the simulator and of the bus starts fresh each time.
if(VSQ_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(VSQ_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()

function(vsq_add_gtest name)
  if(NOT VSQ_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VSQ_REGISTRY=${CMAKE_BINARY_DIR}/test-registry.txt"
               TIMEOUT 120)
endfunction()

# vsq_add_benchmark(<name> SOURCES ... LIBS ...): built, not run by the tests.
function(vsq_add_benchmark name)
  if(NOT VSQ_BUILD_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
