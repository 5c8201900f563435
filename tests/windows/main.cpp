// The Windows host tests run in a single-threaded apartment, as a display control does.
#include <gtest/gtest.h>
#include <k42gui/objbase.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
