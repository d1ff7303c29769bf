# bv_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable registered with ctest, run headless.
# ThreadSanitizer runs the randomised model tests several times slower, and by how much depends on the seed and
# the machine's load: its runs get a longer limit. QtTest's own limit per test function is the same as ctest's for
# the whole executable: on a loaded machine its timer is not always restarted between data rows, so a shorter one
# ends a healthy run that several rows share; ctest's limit is the guard against a hang.
if(BV_SANITIZE STREQUAL "thread")
    set(BV_TEST_TIMEOUT 1800)
else()
    set(BV_TEST_TIMEOUT 600)
endif()
math(EXPR BV_TEST_FUNCTION_TIMEOUT_MS "${BV_TEST_TIMEOUT} * 1000")

function(bv_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt5::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    bv_set_warnings(${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QTEST_FUNCTION_TIMEOUT=${BV_TEST_FUNCTION_TIMEOUT_MS}"
        TIMEOUT ${BV_TEST_TIMEOUT})
endfunction()
