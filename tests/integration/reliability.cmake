# The fault matrix: the programs themselves (ombra-cli, solvi -auto) against a
# simulated radio on a pseudo-terminal, one test per fault. Included from this
# folder's CMakeLists; its sources (fault_*.cpp) are kept out of integration_tests.
file(GLOB FAULT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fault_*.cpp)
if(NOT FAULT_TEST_SOURCES OR NOT TARGET radiosim_lib OR NOT TARGET codeplug)
  return()
endif()
if(NOT TARGET ombra-cli AND NOT TARGET solvi)
  return()
endif()
add_executable(fault_matrix_tests ${FAULT_TEST_SOURCES})
target_link_libraries(fault_matrix_tests PRIVATE radiosim_lib codeplug platform norda_warnings
    GTest::gtest_main)
if(TARGET ombra-cli)
  target_compile_definitions(fault_matrix_tests PRIVATE
      OMBRA_CLI_PROGRAM="$<TARGET_FILE:ombra-cli>")
  add_dependencies(fault_matrix_tests ombra-cli)
endif()
if(TARGET solvi AND TARGET solvi_core)
  target_compile_definitions(fault_matrix_tests PRIVATE SOLVI_PROGRAM="$<TARGET_FILE:solvi>")
  target_link_libraries(fault_matrix_tests PRIVATE solvi_core link)
  add_dependencies(fault_matrix_tests solvi)
endif()
gtest_discover_tests(fault_matrix_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
