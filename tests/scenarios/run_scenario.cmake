# Plays one scenario through the headless driver and checks it against the files beside it:
#   scenario.txt            the script (it names its expected frames, e.g. expect-lcd frames/x.txt)
#   expected-stdout.txt     what print-lcd and print-state print (optional)
#   expected-stderr.txt     the messages (optional), in ql730-sim's name: each message starts
#                           "ql730-sim: ", which is the other program's name when it plays
#   expected-exit-code.txt  the exit code (optional, 0 when absent)
#   args.txt                options and further scripts put after scenario.txt, one a line (optional)
# With QL730_REBASELINE=1 in the environment, a scenario expected to pass writes what it found
# instead: its expect-lcd frames and expected-stdout.txt. Review the change before committing.
# Usage: cmake "-DSIM=path/to/ql730-sim;--headless" -DDIR=scenario/folder -P run_scenario.cmake
#        cmake -DSIM=path/to/ql730-headless -DDIR=scenario/folder -P run_scenario.cmake
# -DCOMPARE_ONLY=ON leaves rebaselining to another run of the same scenario.
cmake_minimum_required(VERSION 3.25)

set(expected_code 0)
if(EXISTS ${DIR}/expected-exit-code.txt)
    file(STRINGS ${DIR}/expected-exit-code.txt expected_code LIMIT_COUNT 1)
endif()

set(rebaseline OFF)
if("$ENV{QL730_REBASELINE}" STREQUAL "1" AND expected_code EQUAL 0)
    if(COMPARE_ONLY)
        message(STATUS "not compared while another program rebaselines ${DIR}")
        return()
    endif()
    set(rebaseline ON)
endif()

set(args scenario.txt)
if(EXISTS ${DIR}/args.txt)
    file(STRINGS ${DIR}/args.txt extra_args)
    list(APPEND args ${extra_args})
endif()
if(rebaseline)
    list(APPEND args --rebaseline)
endif()
execute_process(COMMAND ${SIM} ${args} WORKING_DIRECTORY ${DIR}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)

if(rebaseline)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "rebaselining ${DIR} stopped with exit code ${code}:\n${err}")
    endif()
    if(EXISTS ${DIR}/expected-stdout.txt OR NOT out STREQUAL "")
        file(WRITE ${DIR}/expected-stdout.txt "${out}")
    endif()
    message(STATUS "rebaselined ${DIR}:\n${err}")
    return()
endif()

set(problems "")
if(NOT code STREQUAL expected_code)
    string(APPEND problems "exit code ${code}, expected ${expected_code}\n")
endif()
foreach(stream stdout stderr)
    if(stream STREQUAL stdout)
        set(found "${out}")
    else()
        set(found "${err}")
    endif()
    if(EXISTS ${DIR}/expected-${stream}.txt)
        file(READ ${DIR}/expected-${stream}.txt wanted)
    else()
        set(wanted "")
    endif()
    if(stream STREQUAL stderr)
        list(GET SIM 0 program)
        get_filename_component(program ${program} NAME)
        string(REGEX REPLACE "(^|\n)ql730-sim: " "\\1${program}: " wanted "${wanted}")
    endif()
    if(NOT found STREQUAL wanted)
        string(APPEND problems "${stream} differs from expected-${stream}.txt\n"
               "--- expected\n${wanted}--- found\n${found}---\n")
    endif()
endforeach()
if(NOT problems STREQUAL "")
    message(FATAL_ERROR "scenario ${DIR}:\n${problems}stderr was:\n${err}")
endif()
