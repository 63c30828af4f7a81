# Helpers shared by every folder's CMakeLists.txt.

set(KELVORA_DIST_DIR "${CMAKE_BINARY_DIR}/dist" CACHE PATH "Where the distributable folder is assembled")

# Tests run under Wine in a prefix that belongs to this build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_SOURCE_DIR}/tools/wine-run;--tree;${CMAKE_BINARY_DIR};--arch;${KELVORA_WINEARCH}")
set(KELVORA_WINE_RUN ${CMAKE_CROSSCOMPILING_EMULATOR})

# kelvora_deliverable(target [MAKER]): links the lean runtime (runtime/) and copies the built
# file into the distributable folder, under maker/ for the stand-ins of the maker's components.
function(kelvora_deliverable target)
  cmake_parse_arguments(ARG "MAKER" "" "" ${ARGN})
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:kelvora_runtime>)
  set(dir "${KELVORA_DIST_DIR}")
  if(ARG_MAKER)
    set(dir "${dir}/maker")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "$<TARGET_FILE:${target}>" "${dir}/"
    VERBATIM)
endfunction()

# kelvora_gtest(name SOURCES ... [LIBS ...] [DEPENDS ...] [TIMEOUT s]): one test executable,
# one ctest entry, run through Wine. DEPENDS names targets the tests start or load at run time;
# their paths reach the tests as KELVORA_<TARGET>=<path> in the environment.
function(kelvora_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest ${ARG_LIBS})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(env "")
  foreach(dep IN LISTS ARG_DEPENDS)
    add_dependencies(${name} ${dep})
    string(TOUPPER "${dep}" var)
    string(MAKE_C_IDENTIFIER "${var}" var)
    list(APPEND env "KELVORA_${var}=$<TARGET_FILE:${dep}>")
  endforeach()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
