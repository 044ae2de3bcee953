#include "platform/lzo.h"

#include <lzo/lzo1x.h>

namespace platform {
namespace {
bool lzo_ready() {
  static const bool ready = lzo_init() == LZO_E_OK;
  return ready;
}
}  // namespace

std::size_t lzo_compress_work_size() { return LZO1X_1_MEM_COMPRESS; }

std::size_t lzo_compress_bound(std::size_t size) { return size + size / 16 + 64 + 3; }

int lzo_compress(const void* source, std::size_t size, void* destination, std::size_t* out_len, void* work) {
  if (!lzo_ready()) return LZO_E_ERROR;
  lzo_uint len = 0;
  int rc = lzo1x_1_compress(static_cast<const unsigned char*>(source), size,
                            static_cast<unsigned char*>(destination), &len, work);
  *out_len = len;
  return rc;
}

int lzo_decompress(const void* source, std::size_t source_len, void* destination, std::size_t* out_len) {
  if (!lzo_ready()) return LZO_E_ERROR;
  lzo_uint len = *out_len;
  int rc = lzo1x_decompress_safe(static_cast<const unsigned char*>(source), source_len,
                                 static_cast<unsigned char*>(destination), &len, nullptr);
  *out_len = len;
  return rc;
}

}  // namespace platform
