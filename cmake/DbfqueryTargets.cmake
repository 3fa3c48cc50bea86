# Helpers every folder uses to declare its library, tests and fuzzers.

# Engine libraries must be testable without windows: they may use Qt Core and
# Gui, never Widgets. Checked once all folders are known.
set_property(GLOBAL PROPERTY DBFQUERY_ENGINE_TARGETS "")

# dbfquery_library(NAME [ENGINE] SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
function(dbfquery_library name)
  cmake_parse_arguments(ARG "ENGINE" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  if(ARG_ENGINE)
    set_property(GLOBAL APPEND PROPERTY DBFQUERY_ENGINE_TARGETS ${name})
  endif()
endfunction()

# dbfquery_test(NAME SOURCES ... LIBS ...): one GoogleTest executable, each
# test case a CTest test, run on the offscreen platform.
function(dbfquery_test name)
  if(DBFQUERY_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} test_support GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

# dbfquery_fuzzer(NAME SOURCES ... LIBS ... [SECONDS n] [CORPUS dir]): a
# libFuzzer target, registered as a CTest test that fuzzes for a short while.
function(dbfquery_fuzzer name)
  if(NOT DBFQUERY_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SECONDS;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 30)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  add_dependencies(fuzzers ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  set(seeds "")
  if(ARG_CORPUS)
    set(seeds ${ARG_CORPUS})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048 ${corpus} ${seeds})
  set_tests_properties(${name} PROPERTIES LABELS fuzz ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

function(dbfquery_check_engine_targets)
  get_property(targets GLOBAL PROPERTY DBFQUERY_ENGINE_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(libs AND ("Qt6::Widgets" IN_LIST libs OR "Qt::Widgets" IN_LIST libs))
      message(FATAL_ERROR "Engine library ${target} must not link Qt Widgets")
    endif()
  endforeach()
endfunction()
