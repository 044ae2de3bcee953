// The item-list operations: adding and taking pieces, counting, finding, sorting, freeing.
#include "data/item_list.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "battle/fame.h"
#include "core/mem_mgr.h"
#include "data/object_db.h"

namespace {
int new_first = 0;
int move_front = 1;

constexpr std::uint16_t collection_first = 3001, collection_last = 4999;
constexpr std::uint8_t flag_every_kind = 0x02;
constexpr std::uint8_t flag_with_high_mask = 0x08;
constexpr std::uint16_t mask_high = 0x80;

ItemNode* alloc_node() {
  void* mem = MemMgr_Alloc(static_cast<int>(sizeof(ItemNode)));
  if (!mem) return nullptr;
  std::memset(mem, 0, sizeof(ItemNode));
  return new (mem) ItemNode{};
}

std::int16_t cap_count(int n) { return static_cast<std::int16_t>(std::clamp(n, 0, item_count_cap)); }

// The list flags tested as a signed byte: bit 7 also meets mask bits 8-15.
int flags_of(const ItemNode* node) { return static_cast<std::int8_t>(node->item.action_flags); }

bool meets(const ItemNode* node, std::uint16_t mask) {
  return (flags_of(node) & mask) != 0 || ((mask & mask_high) && (flags_of(node) & flag_with_high_mask));
}

bool every_kind(const ItemNode* node) { return node->item.action_flags & flag_every_kind; }

bool suits(const ItemNode* node, std::uint16_t c) {
  std::uint8_t own = node->item.user_class;
  return own == c || own == 0 || c == 0;
}

// Class 2 leaves out the nodes that match every kind.
bool excluded(const ItemNode* node, std::uint16_t c) { return c == 2 && every_kind(node); }

// Counts nodes through the selection steps until the counter reaches n + 1.
struct Counter {
  int target;
  int seen = 0;
  bool step() { return ++seen == target; }
};

// Takes up to n pieces from one count; returns what is left of n.
int take(std::int16_t& from, int n) {
  if (from <= 0 || n <= 0) return n;
  if (n <= from) {
    from = static_cast<std::int16_t>(from - n);
    return 0;
  }
  n -= from;
  from = 0;
  return n;
}
}  // namespace

void set_item_new_first(int on) { new_first = on; }
void set_item_move_front(int on) { move_front = on; }

ItemNode* find_item(ItemNode* owner, std::uint16_t object) {
  for (ItemNode* node = owner->next; node; node = node->next)
    if (node->object == object) return node;
  return nullptr;
}

ItemNode* add_item(ItemNode* owner, std::uint16_t object, std::uint16_t n, int mode) {
  if (ItemNode* node = find_item(owner, object)) {
    if (mode == 1) {
      int sum = node->new_count + n;
      node->new_count = cap_count(sum);
      if (sum > item_count_cap) node->count = 0;
    } else if (mode == 2) {
      int sum = node->count + n;
      node->count = cap_count(sum);
      if (sum > item_count_cap) node->new_count = 0;
    }
    return node;
  }
  ItemNode* node = alloc_node();
  if (!node) return nullptr;
  if (!read_Item(object, &node->item)) {
    MemMgr_Free(node);
    return nullptr;
  }
  if (object >= collection_first && object <= collection_last) fame_add(object, 1, 0, 2);
  node->object = object;
  if (mode == 1) node->new_count = cap_count(n);
  if (mode == 2) node->count = cap_count(n);
  node->next = owner->next;
  owner->next = node;
  return node;
}

int del_item(ItemNode* owner, std::uint16_t object, std::uint16_t n) {
  ItemNode* prev = owner;
  ItemNode* node = owner->next;
  while (node && node->object != object) {
    prev = node;
    node = node->next;
  }
  if (!node) return 0;
  int left = n;
  if (new_first) {
    left = take(node->new_count, left);
    take(node->count, left);
  } else {
    left = take(node->count, left);
    take(node->new_count, left);
  }
  if (node->count <= 0 && node->new_count <= 0) {
    prev->next = node->next;
    MemMgr_Free(node);
  } else if (move_front && prev != owner) {
    prev->next = node->next;
    node->next = owner->next;
    owner->next = node;
  }
  new_first = 0;
  return 1;
}

int get_item_num(ItemNode* owner, std::uint16_t object) {
  ItemNode* node = find_item(owner, object);
  return node ? node->count + node->new_count : 0;
}

int count_item_tab(ItemNode* owner, std::uint16_t key) {
  int n = 0;
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (key == 0 || (node->item.kind == key && node->count != 0) || (key == item_key_new && node->new_count > 0))
      ++n;
  }
  return n;
}

