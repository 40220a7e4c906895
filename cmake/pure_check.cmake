cmake_minimum_required(VERSION 3.20)
# Fails when a file meant to be pure reaches a header outside the standard library, naming the
# chain of includes. Meant to be pure: everything in src/core/ and tests/core/, and every file a
# fuzz target (fuzz/*.cpp) reaches. Runs at configure time and, as `cmake -DROOT=<repo> -P
# cmake/pure_check.cmake`, at every native build.
include(${CMAKE_CURRENT_LIST_DIR}/pure_files.cmake)

function(veltrin_check_pure root)
    file(GLOB_RECURSE meant ${root}/src/core/*.h ${root}/src/core/*.cpp ${root}/tests/core/*.cpp)
    file(GLOB fuzz_targets ${root}/fuzz/*.cpp)
    foreach(target IN LISTS fuzz_targets)
        veltrin_reached(${target} ${root} reached)
        list(APPEND meant ${reached})
    endforeach()
    list(REMOVE_DUPLICATES meant)
    list(SORT meant)
    set(faults "")
    foreach(f IN LISTS meant)
        veltrin_impurity(${f} ${root} reason)
        if(reason)
            string(APPEND faults "\n  ${reason}")
        endif()
    endforeach()
    if(faults)
        message(FATAL_ERROR "Files meant to be pure include a non-standard header:${faults}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    veltrin_check_pure(${ROOT})
endif()
