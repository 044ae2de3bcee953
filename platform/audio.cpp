// The sound library: drivers, sample handles and streams over the mixer.
#include "platform/audio.h"

#include <algorithm>
#include <cstring>

#include "platform/audio_device.h"
#include "platform/backend.h"
#include "platform/files.h"

namespace platform {

constexpr int user_slots = 8;

struct AudioSample {
  AudioDriver* driver = nullptr;
  int voice = 0;
  bool in_use = false;
  std::intptr_t user[user_slots] = {};
};

struct AudioStream {
  AudioDriver* driver = nullptr;
  int voice = 0;
  bool in_use = false;
  std::intptr_t user[user_slots] = {};
};

struct AudioDriver {
  bool open = false;
  AudioCore core;
  std::unique_ptr<AudioDevice> device;
  PcmFormat format;
  AudioSample samples[sample_voice_count];
  AudioStream streams[stream_voice_count];
};

namespace {

// The library's state outlives every static object of the game, whose destructors may still
// close handles at exit; the one driver is kept in place so that a stale handle finds it closed.
struct Library {
  bool started = false;
  std::string redist_directory;
  int preference_15 = 0;
  std::string last_error;
  AudioDriver storage;
  AudioDriver* driver = nullptr;  // &storage while open
};
Library& lib = *new Library;

void set_error(const std::string& text) { lib.last_error = text; }

bool use_headless() { return current_backend() == Backend::Headless; }

// Locks a driver's core for the game thread, letting the device catch up first.
class Locked {
 public:
  explicit Locked(AudioDriver* d) : d_(d), g_(d->core.lock) { d_->device->catch_up(); }
  Mixer& mixer() { return d_->core.mixer; }

 private:
  AudioDriver* d_;
  std::lock_guard<std::mutex> g_;
};

bool valid_format(const PcmFormat* f) {
  return f && f->format_tag == 1 && (f->channels == 1 || f->channels == 2) &&
         (f->bits == 8 || f->bits == 16) && f->rate >= 8000 && f->rate <= 192000;
}

void unregister_buffered(AudioDriver* d, const std::shared_ptr<StreamSource>& source) {
  auto& list = d->core.buffered;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (*it == source) {
      list.erase(it);
      return;
    }
}

}  // namespace

void AIL_set_redist_directory(const std::string& directory) { lib.redist_directory = directory; }

int AIL_startup() {
  lib.started = true;
  return 1;
}

void AIL_shutdown() {
  if (lib.driver) AIL_waveOutClose(lib.driver);
  lib.started = false;
}

void AIL_set_preference(int number, int value) {
  if (number == 15) lib.preference_15 = value;
}

int AIL_get_preference(int number) {
  if (number == 15) return lib.preference_15;
  if (number == 1) return sample_voice_count;  // the sample voices a driver offers
  return 0;
}

int AIL_waveOutOpen(AudioDriver** driver, void*, int, const PcmFormat* format) {
  if (!driver) return -1;
  *driver = nullptr;
  if (!valid_format(format)) {
    set_error("Unsupported output format.");
    return -1;
  }
  if (lib.driver) {
    set_error("The output device is already open.");
    return -1;
  }
  AudioDriver* d = &lib.storage;
  d->format = *format;
  d->device = use_headless() ? make_headless_audio_device(d->core) : make_sdl_audio_device(d->core);
  std::string error;
  if (!d->device || !d->device->open(error)) {
    d->device.reset();
    set_error(error.empty() ? "Cannot open the output device." : error);
    return -1;
  }
  for (int i = 0; i < sample_voice_count; ++i) d->samples[i] = AudioSample{d, i, false, {}};
  for (int i = 0; i < stream_voice_count; ++i) d->streams[i] = AudioStream{d, i, false, {}};
  d->open = true;
  lib.driver = d;
  *driver = d;
  return 0;
}

void AIL_waveOutClose(AudioDriver* driver) {
  if (!driver || driver != lib.driver) return;
  driver->device->close();  // no callback runs after this
  driver->device.reset();
  for (auto& s : driver->samples) s.in_use = false;
  for (auto& s : driver->streams) s.in_use = false;
  for (int i = 0; i < sample_voice_count; ++i) driver->core.mixer.release_sample(i);
  for (int i = 0; i < stream_voice_count; ++i) driver->core.mixer.release_stream(i);
  driver->core.buffered.clear();
  driver->open = false;
  lib.driver = nullptr;
}

void AIL_digital_configuration(AudioDriver* driver, int* rate, int* format, char* name,
                               std::size_t name_size) {
  if (rate) *rate = driver ? driver->format.rate : 0;
  if (format) *format = driver ? driver->format.bits : 0;
  if (name && name_size > 0) {
    std::string text = driver && driver->open ? driver->device->name() : std::string();
    std::size_t n = std::min(text.size(), name_size - 1);
    std::memcpy(name, text.data(), n);
    name[n] = 0;
  }
}

const char* AIL_last_error() { return lib.last_error.c_str(); }

AudioSample* AIL_allocate_sample_handle(AudioDriver* driver) {
  if (!driver || !driver->open) {
    set_error("No driver.");
    return nullptr;
  }
  for (auto& s : driver->samples)
    if (!s.in_use) {
      Locked l(driver);
      l.mixer().release_sample(s.voice);
      s.in_use = true;
      std::memset(s.user, 0, sizeof s.user);
      return &s;
    }
  set_error("Out of sample handles.");
  return nullptr;
}

void AIL_release_sample_handle(AudioSample* sample) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().release_sample(sample->voice);
  sample->in_use = false;
}