int count_item_type(ItemNode* owner, std::uint16_t kind) {
  int n = 0;
  for (ItemNode* node = owner->next; node; node = node->next)
    if (kind == 0 || node->item.kind == kind) ++n;
  return n;
}

int count_item_type_exact(ItemNode* owner, std::uint16_t kind) {
  int n = 0;
  for (ItemNode* node = owner->next; node; node = node->next)
    if (node->item.kind == kind) ++n;
  return n;
}

int count_item_flag(ItemNode* owner, std::uint16_t mask) {
  int n = 0;
  for (ItemNode* node = owner->next; node; node = node->next)
    if (meets(node, mask)) ++n;
  return n;
}

int count_item_type_flag(ItemNode* owner, std::uint16_t kind, std::uint16_t mask) {
  int n = 0;
  for (ItemNode* node = owner->next; node; node = node->next)
    if (node->item.kind == kind && meets(node, mask)) ++n;
  return n;
}

ItemNode* get_item_by_type(ItemNode* owner, std::uint16_t kind, std::uint16_t c, std::uint16_t n) {
  Counter counter{n + 1};
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (excluded(node, c)) continue;
    if (suits(node, c) && (node->item.kind == kind || every_kind(node)) && counter.step()) return node;
    if (kind == item_key_new && node->new_count > 0 && counter.step()) return node;
    if (kind == item_key_any && counter.step()) return node;
  }
  return nullptr;
}

ItemNode* get_item_by_flag(ItemNode* owner, std::uint16_t mask, std::uint16_t c, std::uint16_t n) {
  Counter counter{n + 1};
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (excluded(node, c)) continue;
    if (suits(node, c) && ((flags_of(node) & mask) != 0 || every_kind(node)) && counter.step()) return node;
  }
  return nullptr;
}

ItemNode* get_item_by_tab(ItemNode* owner, std::uint16_t key, std::uint16_t c, std::uint16_t n) {
  Counter counter{n + 1};
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (key == item_key_new && node->new_count > 0 && counter.step()) return node;
    if (key == item_key_any && counter.step()) return node;
    if (suits(node, c) && (node->item.kind == key || every_kind(node)) && node->count != 0 && counter.step())
      return node;
  }
  return nullptr;
}

ItemNode* get_item_by_type_flag(ItemNode* owner, std::uint16_t kind, std::uint16_t mask, std::uint16_t c,
                                std::uint16_t n) {
  Counter counter{n + 1};
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (excluded(node, c)) continue;
    bool flag_ok = meets(node, mask) || (!(mask & mask_high) && every_kind(node));
    if (suits(node, c) && node->item.kind == kind && flag_ok && counter.step()) return node;
    if (kind == item_key_new && node->new_count > 0 && counter.step()) return node;
    if (kind == item_key_any && counter.step()) return node;
  }
  return nullptr;
}

void sort_item_list(ItemNode* owner) {
  // The game's sort exchanges adjacent pairs and restarts from the head, clearing the mark of
  // the first node of each pair it compares. Its result is a stable sort in which every node
  // has been the first of a compared pair except a last node that never moved.
  std::vector<ItemNode*> nodes;
  for (ItemNode* node = owner->next; node; node = node->next) nodes.push_back(node);
  if (nodes.size() < 2) return;
  ItemNode* last_before = nodes.back();
  std::stable_sort(nodes.begin(), nodes.end(), [](const ItemNode* a, const ItemNode* b) { return a->object < b->object; });
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) nodes[i]->mark = 0;
  if (nodes.back() != last_before) nodes.back()->mark = 0;
  owner->next = nodes.front();
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) nodes[i]->next = nodes[i + 1];
  nodes.back()->next = nullptr;
}

void merge_new_items(ItemNode* owner) {
  for (ItemNode* node = owner->next; node; node = node->next) {
    if (node->new_count <= 0) continue;
    node->count = cap_count(node->count + node->new_count);
    node->new_count = 0;
  }
}

void free_item_list(ItemNode* owner) {
  ItemNode* node = owner->next;
  while (node) {
    ItemNode* next = node->next;
    MemMgr_Free(node);
    node = next;
  }
  owner->next = nullptr;
}

ItemNode* new_none_item() {
  ItemNode* node = alloc_node();
  if (!node) return nullptr;
  node->object = none_item_number;
  node->count = 1;
  std::memcpy(node->item.NAME, "\xB5L", 3);  // 無
  return node;
}
