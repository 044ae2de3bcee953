#pragma once
// LZO1X, the compression of every packed file of the game, through liblzo2. Both the sprite
// archives and the 3D engine's packed blocks use it, so it sits below both.
#include <cstddef>

namespace platform {

constexpr int lzo_ok = 0;  // the library's success code; every failure is negative

// Bytes of work memory that LZO1X-1 compression needs (the library's own figure).
std::size_t lzo_compress_work_size();
// The largest output LZO1X-1 can produce for size input bytes (the library's worst case).
std::size_t lzo_compress_bound(std::size_t size);
// LZO1X-1 compression into destination, which holds at least lzo_compress_bound(size) bytes;
// work holds lzo_compress_work_size() bytes. The result code; *out_len the bytes written.
int lzo_compress(const void* source, std::size_t size, void* destination, std::size_t* out_len, void* work);
// LZO1X decompression that never reads past source_len nor writes past *out_len (the
// capacity on entry, the bytes written on return). The library's result code.
int lzo_decompress(const void* source, std::size_t source_len, void* destination, std::size_t* out_len);

}  // namespace platform
