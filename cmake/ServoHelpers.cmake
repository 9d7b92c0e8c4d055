# Shared helpers for the project's targets.

# servo_host_library(<name> SOURCES ... PUBLIC_LIBS ... PRIVATE_LIBS ...)
# A shared host library whose headers are included by folder-relative name.
function(servo_host_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

# servo_plugin_library(<name> SOURCES ... LIBS ...)
# A static part of the plug-in, linked into libpluginFuncode_Servo.so and into the tests.
function(servo_plugin_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# servo_add_test(<name> SOURCES ... LIBS ...)
# One Qt Test executable, registered with CTest and run offscreen.
function(servo_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS} ServoTestSupport)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SERVO_DRIVES_DIR=${SERVO_SOURCE_DATA_DIR}/drives;SERVO_PLUGIN_DIR=${SERVO_PLUGIN_OUTPUT_DIR};QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
