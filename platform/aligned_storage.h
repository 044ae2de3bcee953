#pragma once
// Vectors whose storage starts on a cache line. A surface's rows then start on lines wherever
// the pitch is a multiple of 64 bytes (640 pixels of 16 bits), and the blitter's wide stores
// into them do not cross lines: a store that crosses one costs about two.
#include <cstddef>
#include <new>
#include <vector>

template <class T>
struct CacheLineAllocator {
  using value_type = T;
  static constexpr std::align_val_t line{64};

  CacheLineAllocator() = default;
  template <class U>
  CacheLineAllocator(const CacheLineAllocator<U>&) {}

  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), line)); }
  void deallocate(T* p, std::size_t) { ::operator delete(p, line); }

  friend bool operator==(const CacheLineAllocator&, const CacheLineAllocator&) { return true; }
};

template <class T>
using CacheLineVector = std::vector<T, CacheLineAllocator<T>>;