void AIL_init_sample(AudioSample* sample) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().release_sample(sample->voice);
}

namespace {
int set_sample_sound(AudioSample* sample, const void* data, std::size_t size) {
  if (!sample || !sample->in_use) return 0;
  auto pcm = std::make_shared<PcmFrames>();
  std::string error;
  if (!data || size == 0 || !decode_sound(static_cast<const std::uint8_t*>(data), size, *pcm, error)) {
    set_error(error.empty() ? "No sound data." : error);
    return 0;
  }
  Locked l(sample->driver);
  l.mixer().set_sample(sample->voice, std::move(pcm));
  return 1;
}
}  // namespace

int AIL_set_sample_file(AudioSample* sample, const void* data, std::size_t size, int) {
  return set_sample_sound(sample, data, size);
}

int AIL_set_named_sample_file(AudioSample* sample, const char*, const void* data, std::size_t size, int) {
  // The kind is found from the bytes themselves; the name only says it is no RIFF file.
  return set_sample_sound(sample, data, size);
}

void AIL_set_sample_user_data(AudioSample* sample, int slot, std::intptr_t value) {
  if (sample && slot >= 0 && slot < user_slots) sample->user[slot] = value;
}

std::intptr_t AIL_sample_user_data(AudioSample* sample, int slot) {
  return sample && slot >= 0 && slot < user_slots ? sample->user[slot] : 0;
}

void AIL_set_sample_volume(AudioSample* sample, int volume) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().set_sample_volume(sample->voice, volume);
}

void AIL_set_sample_pan(AudioSample* sample, int pan) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().set_sample_pan(sample->voice, pan);
}

void AIL_set_sample_loop_count(AudioSample* sample, int count) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().set_sample_loop_count(sample->voice, count);
}

void AIL_start_sample(AudioSample* sample) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().start_sample(sample->voice);
}

void AIL_end_sample(AudioSample* sample) {
  if (!sample || !sample->in_use) return;
  Locked l(sample->driver);
  l.mixer().stop_sample(sample->voice);
}

int AIL_sample_status(AudioSample* sample) {
  if (!sample || !sample->in_use) return SMP_FREE;
  Locked l(sample->driver);
  return int(l.mixer().sample_status(sample->voice));
}

