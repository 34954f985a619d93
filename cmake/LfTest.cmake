# lf_add_test(NAME name SOURCES ... LIBS ... [GUI] [LABELS ...])
# One GoogleTest executable per subsystem area. GUI tests get a QApplication
# (through lf_gui_test_main) and run on the offscreen platform.
find_package(GTest REQUIRED)
include(GoogleTest)

function(lf_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lf_testsupport lf_gui_test_main GTest::gmock)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lf_testsupport GTest::gmock GTest::gtest_main)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    LF_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    LF_BIN_DIR="${LF_BIN_DIR}")
  # One label per test: the discovered tests' properties cannot carry a list.
  # ctest -L takes a pattern, so "-L unit" and "-L threaded" both match "unit-threaded".
  list(JOIN T_LABELS "-" extra)
  set(labels unit)
  if(extra)
    set(labels "unit-${extra}")
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${labels}")
endfunction()
