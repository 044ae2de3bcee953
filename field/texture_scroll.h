#pragma once
// Scrolling textures of the field map: the map's scroll rows move the texture coordinates of
// the world objects they name, and the sky row those of one part of the sky model, by their u
// and v rates each frame. Entries that name an object or part the world or model lacks are
// skipped.
struct G3dPoly;
struct G3dWld;

// The world objects of the map's scroll entries (up to 32, ending at a 0 entry), at a frame.
void scroll_world_textures(G3dWld* world, unsigned frame);
// The sky texture's part of the sky model, at a frame.
void scroll_sky_texture(G3dPoly* sky, unsigned frame);
