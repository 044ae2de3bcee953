// The paragraph drawer.
#include "ui/paragraph.h"

#include <cstdint>

#include "core/text_colours.h"
#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"

int draw_paragraph(GlyphFont* font, const char* text, int x, int y, int max_lines, int width, int colour_index) {
  std::uint16_t* pixels = renderer.lock_back_buffer();
  char buffer[512];
  const int last = walk_paragraph(text, max_lines, width, colour_index, [&](const ParagraphRun& r) {
    if (!pixels || !font) return;
    const int n = r.length < int(sizeof buffer) ? r.length : int(sizeof buffer) - 1;
    for (int i = 0; i < n; ++i) buffer[i] = r.bytes[i];
    buffer[n] = 0;
    font->set_back_color(GlyphFont::kNoBackground);
    font->draw_text(pixels, x + 11 * r.column, y + 25 * r.line, buffer,
                    text_colours[r.colour_index % text_colour_count], GLYPH_BOLD_SHADOW);
  });
  if (font) font->set_shadow_color(0);
  if (pixels) renderer.unlock_back_buffer(pixels);
  return last;
}

int count_paragraph_lines(const char* text, int max_lines, int width) {
  return walk_paragraph(text, max_lines, width, 0, [](const ParagraphRun&) {}) + 1;
}
