# Small helpers shared by the folders' CMakeLists: one static library per logic folder and one
# GoogleTest binary per test folder.

# sudoku_library(NAME [PUBLIC deps...] [PRIVATE deps...]): a static library from every .cpp of
# the calling folder. A dependency is PUBLIC when the library's headers include it, PRIVATE when
# only its sources do.
function(sudoku_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(ARGN)
    target_link_libraries(${name} ${ARGN})
  endif()
endfunction()

# sudoku_test(NAME DEPS...): a test binary from every .cpp of the calling folder, registered
# with CTest test by test. Tests run in the build folder's test-data/NAME directory.
function(sudoku_test name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
      SUDOKU_SOURCE_DIR="${PROJECT_SOURCE_DIR}" SUDOKU_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
