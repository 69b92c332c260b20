# Read by ctest in the Windows build after the tests are discovered.
# Shared tests that cannot run on Windows are named here and shown as
# disabled. None are at present: the tests spell paths through
# tests/support/FakeFileSystem.h (NativePath), and whole files that need
# POSIX calls are left out of the Windows build in tests/CMakeLists.txt.
set(KOLBRIN_POSIX_ONLY_TESTS
)
if(KOLBRIN_POSIX_ONLY_TESTS)
  set_tests_properties(${KOLBRIN_POSIX_ONLY_TESTS} PROPERTIES DISABLED TRUE)
endif()
