# orvane_warnings(target): the project's warning set, applied to every target we own.
add_library(orvane_warnings INTERFACE)
target_compile_options(orvane_warnings INTERFACE -Wall -Wextra -Wnon-virtual-dtor
    # GCC spells the local-only shadow warning this way; clang has no such option.
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)

# Adds every subfolder of the current folder that has a CMakeLists.txt, in name order,
# so that a new tool, test group or benchmark needs no edit of a shared file.
macro(orvane_add_subfolders)
    file(GLOB _orvane_children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT _orvane_children)
    foreach(_child ${_orvane_children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
            add_subdirectory(${_child})
        endif()
    endforeach()
endmacro()
