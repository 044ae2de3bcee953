#include "sound/stream_manager.h"

#include <algorithm>

StreamManager stream_manager;

namespace {
constexpr int stream_node_count = 2;
int clamp_volume(int v) { return std::clamp(v, 0, 127); }
}  // namespace

StreamManager::~StreamManager() { CloseStream(); }

bool StreamManager::OpenStream(platform::AudioDriver* driver) {
  driver_ = driver;
  enabled_ = 1;
  fades_allowed_ = 1;
  // Opening twice must not make a third node.
  while (int(free_.size() + playing_.size()) < stream_node_count) free_.push_back(StreamNode{});
  return true;
}

bool StreamManager::CloseStream() {
  if (!enabled_) return false;
  // Free nodes hold no stream: only the playing ones are closed.
  for (StreamNode& node : playing_)
    if (node.handle) platform::AIL_close_stream(node.handle);
  playing_.clear();
  free_.clear();
  enabled_ = fades_allowed_ = 0;
  return true;
}

StreamManager::StreamNode* StreamManager::find(int id) {
  for (StreamNode& node : playing_)
    if (platform::AIL_stream_user_data(node.handle, 0) == id) return &node;
  return nullptr;
}

const StreamManager::StreamNode* StreamManager::find(int id) const {
  return const_cast<StreamManager*>(this)->find(id);
}

int StreamManager::Play(const char* file_name, int id, int volume, int loop_count) {
  if (id == 0 || find(id) || free_.empty()) return 0;
  platform::AudioStream* handle = platform::AIL_open_stream(driver_, file_name, 0);
  if (!handle) {
    error_text_ = platform::AIL_last_error();
    return 0;
  }
  StreamNode node = free_.back();
  free_.pop_back();
  node.handle = handle;
  node.name = file_name;
  node.volume16 = clamp_volume(volume) * 16;
  platform::AIL_set_stream_user_data(handle, 0, id);
  platform::AIL_set_stream_volume(handle, clamp_volume(volume));
  platform::AIL_set_stream_loop_count(handle, loop_count);
  platform::AIL_start_stream(handle);
  playing_.insert(playing_.begin(), node);
  return id;
}

int StreamManager::SetVolume(int id, int volume) {
  if (!enabled_) return 0;
  StreamNode* node = find(id);
  if (!node) return -1;
  node->volume16 = clamp_volume(volume) * 16;
  platform::AIL_set_stream_volume(node->handle, clamp_volume(volume));
  return platform::AIL_stream_volume(node->handle);
}

int StreamManager::FadeOut(int id, int frames) {
  if (!enabled_ || !fades_allowed_ || id == 0) return 0;
  StreamNode* node = find(id);
  if (!node) return 0;
  node->flags |= fading;
  node->fade_step = std::max(node->volume16 / std::max(frames, 1), 1);
  if (frames == 0) Update();
  return id;
}

void StreamManager::Update() {
  for (std::size_t i = 0; i < playing_.size();) {
    StreamNode& node = playing_[i];
    bool done;
    if (node.flags & fading) {
      node.volume16 -= node.fade_step;
      int v = clamp_volume(node.volume16 / 16);
      if (v != 0) platform::AIL_set_stream_volume(node.handle, v);
      done = v == 0;
    } else {
      done = platform::AIL_stream_status(node.handle) == platform::SMP_DONE;
    }
    if (!done) {
      ++i;
      continue;
    }
    platform::AIL_close_stream(node.handle);
    playing_.erase(playing_.begin() + std::ptrdiff_t(i));
    free_.push_back(StreamNode{});
  }
}

int StreamManager::IsStopped(int id) const { return find(id) ? 0 : 1; }

int StreamManager::CurrentId() const {
  return playing_.empty() ? 0 : int(platform::AIL_stream_user_data(playing_.front().handle, 0));
}

int StreamManager::volume16(int id) const {
  const StreamNode* node = find(id);
  return node ? node->volume16 : -1;
}

bool OpenStream(platform::AudioDriver* driver) { return stream_manager.OpenStream(driver); }

bool CloseStream() { return stream_manager.CloseStream(); }
