# qtr_library(NAME SOURCES... [LINKS libs...])
# One static library per folder; it links only what lies below it.
function(qtr_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC qtr_flags ${ARG_LINKS})
endfunction()

# qtr_qt_library(NAME SOURCES... [LINKS libs...]): a library that uses Qt (moc runs on it).
function(qtr_qt_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PUBLIC qtr_flags ${ARG_LINKS})
endfunction()

# qtr_test(NAME SOURCES... [LINKS libs...] [QT_MAIN])
# One GoogleTest program per folder. QT_MAIN links the test main that creates a
# QApplication on the offscreen platform (for window tests).
function(qtr_test name)
    cmake_parse_arguments(ARG "QT_MAIN" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    if(ARG_QT_MAIN)
        target_link_libraries(${name} PRIVATE qtr_flags qtr_test_qt_main ${ARG_LINKS} GTest::gmock)
    else()
        target_link_libraries(${name} PRIVATE qtr_flags ${ARG_LINKS} GTest::gmock GTest::gtest_main)
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTR_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data")
endfunction()
