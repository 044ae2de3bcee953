#pragma once
// The program's guarded heap. Every block is framed by guard words tested when it is freed.
#include <cstddef>

void* MemMgr_Alloc(int size);
void MemMgr_Free(void* p);      // null is ignored
void* mem_calloc(unsigned size);  // zeroed; null on failure
int mem_free(void* p);          // 1 when the block was found, intact and released
