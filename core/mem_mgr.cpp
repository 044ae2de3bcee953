#include "core/mem_mgr.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

MemMgr mem_mgr;

namespace {

constexpr int guard_bytes = 8;  // two guard words on each side
constexpr int frame_bytes = 2 * guard_bytes;
constexpr int report_bytes = 16;

int chain_of(const void* user) { return int((reinterpret_cast<std::uintptr_t>(user) >> 4) & 31); }

void put_guard(std::uint8_t* at) {
  const std::uint32_t word = MemMgr::guard_word;
  std::memcpy(at, &word, 4);
  std::memcpy(at + 4, &word, 4);
}

bool guard_intact(const std::uint8_t* at) {
  std::uint32_t a, b;
  std::memcpy(&a, at, 4);
  std::memcpy(&b, at + 4, 4);
  return a == MemMgr::guard_word && b == MemMgr::guard_word;
}

}  // namespace

MemMgr::MemMgr() {
  for (int i = 0; i < initial_nodes; ++i)
    if (Node* node = NodeBodyAlloc()) ReturnNode(node);
}

MemMgr::~MemMgr() {
  // Blocks still live are released with their guards tested; nothing is reported.
  for (Node& chain : chains_) {
    while (Node* node = chain.next) {
      chain.next = node->next;
      node->next = nullptr;
      NodeContainFree(node);
      ReturnNode(node);
    }
  }
  for (Node* list : {&pool_, &set_aside_}) {
    while (Node* node = list->next) {
      list->next = node->next;
      NodeBodyFree(node);
    }
  }
}

void* MemMgr::Alloc(int size) {
  Node* node = TakeNode();
  if (!NodeContainAlloc(node, size)) {
    ReturnNode(node);
    return nullptr;
  }
  LinkNode(node);
  if (++blocks_in_use_ > peak_blocks_) peak_blocks_ = blocks_in_use_;
  return node->block + guard_bytes;
}

bool MemMgr::Free(const void* p) {
  Node* node = UnlinkNode(p);
  if (!node) return false;
  --blocks_in_use_;
  if (NodeContainFree(node)) {
    ReturnNode(node);
    return true;
  }
  // A record whose block was overwritten is not trusted again; it is kept until shut-down.
  node->next = set_aside_.next;
  set_aside_.next = node;
  return false;
}

int MemMgr::set_aside_records() const {
  int n = 0;
  for (const Node* node = set_aside_.next; node; node = node->next) ++n;
  return n;
}

MemMgr::Node* MemMgr::TakeNode() {
  if (Node* node = pool_.next) {
    pool_.next = node->next;
    node->next = nullptr;
    return node;
  }
  return NodeBodyAlloc();
}

void MemMgr::ReturnNode(Node* node) {
  if (!node) return;
  node->next = pool_.next;
  pool_.next = node;
}

MemMgr::Node* MemMgr::NodeBodyAlloc() {
  auto* node = static_cast<Node*>(std::calloc(1, sizeof(Node)));
  if (!node) {
    SetError("Mgr node body alloc fail");
    return nullptr;
  }
  if (++node_records_ > peak_node_records_) peak_node_records_ = node_records_;
  return node;
}

bool MemMgr::NodeBodyFree(Node* node) {
  NodeContainFree(node);
  std::free(node);
  --node_records_;
  return true;
}

bool MemMgr::NodeContainAlloc(Node* node, int size) {
  if (!node) {
    SetError("Internal error : NodeContainAlloc");
    return false;
  }
  // A negative size, or one whose frame would not fit an int, is no block.
  void* raw =
      size >= 0 && size <= INT_MAX - frame_bytes ? std::malloc(std::size_t(size) + frame_bytes) : nullptr;
  if (!raw) {
    SetError("Mgr node contain alloc fail");
    *node = Node{};
    return false;
  }
  auto* block = static_cast<std::uint8_t*>(raw);
  put_guard(block);
  put_guard(block + guard_bytes + size);
  node->block = block;
  node->size = size;
  node->next = nullptr;
  bytes_in_use_ += size;
  if (bytes_in_use_ > peak_bytes_) peak_bytes_ = bytes_in_use_;
  return true;
}

bool MemMgr::NodeContainFree(Node* node) {
  if (!node->block) return true;
  bool intact = guard_intact(node->block) && guard_intact(node->block + guard_bytes + node->size);
  if (!intact) ReportOverwrite(node);
  std::free(node->block);
  bytes_in_use_ -= node->size;
  *node = Node{};
  return intact;
}

void MemMgr::LinkNode(Node* node) {
  Node& chain = chains_[chain_of(node->block + guard_bytes)];
  node->next = chain.next;
  chain.next = node;
}

MemMgr::Node* MemMgr::UnlinkNode(const void* p) {
  auto wanted = reinterpret_cast<std::uintptr_t>(p);
  for (Node* prev = &chains_[chain_of(p)]; prev->next; prev = prev->next) {
    Node* node = prev->next;
    if (reinterpret_cast<std::uintptr_t>(node->block + guard_bytes) == wanted) {
      prev->next = node->next;
      node->next = nullptr;
      return node;
    }
  }
  return nullptr;
}

void MemMgr::SetError(const char* text) { std::snprintf(error_text_, sizeof error_text_, "%s", text); }

// The report shows the first 16 bytes of the user area; bytes past the block (its user area
// and trailing guards) are never read and show as "--".
void MemMgr::ReportOverwrite(const Node* node) {
  const std::uint8_t* user = node->block + guard_bytes;
  long long readable = (long long)node->size + guard_bytes;
  char bytes[report_bytes * 3 + 1] = {};
  for (int i = 0; i < report_bytes; ++i)
    std::snprintf(bytes + 3 * i, 4, i < readable ? "%2X " : "-- ", unsigned(i < readable ? user[i] : 0));
  bytes[report_bytes * 3 - 1] = '\0';  // no blank after the last byte
  std::snprintf(error_text_, sizeof error_text_, "block[0x%llx][%d] overwrited! [%s]",
                (unsigned long long)reinterpret_cast<std::uintptr_t>(user), node->size, bytes);
}

void* MemMgr_Alloc(int size) { return mem_mgr.Alloc(size); }

void MemMgr_Free(void* p) {
  if (p) mem_mgr.Free(p);
}

void* mem_calloc(unsigned size) {
  if (size > unsigned(INT_MAX)) return nullptr;
  void* p = mem_mgr.Alloc(int(size));
  if (p) std::memset(p, 0, size);
  return p;
}

int mem_free(void* p) { return mem_mgr.Free(p) ? 1 : 0; }
