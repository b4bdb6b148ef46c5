# The fault matrix: the programs themselves (ombra-cli, solvi -auto) against a
# simulated radio on a pseudo-terminal, one test per fault. Included from this
# folder's CMakeLists; its sources (fault_*.cpp) are kept out of integration_tests.
file(GLOB FAULT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fault_*.cpp)
add_executable(fault_matrix_tests ${FAULT_TEST_SOURCES})
target_link_libraries(fault_matrix_tests PRIVATE radiosim_lib codeplug solvi_core link
    norda_test_support platform norda_warnings GTest::gtest_main)
target_compile_definitions(fault_matrix_tests PRIVATE OMBRA_CLI_PROGRAM="$<TARGET_FILE:ombra-cli>"
    SOLVI_PROGRAM="$<TARGET_FILE:solvi>")
add_dependencies(fault_matrix_tests ombra-cli solvi)
gtest_discover_tests(fault_matrix_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
