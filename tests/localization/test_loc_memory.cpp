// Memory that runs out while the localized file is read: what a language switch answers and keeps.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

#include "model/DDModel.h"
#include "support/message_box_capture.h"
#include "support/test_paths.h"

namespace {

// This executable's operator new can be told to fail exactly once, at the n-th allocation after arming that
// is made by another thread than the arming one: the thread on which a read applies the texts, which runs
// the component's own text handling only (the XML library itself leaks when its allocations fail). The
// leak sanitizer checks at exit that nothing leaked.
std::atomic<std::size_t> g_failAt{0};  // 0: allocations never fail
std::atomic<std::size_t> g_count{0};
std::atomic<bool> g_injected{false};
std::thread::id g_armingThread;  // written before g_failAt is set

// Out of line, so that the compiler does not see new and free meet.
[[gnu::noinline]] void ReleaseMemory(void* memory) noexcept { std::free(memory); }

}  // namespace

void* operator new(std::size_t size) {
  if (g_failAt != 0 && std::this_thread::get_id() != g_armingThread && ++g_count == g_failAt) {
    g_injected = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete(void* memory) noexcept { ReleaseMemory(memory); }
void operator delete[](void* memory) noexcept { ReleaseMemory(memory); }
void operator delete(void* memory, std::size_t) noexcept { ReleaseMemory(memory); }
void operator delete[](void* memory, std::size_t) noexcept { ReleaseMemory(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { ReleaseMemory(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { ReleaseMemory(memory); }

namespace {

// Failing each allocation of the text handling of a switch in turn: the read ends there without failing, so
// the switch answers 0 and keeps the new language, as the reading of the localized file defines.
TEST(LocalizedFileMemory, AnAllocationFailureInTheTextHandlingEndsTheReadWithoutFailingIt) {
  if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "the texts are applied on the reading thread";
  k42test::MessageBoxCapture boxes;  // a failed switch would show "Open failed!"
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "localization/device.xml", "localization/switch_loc.xml", u"en"), 0);
  g_armingThread = std::this_thread::get_id();
  std::size_t failAt = 1;
  for (;; ++failAt) {
    const std::u16string language = model.Language() == u"en" ? u"de" : u"en";
    g_count = 0;
    g_injected = false;
    g_failAt = failAt;
    const int32_t result = model.ChangeLanguage(language, nullptr);
    g_failAt = 0;
    EXPECT_EQ(result, 0) << "allocation " << failAt;
    EXPECT_EQ(model.Language(), language) << "allocation " << failAt;
    if (!g_injected) break;  // the switch made fewer allocations than failAt
  }
  EXPECT_GT(failAt, 1u);
  EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
