#pragma once
// The music stream manager. This first version opens nothing and reports success.
struct SoundDriver;

bool OpenStream(SoundDriver* driver);  // true on success
void CloseStream();                    // safe when never opened
