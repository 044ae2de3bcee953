#pragma once
// The model cache: the model directory, the model index files and the cache's byte budget.
// This first version loads no index; it fails only when the model directory is missing, where
// no index file could be loaded either.
#include <cstdint>

void SetPolyPath(const char* directory);
int SFLB_InitPolyMemory();  // 1 on success, 0 when the model indexes cannot be loaded
void SetPolyMemorySize(std::uint32_t bytes);
void FreePolyMemory(std::uint8_t tag);  // 255 frees every model
void FreeMapMemory();
