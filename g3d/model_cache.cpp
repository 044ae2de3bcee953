// The model cache.
#include "g3d/model_cache.h"

#include <string>

#include "platform/files.h"

namespace {
std::string poly_path;
std::uint32_t poly_memory_size = 0;
}  // namespace

void SetPolyPath(const char* directory) { poly_path = directory ? directory : ""; }

int SFLB_InitPolyMemory() { return platform::folder_exists(poly_path) ? 1 : 0; }

void SetPolyMemorySize(std::uint32_t bytes) { poly_memory_size = bytes; }
void FreePolyMemory(std::uint8_t) {}
void FreeMapMemory() {}
