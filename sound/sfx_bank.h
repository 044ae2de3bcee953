#pragma once
// The sound-effect bank "all.snd" and its digital driver. This first version opens nothing and
// reports success, so start-up goes on as with a working bank.
struct SoundDriver;

class SfxBank {
 public:
  SoundDriver* GetDriver();  // the digital driver, null while none is open
};
extern SfxBank sfx_bank;

bool OpenSfx(const char* directory);  // true on success
void CloseSfx();                      // safe when never opened
void stop_all_sfx();
