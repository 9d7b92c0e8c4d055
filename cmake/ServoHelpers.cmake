# Shared helpers for the project's targets.

# servo_unity_build(<target>)
# Compiles a library's sources in batches of eight, one translation unit each, so that Qt's headers are
# parsed once per batch rather than once per file: this halves the compiler's work on a small machine.
# File-local names must therefore be unique within a library. SERVO_UNITY_BUILD=OFF compiles file by file.
function(servo_unity_build target)
    if(SERVO_UNITY_BUILD)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
endfunction()

# servo_host_library(<name> SOURCES ... PUBLIC_LIBS ... PRIVATE_LIBS ...)
# A shared host library whose headers are included by folder-relative name.
function(servo_host_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    servo_unity_build(${name})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

# servo_plugin_library(<name> SOURCES ... LIBS ...)
# A static part of the plug-in, linked into libpluginFuncode_Servo.so and into the tests.
function(servo_plugin_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    servo_unity_build(${name})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# servo_add_test(<name> SOURCES ... LIBS ... [DEEP_STACKS])
# One Qt Test executable, registered with CTest and run offscreen. DEEP_STACKS: under the sanitizers the
# suite's allocations are recorded 64 frames deep instead of 10, for suites that feed malformed JSON to
# Qt's parser, whose own leak is allocated deep in its recursion, below the suppressed QJsonDocument frame.
function(servo_add_test name)
    cmake_parse_arguments(ARG "DEEP_STACKS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS} ServoTestSupport)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    if(SERVO_SANITIZE)
        # Sanitized code, and the slow unwinder behind the leak checker, run several times slower.
        math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
    endif()
    servo_test_environment(environment)
    if(ARG_DEEP_STACKS)
        list(TRANSFORM environment REPLACE "malloc_context_size=10" "malloc_context_size=64")
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${environment}")
endfunction()

# servo_test_environment(<variable>)
# The environment of every test. Under the sanitizers a finding ends the test with a failure; leaks that
# Qt itself makes are suppressed by library or function in scripts/lsan-suppressions.txt. The slow unwinder
# is needed to see through Qt's frames, which keep no frame pointer; it costs time per frame, so stacks
# are kept ten frames deep, which reaches the suppressed Qt functions and the project's callers.
set(SERVO_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=10:check_initialization_order=1:strict_string_checks=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan-suppressions.txt:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
function(servo_test_environment variable)
    set(environment
        "QT_QPA_PLATFORM=offscreen"
        "SERVO_DRIVES_DIR=${SERVO_SOURCE_DATA_DIR}/drives"
        "SERVO_PLUGIN_DIR=${SERVO_PLUGIN_OUTPUT_DIR}"
        "QT_LOGGING_RULES=qt.qpa.*=false")
    if(SERVO_SANITIZE)
        list(APPEND environment ${SERVO_SANITIZER_ENVIRONMENT})
    endif()
    set(${variable} "${environment}" PARENT_SCOPE)
endfunction()
