# libFuzzer target over the field codecs; configure a separate build directory with
#   CXX=clang++ cmake -S . -B <dir> -DTESSARO_FUZZ=ON
# then build fuzz_codecs and run it, e.g. fuzz_codecs -max_total_time=60.
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
    target_compile_options(fuzz_codecs PRIVATE -fsanitize=fuzzer,address,undefined -UNDEBUG)
    target_link_options(fuzz_codecs PRIVATE -fsanitize=fuzzer,address,undefined)
endif()
