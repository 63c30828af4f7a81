# Helpers shared by every folder's CMakeLists.txt.

set(KELVORA_DIST_DIR "${CMAKE_BINARY_DIR}/dist" CACHE PATH "Where the distributable folder is assembled")

# Tests run under Wine in a prefix that belongs to this build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_SOURCE_DIR}/tools/wine-run;--tree;${CMAKE_BINARY_DIR};--arch;${KELVORA_WINEARCH}")
set(KELVORA_WINE_RUN ${CMAKE_CROSSCOMPILING_EMULATOR})

# Signing: given a certificate and its key (PEM files), every shipped PE file and the package
# are Authenticode-signed as they are built (tools/sign). Without them nothing changes.
set(KELVORA_SIGN_CERT "" CACHE FILEPATH "PEM certificate to sign the built files with (optional)")
set(KELVORA_SIGN_KEY "" CACHE FILEPATH "PEM private key of KELVORA_SIGN_CERT")
if(KELVORA_SIGN_CERT AND NOT KELVORA_SIGN_KEY)
  message(FATAL_ERROR "KELVORA_SIGN_CERT needs KELVORA_SIGN_KEY")
endif()

# kelvora_sign(target): signs the target's file after each link, when signing is configured.
function(kelvora_sign target)
  if(KELVORA_SIGN_CERT)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "${CMAKE_SOURCE_DIR}/tools/sign" "${KELVORA_SIGN_CERT}" "${KELVORA_SIGN_KEY}" "$<TARGET_FILE:${target}>"
      VERBATIM)
  endif()
endfunction()

# kelvora_deliverable(target [MAKER]): links the lean runtime (runtime/) and copies the built
# (and, when configured, signed) file into the distributable folder, under maker/ for the
# stand-ins of the maker's components.
function(kelvora_deliverable target)
  cmake_parse_arguments(ARG "MAKER" "" "" ${ARGN})
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:kelvora_runtime>)
  kelvora_sign(${target})
  set(dir "${KELVORA_DIST_DIR}")
  if(ARG_MAKER)
    set(dir "${dir}/maker")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "$<TARGET_FILE:${target}>" "${dir}/"
    VERBATIM)
endfunction()

# kelvora_gtest(name SOURCES ... [LIBS ...] [DEPENDS ...] [TIMEOUT s] [LOCKS ...]): one test
# executable, one ctest entry, run through Wine. DEPENDS names targets the tests start or load
# at run time; their paths reach the tests as KELVORA_<TARGET>=<path> in the environment.
# LOCKS names what the program shares with others in the prefix (ctest -j runs no two holders
# of a lock at once): kelvora_shared for every program that writes the applet's or the
# maker's registry keys, opens a "KELVORA Controls Properties" sheet or Quorlat, or checks
# which window has the focus (another program's window may take it).
# kelvora_gtest_filtered(name PROGRAM FILTER ENV ... [LOCKS ...]): a second entry of a program,
# running the cases of a GoogleTest filter under another environment.
function(kelvora_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS;LOCKS" ${ARGN})
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
  if(ARG_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
endfunction()

function(kelvora_gtest_filtered name)
  cmake_parse_arguments(ARG "" "PROGRAM;FILTER" "ENV;LOCKS" ${ARGN})
  add_test(NAME ${name} COMMAND ${ARG_PROGRAM} --gtest_color=no --gtest_filter=${ARG_FILTER})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "${ARG_ENV}")
  if(ARG_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
endfunction()

# kelvora_version_info(target DESCRIPTION text [STANDIN] [MANIFEST file]): the target's version
# resource, with the suite's company and product names. A stand-in of a maker's component says
# so and carries the stand-ins' own version; the suite's files carry the product's. MANIFEST
# adds an application manifest (resource 1).
set(KELVORA_STANDIN_VERSION 1.0.0.0)
function(kelvora_version_info target)
  cmake_parse_arguments(ARG "STANDIN" "DESCRIPTION;MANIFEST" "" ${ARGN})
  if(ARG_STANDIN)
    set(version ${KELVORA_STANDIN_VERSION})
    set(description "Stand-in of the maker's ${ARG_DESCRIPTION}")
  else()
    set(version ${PROJECT_VERSION}.0)
    set(description "${ARG_DESCRIPTION}")
  endif()
  string(REPLACE "." "," version_commas ${version})
  set(product_commas ${PROJECT_VERSION}.0)
  string(REPLACE "." "," product_commas ${product_commas})
  set(manifest "")
  if(ARG_MANIFEST)
    set(manifest "1 24 \"${ARG_MANIFEST}\"\n")
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "#include <windows.h>
${manifest}VS_VERSION_INFO VERSIONINFO
FILEVERSION ${version_commas}
PRODUCTVERSION ${product_commas}
FILEOS VOS_NT_WINDOWS32
FILETYPE $<IF:$<STREQUAL:$<TARGET_PROPERTY:${target},TYPE>,EXECUTABLE>,VFT_APP,VFT_DLL>
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"040904b0\"
    BEGIN
      VALUE \"CompanyName\", \"Kelvora Corporation\"
      VALUE \"FileDescription\", \"${description}\"
      VALUE \"FileVersion\", \"${version}\"
      VALUE \"InternalName\", \"$<TARGET_FILE_BASE_NAME:${target}>\"
      VALUE \"OriginalFilename\", \"$<TARGET_FILE_NAME:${target}>\"
      VALUE \"ProductName\", \"KELVORA Controls\"
      VALUE \"ProductVersion\", \"${PROJECT_VERSION}.0\"
    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x409, 1200
  END
END
")
  target_sources(${target} PRIVATE ${rc})
  if(ARG_MANIFEST)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ARG_MANIFEST})
  endif()
endfunction()