namespace {
AudioStream* take_stream(AudioDriver* driver, std::shared_ptr<StreamSource> source, bool decode_ahead) {
  AudioStream* free_stream = nullptr;
  for (auto& s : driver->streams)
    if (!s.in_use) {
      free_stream = &s;
      break;
    }
  if (!free_stream) {
    set_error("Out of stream handles.");
    return nullptr;
  }
  std::shared_ptr<BufferedSource> buffered;
  if (decode_ahead && driver->device->decodes_ahead()) {
    // The first half second is decoded before the stream starts, outside the mixer's lock.
    buffered = std::make_shared<BufferedSource>(std::move(source));
    buffered->fill();
    source = buffered;
  }
  Locked l(driver);
  if (buffered) driver->core.buffered.push_back(buffered);
  l.mixer().set_stream(free_stream->voice, std::move(source));
  free_stream->in_use = true;
  std::memset(free_stream->user, 0, sizeof free_stream->user);
  return free_stream;
}
}  // namespace

AudioStream* AIL_open_stream(AudioDriver* driver, const char* file_name, int) {
  if (!driver || !driver->open || !file_name) {
    set_error("No driver.");
    return nullptr;
  }
  std::string error;
  auto source = open_stream_source(host_path(file_name), error);
  if (!source) {
    set_error(error);
    return nullptr;
  }
  return take_stream(driver, std::move(source), true);
}

AudioStream* open_pushed_stream(AudioDriver* driver, std::shared_ptr<StreamSource> source) {
  if (!driver || driver != lib.driver || !source) return nullptr;
  return take_stream(driver, std::move(source), false);
}

void AIL_close_stream(AudioStream* stream) {
  if (!stream || !stream->in_use) return;
  std::shared_ptr<StreamSource> source;  // released after the lock, where decoding may end
  {
    Locked l(stream->driver);
    source = l.mixer().stream_source(stream->voice);
    unregister_buffered(stream->driver, source);
    l.mixer().release_stream(stream->voice);
    stream->in_use = false;
  }
}

void AIL_set_stream_user_data(AudioStream* stream, int slot, std::intptr_t value) {
  if (stream && slot >= 0 && slot < user_slots) stream->user[slot] = value;
}

std::intptr_t AIL_stream_user_data(AudioStream* stream, int slot) {
  return stream && slot >= 0 && slot < user_slots ? stream->user[slot] : 0;
}

void AIL_set_stream_volume(AudioStream* stream, int volume) {
  if (!stream || !stream->in_use) return;
  Locked l(stream->driver);
  l.mixer().set_stream_volume(stream->voice, volume);
}

int AIL_stream_volume(AudioStream* stream) {
  if (!stream || !stream->in_use) return 0;
  Locked l(stream->driver);
  return l.mixer().stream_volume(stream->voice);
}

void AIL_set_stream_loop_count(AudioStream* stream, int count) {
  if (!stream || !stream->in_use) return;
  Locked l(stream->driver);
  l.mixer().set_stream_loop_count(stream->voice, count);
}

void AIL_start_stream(AudioStream* stream) {
  if (!stream || !stream->in_use) return;
  Locked l(stream->driver);
  l.mixer().start_stream(stream->voice);
}

int AIL_stream_status(AudioStream* stream) {
  if (!stream || !stream->in_use) return SMP_FREE;
  Locked l(stream->driver);
  return int(l.mixer().stream_status(stream->voice));
}

// Nothing in the game opens 3D voices, so there is never one to close.
void AIL_set_3D_sample_volume(Audio3DSample*, int) {}
void AIL_end_3D_sample(Audio3DSample*) {}
void AIL_release_3D_sample_handle(Audio3DSample*) {}
void AIL_close_3D_listener(Audio3DListener*) {}
void AIL_close_3D_provider(Audio3DProvider*) {}

bool headless_audio_pull(std::int16_t* out, int frames) {
  if (!lib.driver) return false;
  std::lock_guard<std::mutex> g(lib.driver->core.lock);
  return lib.driver->device->pull(out, frames);
}

}  // namespace platform
