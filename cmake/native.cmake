# The portable logic built with the host compiler, its tests under AddressSanitizer and UBSan.
set(NOTE_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(note_portable PRIVATE ${NOTE_SANITIZERS})
target_link_options(note_portable PUBLIC ${NOTE_SANITIZERS})

if(NOTE_BUILD_TESTS)
  include(GoogleTest)
  file(GLOB native_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
  add_executable(native_tests ${native_tests})
  target_compile_options(native_tests PRIVATE ${NOTE_SANITIZERS})
  target_link_libraries(native_tests PRIVATE note_portable GTest::gtest_main)
  gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)
endif()
