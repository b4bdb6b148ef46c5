# `solvi -auto` end to end: the program against the radiosim program, and against
# radios served by this test itself where their flash must be looked at afterwards.
# Included from this folder's CMakeLists; its sources (solvi_*.cpp) stay out of
# integration_tests.
file(GLOB SOLVI_AUTO_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/solvi_*.cpp)
add_executable(solvi_auto_tests ${SOLVI_AUTO_TEST_SOURCES})
target_link_libraries(solvi_auto_tests PRIVATE solvi_core radiosim_lib platform production_db
    norda_test_pg norda_warnings
    GTest::gtest_main)
target_compile_definitions(solvi_auto_tests PRIVATE SOLVI_PROGRAM="$<TARGET_FILE:solvi>"
    RADIOSIM_PROGRAM="$<TARGET_FILE:radiosim>")
add_dependencies(solvi_auto_tests solvi radiosim)
gtest_discover_tests(solvi_auto_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
