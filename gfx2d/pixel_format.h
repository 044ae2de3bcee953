#pragma once
// The pixel-format values: the layout of the surface examined last, as three 5-bit channel
// fields that the blitter's routines work with, and the converters between RGB555 (in which
// every picture and colour of the game is authored) and that layout.
#include <cstdint>

namespace platform { class Surface; }

// Size and pitch of the surface examined last (the blitter's screen target takes them).
extern int surface_width, surface_height, surface_pitch;

extern std::uint32_t red_mask, green_mask, blue_mask;
extern std::uint32_t not_red_mask, not_green_mask, not_blue_mask;
extern int red_shift, green_shift, blue_shift;
// shift_mask[k], k = 1..5, both halves: (p >> k) & shift_mask[k] divides every channel by 2^k.
extern std::uint32_t shift_mask[6];
extern std::uint32_t red_unit, green_unit, blue_unit;  // one step of each channel
extern std::uint32_t key_colour, key_colour2;           // converted keys, both halves
extern std::uint32_t outline_colour;                    // low half converted, high half the green field
extern std::uint32_t rle_magic;

// The two reserved colours as pictures are authored.
constexpr std::uint16_t rgb555_key_colour = 0x026B;
constexpr std::uint16_t rgb555_key_colour2 = 0x319F;

// Examines a surface (null: plain RGB555) and sets every value above. 0 when the surface cannot
// be locked; nothing changes then.
int setup_pixel_format(platform::Surface* surface);
// The part of setup_pixel_format that works from the channel masks alone.
void apply_pixel_masks(std::uint32_t r, std::uint32_t g, std::uint32_t b);

// Converts n pixels in place with the installed converters (identity until a layout is set up).
void rgb555_to_screen(std::uint16_t* pixels, int n);
void screen_to_rgb555(std::uint16_t* pixels, int n);

// The converters of the recognised layouts.
void rgb555_to_5551(std::uint16_t* pixels, int n);
void rgb5551_to_555(std::uint16_t* pixels, int n);
void rgb555_to_565(std::uint16_t* pixels, int n);
void rgb565_to_555(std::uint16_t* pixels, int n);
void rgb555_to_655(std::uint16_t* pixels, int n);
void rgb655_to_555(std::uint16_t* pixels, int n);
