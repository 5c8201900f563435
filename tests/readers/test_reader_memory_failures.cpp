// Allocation failures inside the declaration readers are contained and leak nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include "loading/DDModel.h"
#include "platform/utf.h"

namespace {

// This executable's operator new can be told to fail exactly once, at the n-th allocation after arming;
// the leak sanitizer checks at exit that nothing leaked.

std::size_t g_failAt = 0;  // 0: allocations never fail
std::size_t g_count = 0;
bool g_injected = false;

void Arm(std::size_t failAt) {
  g_count = 0;
  g_injected = false;
  g_failAt = failAt;
}

// True when the armed failure was reached.
bool Disarm() {
  g_failAt = 0;
  return g_injected;
}

// Out of line, so that the compiler does not see new and free meet.
[[gnu::noinline]] void ReleaseMemory(void* memory) noexcept { std::free(memory); }

}  // namespace

void* operator new(std::size_t size) {
  if (g_failAt != 0 && ++g_count == g_failAt) {
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

TEST(ReaderMemoryFailures, EveryFailedAllocationIsContainedByTheReaders) {
  CDDModel loader;  // the XML library stays initialized for the whole test
  auto parser = std::make_unique<xercesc::XercesDOMParser>();
  parser->setDoNamespaces(true);
  parser->parse(k42::utf::ToUtf16(K42GUI_SOURCE_DIR "/examples/demo/demo.xml").c_str());
  xercesc::DOMDocument* document = parser->getDocument();
  ASSERT_NE(document, nullptr);
  // Node lists are made before arming; the readers only walk them.
  auto list = [&](const char16_t* name) { return document->getElementsByTagName(name); };
  DOMNodeList* labels = list(u"LABEL_DEC");
  DOMNodeList* variables = list(u"VAR_DEC");
  DOMNodeList* functions = list(u"FUNCTION_ID");
  DOMNodeList* modules = list(u"MODULE_DEC");
  DOMNodeList* headers = list(u"HEADER_AREA");
  DOMNodeList* metas = list(u"METAINFORMATION");
  DOMNodeList* methods = list(u"MET_DEC");
  DOMNodeList* images = list(u"IMAGE_DEC");

  std::size_t failAt = 1;
  for (;; ++failAt) {
    auto model = std::make_unique<CDDModel>();
    bool escaped = false;
    Arm(failAt);
    try {
      model->ParseLabelDec(labels);
      model->ParseVarDec(variables);
      model->ParseFunctionId(functions, 1);
      model->ParseModuleDec(modules);
      model->ParseHeaderArea(headers);
      model->ParseMetaInformation(metas);
      model->ParseMetDec(methods);
      model->ParseImageDec(images);
    } catch (...) {
      escaped = true;
    }
    const bool injected = Disarm();
    ASSERT_FALSE(escaped) << "allocation " << failAt;
    if (!injected) break;  // the walk finished before reaching that allocation
  }
  // The demo device declares enough for hundreds of allocations.
  EXPECT_GT(failAt, 200u);
}

}  // namespace
