#pragma once
// The small paragraph drawer of the menus: text with "%N" breaks and "%C" colours, wrapped at a
// width, drawn in runs into the back buffer.
class GlyphFont;

// The index of the last line used. Text past max_lines lines is not shown.
int draw_paragraph(GlyphFont* font, const char* text, int x, int y, int max_lines, int width, int colour_index);
// The lines the same text uses (1 to max_lines), without drawing.
int count_paragraph_lines(const char* text, int max_lines, int width);

// One run of a paragraph: its bytes, where it goes and its colour index.
struct ParagraphRun {
  const char* bytes;
  int length;
  int column;  // bytes before it in its line
  int line;
  int colour_index;
};
// Walks the text into runs, calling out(run) for each; returns the last line used. The walk
// stops at "%Q", a zero byte, or where the lines run out.
template <typename Out>
int walk_paragraph(const char* text, int max_lines, int width, int colour_index, Out out) {
  int line = 0, line_bytes = 0;
  const char* run = text;
  int run_column = 0;
  auto flush = [&](const char* end) {
    if (end > run) out(ParagraphRun{run, int(end - run), run_column, line, colour_index});
  };
  // False when no line is left.
  auto break_line = [&]() {
    if (line + 1 >= max_lines) return false;
    ++line;
    line_bytes = 0;
    return true;
  };
  const char* p = text;
  while (*p && !(p[0] == '%' && p[1] == 'Q')) {
    if (p[0] == '%' && (p[1] == 'N' || p[1] == 'C')) {
      flush(p);
      if (p[1] == 'N') {
        p += 2;
        if (!break_line()) return line;
      } else {
        if (p[2] >= '0' && p[2] <= '9') colour_index = p[2] - '0';
        p += p[2] ? 3 : 2;
      }
      run = p;
      run_column = line_bytes;
      continue;
    }
    const int n = (static_cast<unsigned char>(p[0]) >= 0x80 && p[1]) ? 2 : 1;
    p += n;
    line_bytes += n;
    if (line_bytes * 10 > width) {
      flush(p);
      run = p;
      if (!break_line()) return line;
      run_column = line_bytes;
    }
  }
  flush(p);
  return line;
}
