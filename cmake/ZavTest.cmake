# zav_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [QT] [LABELS l])
# One test executable per unit, registered with CTest. QT tests run headless.
function(zav_add_test)
    cmake_parse_arguments(T "QT" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} zav_testsupport)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    # Per-user files (backups, recovery, settings) of the programs a test
    # runs stay inside the build, never in the home folder of whoever runs it.
    set(env "ZAV_PROGRAM_DIR=${ZAV_PROGRAM_DIR};ZAV_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
            "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-home/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/config")
    if(T_QT)
        target_link_libraries(${T_NAME} PRIVATE Qt6::Test)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
