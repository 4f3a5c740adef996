# The codec fuzz target runs in the suite as tst_codecfuzz: a fixed seed loop and every 16-bit
# frequency and guard word. For libFuzzer, configure a separate build directory with
#   CXX=clang++ cmake -S . -B <dir> -DTESSARO_FUZZ=ON
# then build fuzz_codecs and run it, e.g. fuzz_codecs -max_total_time=60.
add_executable(tst_codecfuzz fuzz_codecs.cpp)
target_link_libraries(tst_codecfuzz PRIVATE tessaro_model)
add_test(NAME tst_codecfuzz COMMAND tst_codecfuzz)
set_tests_properties(tst_codecfuzz PROPERTIES TIMEOUT 120)
add_dependencies(check tst_codecfuzz)

option(TESSARO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(TESSARO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TESSARO_FUZZ needs clang++")
    endif()
    # The model is compiled in again so that libFuzzer's coverage sees it.
    get_target_property(model_sources tessaro_model SOURCES)
    list(TRANSFORM model_sources PREPEND ${PROJECT_SOURCE_DIR}/model/)
    add_executable(fuzz_codecs fuzz_codecs.cpp ${model_sources}
        ${PROJECT_SOURCE_DIR}/platform/platform.cpp)
    target_include_directories(fuzz_codecs PRIVATE ${PROJECT_SOURCE_DIR}/model
        ${PROJECT_SOURCE_DIR}/platform)
    target_compile_definitions(fuzz_codecs PRIVATE TESSARO_LIBFUZZER)
    target_compile_options(fuzz_codecs PRIVATE -fsanitize=fuzzer,address,undefined -UNDEBUG)
    target_link_options(fuzz_codecs PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
