// Automation strings: length-prefixed UTF-16 buffers in the Windows layout.
#include <k42gui/oleauto.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define K42_BSTR_CACHE_POISONED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define K42_BSTR_CACHE_POISONED 1
#endif
#endif
#ifdef K42_BSTR_CACHE_POISONED
#include <sanitizer/asan_interface.h>
#endif

namespace {

// Bytes in front of the characters: the 32-bit byte length.
constexpr size_t kPrefix = sizeof(DWORD);
// Bytes after the characters: one NUL character.
constexpr size_t kSuffix = sizeof(OLECHAR);

BYTE* BlockOf(BSTR bstr) { return reinterpret_cast<BYTE*>(bstr) - kPrefix; }

// ---------------------------------------------------------------------------
// The string cache. As on Windows, freed short strings are kept per thread and
// handed out again for strings of about their size, unless the environment
// variable OANOCACHE is set. A method that returns a table of strings makes
// hundreds of them, which its caller frees at once; going to malloc for each
// made the C library sort and merge those blocks again on every call.

// Blocks are sized in steps of kStep bytes; blocks of up to kStep * kBuckets
// bytes are kept, at most kPerBucket of each size and kCachedBytes in all.
// A table of strings is mostly short texts, so the smallest sizes fill up.
constexpr size_t kStep = 16;
constexpr size_t kBuckets = 16;
constexpr size_t kPerBucket = 256;
constexpr size_t kCachedBytes = 128 * 1024;

struct BlockCache {
  BYTE* blocks[kBuckets][kPerBucket];
  size_t counts[kBuckets] = {};
  size_t bytes = 0;
};
// Made on a thread's first free and given back when the thread ends. The
// cache pointer and the ending flag are one trivially destructible
// thread-local, so they stay usable while the thread ends, when other
// thread-local objects may free strings. Hosts load this library at run
// time, so it keeps the default TLS model: its thread-locals are found
// through the C library (one look-up per call) and never need room in the
// static TLS block, which a host may already have used up.
struct ThreadCache {
  BlockCache* cache = nullptr;
  bool closed = false;  // the thread is ending: blocks go straight back to malloc
};
thread_local ThreadCache t_thread;

void Poison(BYTE* block, size_t size) {
#ifdef K42_BSTR_CACHE_POISONED
  ASAN_POISON_MEMORY_REGION(block, size);  // a use after SysFreeString is still reported
#else
  (void)block, (void)size;
#endif
}

void Unpoison(BYTE* block, size_t size) {
#ifdef K42_BSTR_CACHE_POISONED
  ASAN_UNPOISON_MEMORY_REGION(block, size);
#else
  (void)block, (void)size;
#endif
}

struct CacheDrain {
  ~CacheDrain() {
    ThreadCache& thread = t_thread;
    thread.closed = true;
    BlockCache* cache = thread.cache;
    if (cache == nullptr) return;
    for (size_t bucket = 0; bucket < kBuckets; ++bucket) {
      for (size_t i = 0; i < cache->counts[bucket]; ++i) {
        Unpoison(cache->blocks[bucket][i], (bucket + 1) * kStep);
        std::free(cache->blocks[bucket][i]);
      }
    }
    delete cache;
    thread.cache = nullptr;
  }
};
thread_local CacheDrain t_drain;

bool CacheEnabled() {
  static const bool enabled = std::getenv("OANOCACHE") == nullptr;
  return enabled;
}

// The bytes a block of `size` bytes is allocated with, and its bucket
// (kBuckets when it is too large to be kept).
size_t RoundedSize(size_t size) { return (size + kStep - 1) / kStep * kStep; }
size_t BucketOf(size_t roundedSize) { return roundedSize <= kStep * kBuckets ? roundedSize / kStep - 1 : kBuckets; }

BYTE* AllocateBlock(size_t size) {
  const size_t rounded = RoundedSize(size);
  const size_t bucket = BucketOf(rounded);
  BlockCache* cache = bucket < kBuckets ? t_thread.cache : nullptr;
  if (cache != nullptr && cache->counts[bucket] != 0) {
    BYTE* block = cache->blocks[bucket][--cache->counts[bucket]];
    cache->bytes -= rounded;
    Unpoison(block, rounded);
    return block;
  }
  return static_cast<BYTE*>(std::malloc(bucket < kBuckets ? rounded : size));
}

void FreeBlock(BYTE* block, size_t size) {
  const size_t rounded = RoundedSize(size);
  const size_t bucket = BucketOf(rounded);
  if (bucket < kBuckets && CacheEnabled()) {
    ThreadCache& thread = t_thread;
    if (thread.cache == nullptr && !thread.closed) {
      (void)&t_drain;  // this thread's cache is given back when it ends
      thread.cache = new (std::nothrow) BlockCache;
    }
    BlockCache* cache = thread.closed ? nullptr : thread.cache;
    if (cache != nullptr && cache->counts[bucket] < kPerBucket && cache->bytes + rounded <= kCachedBytes) {
      Poison(block, rounded);
      cache->blocks[bucket][cache->counts[bucket]++] = block;
      cache->bytes += rounded;
      return;
    }
  }
  std::free(block);
}

// ---------------------------------------------------------------------------

// Allocates a string of `bytes` bytes, copies `data` (zero-fills without
// it) and adds the NUL. The byte length must fit the 32-bit prefix.
BSTR Allocate(const void* data, size_t bytes) {
  if (bytes > std::numeric_limits<DWORD>::max() - kPrefix - kSuffix) return nullptr;
  BYTE* block = AllocateBlock(kPrefix + bytes + kSuffix);
  if (block == nullptr) return nullptr;
  DWORD length = static_cast<DWORD>(bytes);
  std::memcpy(block, &length, kPrefix);
  if (data != nullptr) {
    std::memcpy(block + kPrefix, data, bytes);
  } else {
    std::memset(block + kPrefix, 0, bytes);
  }
  std::memset(block + kPrefix + bytes, 0, kSuffix);
  return reinterpret_cast<BSTR>(block + kPrefix);
}

size_t TextLength(const OLECHAR* psz) {
  size_t n = 0;
  while (psz[n] != 0) ++n;
  return n;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
  if (psz == nullptr) return nullptr;
  return Allocate(psz, TextLength(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  return Allocate(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) { return Allocate(psz, len); }

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (pbstr == nullptr) return FALSE;
  // Allocate before freeing: `psz` may point into the old string.
  BSTR replacement = SysAllocStringLen(psz, len);
  if (replacement == nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = replacement;
  return TRUE;
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  if (pbstr == nullptr) return FALSE;
  if (psz == nullptr) {
    SysFreeString(*pbstr);
    *pbstr = nullptr;
    return TRUE;
  }
  return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(TextLength(psz)));
}

UINT SysStringByteLen(BSTR bstr) {
  if (bstr == nullptr) return 0;
  DWORD length;
  std::memcpy(&length, BlockOf(bstr), kPrefix);
  return length;
}

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

void SysFreeString(BSTR bstrString) {
  if (bstrString != nullptr) FreeBlock(BlockOf(bstrString), kPrefix + SysStringByteLen(bstrString) + kSuffix);
}
