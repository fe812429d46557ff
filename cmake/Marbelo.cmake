# Build settings and helpers shared by every folder of the project.

if(WIN32)
  enable_language(RC)
  # Tests run under wine in the build tree's own prefix (made once by tools/wine-prefix.sh).
  set(MARBELO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${MARBELO_WINEPREFIX})
  # No mingw runtime DLL at run time: the binaries import system DLLs only.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0500)
  # Resource scripts are UTF-8; their texts become code page 932 in the binaries.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

add_compile_options(-Wall -Wextra)

# The 8-bit texts the system writes are Shift-JIS. Clang only knows UTF-8 as execution
# character set, so the fuzz build (which checks memory safety, not texts) keeps UTF-8.
if(NOT MARBELO_FUZZ)
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
endif()

if(MARBELO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Import library for a DLL whose functions are imported by ordinal, from a .def of ours.
# Creates the IMPORTED target <name>.
function(marbelo_import_library name def dll)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}-import.a)
  add_custom_command(
    OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} -d ${def} -D ${dll} -l ${lib}
    DEPENDS ${def}
    COMMENT "Import library for ${dll} from ${def}")
  add_custom_target(${name}-import-lib DEPENDS ${lib})
  add_library(${name} INTERFACE)
  add_dependencies(${name} ${name}-import-lib)
  target_link_libraries(${name} INTERFACE ${lib})
endfunction()

# A googletest executable run by CTest. Natively each case is a CTest test of its own; under
# wine (emulated on some machines, where a process start costs seconds) the whole executable
# is one CTest test, so its cases share one process.
# WINDOWS: its tests show windows on the one display, so they never run beside each other.
function(marbelo_gtest target)
  cmake_parse_arguments(ARG "WINDOWS" "" "" ${ARGN})
  target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
  set(props TIMEOUT 1800)
  if(ARG_WINDOWS)
    list(APPEND props RESOURCE_LOCK display)
  endif()
  if(WIN32)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    set_tests_properties(${target} PROPERTIES ${props})
  else()
    include(GoogleTest)
    gtest_discover_tests(${target} PROPERTIES ${props})
  endif()
endfunction()

# Files that `make dist` lays out: marbelo_dist(<folder under dist/> <target>...). The Windows
# build's entries are copied by its target `dist`, the native build's by `dist-native`.
function(marbelo_dist folder)
  foreach(t ${ARGN})
    set_property(GLOBAL APPEND PROPERTY MARBELO_DIST "${folder}|${t}")
  endforeach()
endfunction()

function(marbelo_dist_target)
  get_property(entries GLOBAL PROPERTY MARBELO_DIST)
  set(commands "")
  set(targets "")
  foreach(e ${entries})
    string(REPLACE "|" ";" parts "${e}")
    list(GET parts 0 folder)
    list(GET parts 1 t)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/dist/${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${t}> ${CMAKE_SOURCE_DIR}/dist/${folder}/)
    list(APPEND targets ${t})
  endforeach()
  if(WIN32)
    set(name dist)
  else()
    set(name dist-native)
  endif()
  add_custom_target(${name} ${commands} DEPENDS ${targets} VERBATIM)
endfunction()
