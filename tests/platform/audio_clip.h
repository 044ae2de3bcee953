#pragma once
// Test sounds in codecs the game's files may use but our own reader does not decode, made
// with FFmpeg's encoders: MP3 (or MP2 where no MP3 encoder is built) and ADPCM in WAVE.
#include <string>

namespace test_clip {

enum class AudioKind { Mp3, AdpcmWav };

// A sine tone of the given frequency and length, stereo, 44.1 kHz, peak amplitude of 16-bit
// samples. False with error set when the encoder is missing.
bool write_tone(const std::string& host_path, AudioKind kind, int frequency, int ms, int amplitude,
                std::string& error);

}  // namespace test_clip
