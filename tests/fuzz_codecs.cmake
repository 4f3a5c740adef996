# The codec fuzz target runs in the suite as tst_codecfuzz: a fixed seed loop and every 16-bit
# frequency and guard word. With TESSARO_FUZZ it is also a libFuzzer target
# (scripts/reliability.sh runs it).
add_executable(tst_codecfuzz fuzz_codecs.cpp)
target_link_libraries(tst_codecfuzz PRIVATE tessaro_model)
add_test(NAME tst_codecfuzz COMMAND tst_codecfuzz)
set_tests_properties(tst_codecfuzz PROPERTIES TIMEOUT 120)
add_dependencies(check tst_codecfuzz)

if(TESSARO_FUZZ)
    add_executable(fuzz_codecs fuzz_codecs.cpp)
    target_link_libraries(fuzz_codecs PRIVATE tessaro_model)
    target_compile_definitions(fuzz_codecs PRIVATE TESSARO_LIBFUZZER)
    target_link_options(fuzz_codecs PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_codecs PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endif()
