#pragma once
// The sound library the game's audio layer calls: one digital output driver, effect samples
// and music streams, named after the calls the audio layer makes. It is ours: a mixer
// (platform/mixer.h) fed by the SDL audio device, or advanced by the clock when headless.
// Sounds given to a sample are decoded into the mixer's format at once, so the caller's bytes
// are never kept. All calls come from the game thread.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

struct AudioDriver;
struct AudioSample;
struct AudioStream;
struct Audio3DSample;
struct Audio3DListener;
struct Audio3DProvider;

// Sample and stream states that the callers test.
constexpr int SMP_FREE = 1, SMP_DONE = 2, SMP_PLAYING = 4, SMP_STOPPED = 8;

// The output format asked of the driver.
struct PcmFormat {
  int format_tag = 1;  // 1 PCM
  int channels = 2;
  int rate = 44100;
  int avg_bytes_per_second = 0;
  int block_align = 0;
  int bits = 16;
};

// Start and end of the library. Shut-down closes whatever is still open; calling it twice
// does nothing more.
void AIL_set_redist_directory(const std::string& directory);
int AIL_startup();
void AIL_shutdown();

// Preferences: 15 selects the plain output path when 1 (our driver has only one).
void AIL_set_preference(int number, int value);
int AIL_get_preference(int number);

// The digital driver. 0 and *driver set on success; any other value is a failure whose text
// AIL_last_error gives.
int AIL_waveOutOpen(AudioDriver** driver, void* reserved, int device, const PcmFormat* format);
void AIL_waveOutClose(AudioDriver* driver);
// Fills name (at most name_size bytes with its NUL) with the driver's name.
void AIL_digital_configuration(AudioDriver* driver, int* rate, int* format, char* name,
                               std::size_t name_size);
const char* AIL_last_error();

// Effect samples: a pool of sample voices of the driver; null when none is left.
AudioSample* AIL_allocate_sample_handle(AudioDriver* driver);
void AIL_release_sample_handle(AudioSample* sample);
void AIL_init_sample(AudioSample* sample);
// A RIFF WAVE sound of size bytes. Nonzero when accepted; the bytes are not kept.
int AIL_set_sample_file(AudioSample* sample, const void* data, std::size_t size, int block);
// A sound of another kind, named by a file extension such as ".mp3".
int AIL_set_named_sample_file(AudioSample* sample, const char* extension, const void* data, std::size_t size,
                              int block);
void AIL_set_sample_user_data(AudioSample* sample, int slot, std::intptr_t value);
std::intptr_t AIL_sample_user_data(AudioSample* sample, int slot);
void AIL_set_sample_volume(AudioSample* sample, int volume);     // 0-127
void AIL_set_sample_pan(AudioSample* sample, int pan);           // 0-127, 63 centre
void AIL_set_sample_loop_count(AudioSample* sample, int count);  // 0 for ever
void AIL_start_sample(AudioSample* sample);
void AIL_end_sample(AudioSample* sample);
int AIL_sample_status(AudioSample* sample);  // SMP_*

// Music streams, decoded from disk as they play. The file name is a game path.
AudioStream* AIL_open_stream(AudioDriver* driver, const char* file_name, int memory);
void AIL_close_stream(AudioStream* stream);
void AIL_set_stream_user_data(AudioStream* stream, int slot, std::intptr_t value);
std::intptr_t AIL_stream_user_data(AudioStream* stream, int slot);
void AIL_set_stream_volume(AudioStream* stream, int volume);
int AIL_stream_volume(AudioStream* stream);
void AIL_set_stream_loop_count(AudioStream* stream, int count);  // 0 for ever
void AIL_start_stream(AudioStream* stream);
int AIL_stream_status(AudioStream* stream);  // SMP_DONE once it has ended

// 3D sound: the game only ever closes these; nothing opens them.
void AIL_set_3D_sample_volume(Audio3DSample* sample, int volume);
void AIL_end_3D_sample(Audio3DSample* sample);
void AIL_release_3D_sample_handle(Audio3DSample* sample);
void AIL_close_3D_listener(Audio3DListener* listener);
void AIL_close_3D_provider(Audio3DProvider* provider);

// Tests (headless driver): mixes the next frames into out as the device would, moving every
// voice on; false when no headless driver is open.
bool headless_audio_pull(std::int16_t* out, int frames);

}  // namespace platform
