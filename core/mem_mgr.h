#pragma once
// The program's guarded heap. Every block is framed by guard words tested when it is freed.
//
// A block of user size n takes n + 16 bytes: two guard words, the user area, two guard words.
// Live blocks are kept in 32 chains picked by bits 4-8 of the user pointer, so a free walks
// only one chain and a pointer the heap does not hold is refused without being touched.
#include <cstddef>
#include <cstdint>

class MemMgr {
 public:
  static constexpr std::uint32_t guard_word = 0xABCDDCBA;
  static constexpr int chain_count = 32;
  static constexpr int initial_nodes = 32;

  MemMgr();
  ~MemMgr();
  MemMgr(const MemMgr&) = delete;
  MemMgr& operator=(const MemMgr&) = delete;

  // The user pointer (not cleared), or null: size below 0 or too large, or no memory.
  void* Alloc(int size);
  // True when the block was found, its guards were intact and it was released. A block with
  // overwritten guards is released all the same, but its node record is not used again: it
  // is set aside until shut-down. A pointer not held changes nothing.
  bool Free(const void* p);

  // The last error: a fixed message, an overwrite report or a system error text.
  const char* error_text() const { return error_text_; }
  long long bytes_in_use() const { return bytes_in_use_; }
  long long peak_bytes() const { return peak_bytes_; }
  int node_records() const { return node_records_; }
  // Node records kept out of the pool after an overwrite.
  int set_aside_records() const;
  int peak_node_records() const { return peak_node_records_; }
  // Blocks handed out and not yet freed (the shut-down check compares it with its start value).
  int blocks_in_use() const { return blocks_in_use_; }
  int peak_blocks() const { return peak_blocks_; }

 private:
  // One block: the raw block (guards included), the user size, the next link.
  struct Node {
    std::uint8_t* block;
    int size;
    Node* next;
  };

  Node* TakeNode();
  void ReturnNode(Node* node);
  Node* NodeBodyAlloc();
  bool NodeBodyFree(Node* node);
  bool NodeContainAlloc(Node* node, int size);
  bool NodeContainFree(Node* node);
  void LinkNode(Node* node);
  Node* UnlinkNode(const void* p);
  void SetError(const char* text);
  void ReportOverwrite(const Node* node);

  // Sums of user sizes; wider than a block size so that they cannot overflow.
  long long peak_bytes_ = 0;
  long long bytes_in_use_ = 0;
  int peak_node_records_ = 0;
  int node_records_ = 0;
  int blocks_in_use_ = 0;
  int peak_blocks_ = 0;
  Node chains_[chain_count] = {};
  Node pool_ = {};
  Node set_aside_ = {};  // node records of blocks found overwritten, released at shut-down
  char error_text_[1024] = {};
};

// The one heap of the program, built before main and destroyed after it (blocks still live
// then are released with their guards tested).
extern MemMgr mem_mgr;

void* MemMgr_Alloc(int size);
void MemMgr_Free(void* p);        // null is ignored
void* mem_calloc(unsigned size);  // zeroed; null on failure (also for sizes of 2^31 and more)
int mem_free(void* p);            // 1 when the block was found, intact and released
