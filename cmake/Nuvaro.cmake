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
