# Shared build settings of the project.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(POLLENTA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Our shared libraries are the platform layer, in place of the system's DLLs,
# and like those they stay once a process has loaded them: they set up their
# process-wide parts once (the Qt application, GraphicsMagick, GMime's types),
# and system libraries under them keep what they set up at load and never give
# it back (the OpenMP runtime under Qt, the HEVC decoder under GraphicsMagick).
# A module that is unloaded must not take them along.
string(APPEND CMAKE_SHARED_LINKER_FLAGS " -Wl,-z,nodelete")

# A loadable module in the manner of the deliverables: no "lib" prefix,
# found beside the other modules in bin/.
function(pollenta_add_module name)
  add_library(${name} MODULE ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden)
endfunction()

# pollenta_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# A GoogleTest program whose cases CTest runs one by one, in parallel, with
# the shared test support (temporary folders and registry) at hand.
function(pollenta_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} pollenta_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    POLLENTA_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    POLLENTA_TEST_DIR="${CMAKE_BINARY_DIR}/tests"
    POLLENTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES BUILD_RPATH "${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()

# pollenta_add_fuzzer(<name> SOURCES <files...> LIBS <targets...> [CORPUS <dir>])
# A libFuzzer target; built only by clang (the sanitizer build), where CTest
# runs it from a fixed seed, so that a run repeats the same inputs, for a
# bounded number of inputs and at most 90 seconds.
function(pollenta_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
                                           BUILD_RPATH "${CMAKE_BINARY_DIR}/bin")
  # New inputs go to a folder of the build; the seed corpus in the sources is
  # only read.
  set(work_corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work_corpus})
  set(corpus_args ${work_corpus})
  if(F_CORPUS)
    list(APPEND corpus_args ${F_CORPUS})
  endif()
  add_test(NAME ${name} COMMAND ${name} -seed=1 -runs=200000 -max_total_time=90 -max_len=4096 ${corpus_args})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# pollenta_embed_pictures(<target> <function> <files...>)
# Compiles picture files into the target, the way a resource compiler puts
# them into a module: the generated source defines
#   std::string_view <function>(std::string_view fileName)
# which answers a file's bytes by its name, or an empty view.
function(pollenta_embed_pictures target function)
  set(source "${CMAKE_CURRENT_BINARY_DIR}/${target}_${function}.cpp")
  set(arrays "")
  set(entries "")
  set(index 0)
  foreach(file IN LISTS ARGN)
    get_filename_component(path "${file}" ABSOLUTE)
    get_filename_component(name "${file}" NAME)
    file(READ "${path}" bytes HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
    string(APPEND arrays "const char k${index}[] = {${bytes}};\n")
    string(APPEND entries "    {\"${name}\", {k${index}, sizeof k${index}}},\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
    math(EXPR index "${index} + 1")
  endforeach()
  file(CONFIGURE OUTPUT "${source}" CONTENT "// Generated from the picture files; edit those instead.
#include <string_view>
#include <utility>

namespace {
@arrays@
const std::pair<std::string_view, std::string_view> kPictures[] = {
@entries@};
} // namespace

std::string_view @function@(std::string_view fileName)
{
    for (const auto& [name, bytes] : kPictures)
        if (name == fileName)
            return bytes;
    return {};
}
" @ONLY)
  target_sources(${target} PRIVATE "${source}")
endfunction()
