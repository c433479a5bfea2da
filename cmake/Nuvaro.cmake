# Helpers shared by every folder's CMakeLists.txt.

# nuvaro_add_library(<layer> SOURCES ... [DEPS ...])
# One static library per src/ folder, named nuvaro_<layer>, includes from src/.
function(nuvaro_add_library layer)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(nuvaro_${layer} STATIC ${ARG_SOURCES})
  target_include_directories(nuvaro_${layer} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(nuvaro_${layer} PUBLIC ${ARG_DEPS})
endfunction()

# nuvaro_add_test(<name> LABEL <layer> SOURCES ... [DEPS ...] [TIMEOUT s])
# A GoogleTest executable registered with CTest under the layer's label.
function(nuvaro_add_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} nuvaro_test_main GTest::gtest GTest::gmock)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT ${ARG_TIMEOUT})
  if(TARGET nuvaro_resources)
    add_dependencies(${name} nuvaro_resources)
  endif()
endfunction()

# nuvaro_add_fuzzer(<name> SOURCES ... [DEPS ...])
# A libFuzzer target, built only when NUVARO_FUZZ is ON (clang); every
# fuzzer joins the nuvaro_fuzzers target that scripts/fuzz builds and runs.
if(NUVARO_FUZZ AND NOT TARGET nuvaro_fuzzers)
  add_custom_target(nuvaro_fuzzers)
endif()
function(nuvaro_add_fuzzer name)
  if(NOT NUVARO_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
  add_dependencies(nuvaro_fuzzers ${name})
endfunction()

# nuvaro_add_subfolders(): adds every subfolder of the current folder that
# has a CMakeLists.txt, in name order.
function(nuvaro_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
