// The sound-effect bank.
#include "sound/sfx_bank.h"

SfxBank sfx_bank;

SoundDriver* SfxBank::GetDriver() { return nullptr; }
bool OpenSfx(const char*) { return true; }
void CloseSfx() {}
void stop_all_sfx() {}
