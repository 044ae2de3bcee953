#pragma once
// Every run-length picture read from outside (sprite frames, texture files) is checked here
// before anything walks its runs, converts it or draws it.
#include <cstddef>
#include <cstdint>

enum class PictureDepth { Rgb16, Rgb16OrPaletted8 };

// True when bytes[0, size) hold a whole, well-formed run-length picture of an allowed depth.
bool picture_is_sound(const std::uint8_t* bytes, std::size_t size, PictureDepth allowed);
