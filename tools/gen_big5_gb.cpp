// Generator of the Big5-to-GB2312 pair table (gfx2d/big5_gb_pairs.cpp).
//
// Run through tools/gen-big5-gb, which prepares the inputs. Not part of the build: the result is
// committed, so building the game needs neither OpenCC, nor the Unicode data, nor this program.
//
//   gen_big5_gb DATA_DIR OUT.cpp UNPAIRED.txt
//
// DATA_DIR holds OpenCC's character tables as text (TSCharacters.txt, STCharacters.txt,
// TWVariantsRev.txt, HKVariantsRev.txt, JPVariantsRev.txt), Unihan_Variants.txt,
// Unihan_IRGSources.txt and UnicodeData.txt.
//
// For every Big5 character of lead bytes 0xA1-0xF9 (code page 950 as glibc's iconv knows it) the
// pair goes to the first of these that GB2312 has:
//   1. the same character;
//   2. its simplified form (OpenCC's traditional-to-simplified characters, the simplified
//      characters whose OpenCC traditional forms include it, Unihan's simplified variant and the
//      characters whose Unihan traditional variant it is);
//   3. its standard variant, or that variant's simplified form: first the variants that name a
//      standard form (OpenCC's Taiwan, Hong Kong and Japanese variants taken back, kStandardForms,
//      Unihan's Z and compatibility variants), then the variants of the same meaning (Unihan's
//      semantic, then specialised semantic variants, read both ways);
//   4. the standard forms of those variants, or their simplified forms;
//   5. for symbols: its compatibility form (small, vertical, full- and half-width forms), an ASCII
//      compatibility form as the full-width character, or the near substitute of kNearSymbols.
// A character none of these reaches stays unpaired and draws as the table's two full stops;
// UNPAIRED.txt lists each with the reason.
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Codepoint = std::uint32_t;
using Variants = std::map<Codepoint, std::vector<Codepoint>>;

// One iconv conversion of a short byte string; empty on any failure.
std::string convert(iconv_t cd, const std::string& in) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string src = in;
  char out[32];
  char* ip = src.data();
  size_t il = src.size();
  char* op = out;
  size_t ol = sizeof out;
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return {};
  if (iconv(cd, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1)) return {};
  return std::string(out, op);
}

std::string utf8_of(Codepoint c) {
  std::string s;
  if (c < 0x80) {
    s += char(c);
  } else if (c < 0x800) {
    s += char(0xC0 | (c >> 6));
    s += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += char(0xE0 | (c >> 12));
    s += char(0x80 | ((c >> 6) & 0x3F));
    s += char(0x80 | (c & 0x3F));
  } else {
    s += char(0xF0 | (c >> 18));
    s += char(0x80 | ((c >> 12) & 0x3F));
    s += char(0x80 | ((c >> 6) & 0x3F));
    s += char(0x80 | (c & 0x3F));
  }
  return s;
}

// Decodes well-formed UTF-8 (the inputs are the packages' own text files).
std::vector<Codepoint> codepoints_of(const std::string& s) {
  std::vector<Codepoint> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = s[i];
    int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    Codepoint c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    for (int k = 1; k < n && i + k < s.size(); ++k) c = (c << 6) | (s[i + k] & 0x3F);
    out.push_back(c);
    i += n;
  }
  return out;
}

std::ifstream open_input(const char* path) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "gen_big5_gb: cannot read %s\n", path);
    std::exit(1);
  }
  return in;
}

// An OpenCC text dictionary: "FROM<TAB>TO1 TO2 ...", single characters only.
Variants read_opencc(const char* path) {
  Variants dict;
  std::ifstream in = open_input(path);
  std::string line;
  while (std::getline(in, line)) {
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::vector<Codepoint> from = codepoints_of(line.substr(0, tab));
    if (from.size() != 1) continue;
    std::istringstream targets(line.substr(tab + 1));
    std::string word;
    while (targets >> word) {
      std::vector<Codepoint> to = codepoints_of(word);
      if (to.size() == 1) dict[from[0]].push_back(to[0]);
    }
  }
  return dict;
}

// The inverse of a dictionary: each target to the keys that list it.
Variants inverse_of(const Variants& dict) {
  Variants inverse;
  for (const auto& [from, targets] : dict)
    for (Codepoint to : targets) inverse[to].push_back(from);
  return inverse;
}

// One field of Unihan_Variants.txt: "U+XXXX<TAB>FIELD<TAB>U+YYYY[<sources] U+ZZZZ ...".
Variants read_unihan(const char* path, const std::string& field) {
  Variants dict;
  std::ifstream in = open_input(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("U+", 0) != 0) continue;
    std::istringstream words(line);
    std::string from, name, to;
    words >> from >> name;
    if (name != field) continue;
    Codepoint c = std::strtoul(from.c_str() + 2, nullptr, 16);
    while (words >> to)
      if (to.rfind("U+", 0) == 0) dict[c].push_back(std::strtoul(to.c_str() + 2, nullptr, 16));
  }
  return dict;
}

// Single-character compatibility decompositions of UnicodeData.txt (<small> 002C and the like).
std::map<Codepoint, Codepoint> read_compatibility(const char* path) {
  std::map<Codepoint, Codepoint> forms;
  std::ifstream in = open_input(path);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream cols(line);
    for (std::string f; std::getline(cols, f, ';');) fields.push_back(f);
    if (fields.size() < 6 || fields[5].empty() || fields[5][0] != '<') continue;
    std::istringstream decomposition(fields[5]);
    std::string tag, first, more;
    decomposition >> tag >> first;
    if (first.empty() || (decomposition >> more)) continue;
    forms[std::strtoul(fields[0].c_str(), nullptr, 16)] = std::strtoul(first.c_str(), nullptr, 16);
  }
  return forms;
}

// Symbols whose GB2312 counterpart is a different but near character (GB2312 as glibc maps it:
// its middle dot is U+30FB, its dash U+2015, its macron U+02C9; it has no double box lines).
// clang-format off
const std::map<Codepoint, Codepoint> kNearSymbols = {
    {0x00B7, 0x30FB}, {0x2027, 0x30FB}, {0x2022, 0x30FB},  // dots -> katakana middle dot
    {0x2014, 0x2015}, {0x2013, 0x2015},                    // dashes -> horizontal bar
    {0x00AF, 0x02C9}, {0x203E, 0x02C9}, {0xFFE3, 0x02C9},  // overlines -> macron
    {0x2025, 0x2026},                                      // two-dot -> three-dot leader
    {0x02CD, 0xFF3F},                                      // low macron -> low line
    {0x2035, 0x2032},                                      // reversed prime -> prime
    {0x301D, 0x201C}, {0x301E, 0x201D},                    // double primes -> quotes
    {0x25BD, 0x25B3}, {0x25BC, 0x25B2},                    // down triangles -> up triangles
    {0x221F, 0x2220},                                      // right angle -> angle
    {0x2223, 0xFF5C},                                      // divides -> vertical line
    {0x2215, 0xFF0F},                                      // division slash -> solidus
    {0x2196, 0x2191}, {0x2197, 0x2191},                    // diagonal arrows -> up, down
    {0x2199, 0x2193}, {0x2198, 0x2193},
    {0x2574, 0x2500},                                      // light left -> light horizontal
    {0x2550, 0x2501}, {0x2551, 0x2503},                    // double lines -> heavy lines
    {0x2552, 0x250D}, {0x2553, 0x250E}, {0x2554, 0x250F}, {0x2555, 0x2511}, {0x2556, 0x2512},
    {0x2557, 0x2513}, {0x2558, 0x2515}, {0x2559, 0x2516}, {0x255A, 0x2517}, {0x255B, 0x2519},
    {0x255C, 0x251A}, {0x255D, 0x251B}, {0x255E, 0x251D}, {0x255F, 0x2520}, {0x2560, 0x2523},
    {0x2561, 0x2525}, {0x2562, 0x2528}, {0x2563, 0x252B}, {0x2564, 0x252F}, {0x2565, 0x2530},
    {0x2566, 0x2533}, {0x2567, 0x2537}, {0x2568, 0x2538}, {0x2569, 0x253B}, {0x256A, 0x253F},
    {0x256B, 0x2542}, {0x256C, 0x254B},
    {0x256D, 0x250C}, {0x256E, 0x2510}, {0x256F, 0x2518}, {0x2570, 0x2514},  // arcs -> corners
    {0x2571, 0xFF0F}, {0x2572, 0xFF3C}, {0x2573, 0x00D7},                    // diagonals
    {0x2581, 0xFF3F},                                      // lower block -> low line
    {0x2594, 0xFFE3},                                      // upper block -> macron
    {0x2588, 0x25A0}, {0x2593, 0x25A0},                    // full and dark blocks -> square
    {0x25E2, 0x25B2}, {0x25E3, 0x25B2}, {0x25E4, 0x25B2}, {0x25E5, 0x25B2},  // corner triangles
    {0x3012, 0x3013},                                      // postal mark -> geta mark
    {0x20AC, 0x0045},                                      // euro -> E
    {0x2266, 0x2264}, {0x2267, 0x2265},                    // over-equal -> or-equal
    {0x2252, 0x2248},                                      // approximately equal -> almost equal
    {0x2295, 0x2299},                                      // circled plus -> circled dot
    {0x22BF, 0x25B3},                                      // right triangle -> triangle
    {0x2109, 0x2103},                                      // Fahrenheit -> Celsius
};
// clang-format on

struct Converter {
  iconv_t big5_to_u32 = iconv_open("UTF-32LE", "CP950");
  iconv_t u8_to_gb = iconv_open("GB2312", "UTF-8");

  // The Unicode character of a Big5 code, or 0.
  Codepoint unicode_of(unsigned lead, unsigned trail) {
    std::string out = convert(big5_to_u32, std::string{char(lead), char(trail)});
    if (out.size() != 4) return 0;
    Codepoint c = 0;
    for (int k = 3; k >= 0; --k) c = (c << 8) | static_cast<unsigned char>(out[k]);
    return c;
  }

  // The GB2312 bytes of a character (two bytes, both 0xA1 or more), or empty.
  std::string gb_of(Codepoint c) {
    if (c == 0) return {};
    std::string out = convert(u8_to_gb, utf8_of(c));
    if (out.size() != 2 || static_cast<unsigned char>(out[0]) < 0xA1 ||
        static_cast<unsigned char>(out[1]) < 0xA1)
      return {};
    return out;
  }
};

// Standard forms that the packaged variant data lacks: each Big5 character on the left is a
// variant of the standard character on the right (or, as for 暸 and 囉, is written with it in
// GB2312 text), whose GB2312 form (or simplified form) the pair takes.
// clang-format off
const std::map<Codepoint, Codepoint> kStandardForms = {
    {0x59EA, 0x4F84},  // 姪 -> 侄
    {0x73EE, 0x4F69},  // 珮 -> 佩
    {0x643E, 0x69A8},  // 搾 -> 榨
    {0x8E2B, 0x78B0},  // 踫 -> 碰
    {0x71D0, 0x78F7},  // 燐 -> 磷
    {0x7CE2, 0x6A21},  // 糢 -> 模
    {0x9397, 0x69CD},  // 鎗 -> 槍
    {0x946A, 0x7210},  // 鑪 -> 爐
    {0x7787, 0x772F},  // 瞇 -> 眯
    {0x6BEC, 0x7403},  // 毬 -> 球
    {0x52E6, 0x527F},  // 勦 -> 剿
    {0x59B3, 0x4F60},  // 妳 -> 你: "you" said to a woman; its semantic variant 奶 means milk
    {0x5563, 0x8854},  // 啣 -> 衔
    {0x92B2, 0x710A},  // 銲 -> 焊
    {0x73A8, 0x73CF},  // 玨 -> 珏
    {0x68B1, 0x6346},  // 梱 -> 捆
    {0x509A, 0x6548},  // 傚 -> 效
    {0x6406, 0x591F},  // 搆 -> 够
    {0x75F2, 0x9EBB},  // 痲 -> 麻
    {0x75F3, 0x6DCB},  // 痳 -> 淋
    {0x6147, 0x6BB7},  // 慇 -> 殷
    {0x69C3, 0x76D8},  // 槃 -> 盘
    {0x8DFC, 0x5C40},  // 跼 -> 局
    {0x905D, 0x6C93},  // 遝 -> 沓
    {0x649A, 0x637B},  // 撚 -> 捻
    {0x778B, 0x55D4},  // 瞋 -> 嗔
    {0x8E21, 0x8737},  // 踡 -> 蜷
    {0x5B1D, 0x8885},  // 嬝 -> 袅
    {0x66B8, 0x4E86},  // 暸 -> 了
    {0x7E59, 0x7FFB},  // 繙 -> 翻
    {0x98BA, 0x626C},  // 颺 -> 扬
    {0x91B1, 0x53D1},  // 醱 -> 发
    {0x8E82, 0x8FBE},  // 躂 -> 达
    {0x56C9, 0x7F57},  // 囉 -> 罗
    {0x9464, 0x5228},  // 鑤 -> 刨
    {0x8617, 0x8616},  // 蘗 -> 蘖
    {0x8C3F, 0x6EAA},  // 谿 -> 溪
    {0x52E3, 0x7EE9},  // 勣 -> 绩
    {0x8A22, 0x6B23},  // 訢 -> 欣
    {0x7146, 0x7145},  // 煆 -> 煅
    {0x740D, 0x7483},  // 琍 -> 璃
};
// clang-format on

struct Sources {
  Variants opencc_simplified, opencc_simplified_of, unihan_simplified, unihan_traditional_of;
  Variants standard;  // variant -> standard form
  Variants unihan_semantic, unihan_specialised;
  std::map<Codepoint, Codepoint> compatibility;
};

void append(std::vector<Codepoint>& out, const Variants& dict, Codepoint c) {
  if (auto it = dict.find(c); it != dict.end())
    out.insert(out.end(), it->second.begin(), it->second.end());
}

// Adds every relation of `from` to `into`.
void merge(Variants& into, const Variants& from) {
  for (const auto& [c, targets] : from) into[c].insert(into[c].end(), targets.begin(), targets.end());
}

// A relation read both ways.
Variants both_ways(const Variants& dict) {
  Variants out = dict;
  merge(out, inverse_of(dict));
  return out;
}

// The character itself and its simplified forms.
void add_with_simplified(std::vector<Codepoint>& out, const Sources& s, Codepoint c) {
  out.push_back(c);
  append(out, s.opencc_simplified, c);
  append(out, s.opencc_simplified_of, c);
  append(out, s.unihan_simplified, c);
  append(out, s.unihan_traditional_of, c);
}

// The variants of c that name a standard form.
std::vector<Codepoint> standard_forms_of(const Sources& s, Codepoint c) {
  std::vector<Codepoint> out;
  if (auto it = kStandardForms.find(c); it != kStandardForms.end()) out.push_back(it->second);
  append(out, s.standard, c);
  return out;
}

// The variants of c, standard forms first.
std::vector<Codepoint> variants_of(const Sources& s, Codepoint c) {
  std::vector<Codepoint> out = standard_forms_of(s, c);
  append(out, s.unihan_semantic, c);
  append(out, s.unihan_specialised, c);
  return out;
}

// Candidates in order of preference; the first that GB2312 has wins.
std::vector<Codepoint> candidates_of(const Sources& s, Codepoint c) {
  std::vector<Codepoint> out;
  add_with_simplified(out, s, c);
  const std::vector<Codepoint> variants = variants_of(s, c);
  for (Codepoint v : variants) add_with_simplified(out, s, v);
  // A variant's own standard form (a semantic variant of a semantic variant drifts too far).
  for (Codepoint v : variants)
    for (Codepoint w : standard_forms_of(s, v)) add_with_simplified(out, s, w);

  Codepoint symbol = c;
  if (auto it = s.compatibility.find(symbol); it != s.compatibility.end()) {
    symbol = it->second;
    if (auto again = s.compatibility.find(symbol); again != s.compatibility.end())
      symbol = again->second;
    out.push_back(symbol);
    if (symbol >= 0x21 && symbol <= 0x7E) out.push_back(symbol - 0x21 + 0xFF01);  // full width
  }
  if (auto it = kNearSymbols.find(symbol); it != kNearSymbols.end()) {
    out.push_back(it->second);
    if (it->second >= 0x21 && it->second <= 0x7E) out.push_back(it->second - 0x21 + 0xFF01);
  }
  return out;
}

Sources read_sources(const std::string& dir) {
  auto path = [&](const char* name) { return dir + "/" + name; };
  Sources s;
  s.opencc_simplified = read_opencc(path("TSCharacters.txt").c_str());
  s.opencc_simplified_of = inverse_of(read_opencc(path("STCharacters.txt").c_str()));
  const std::string variants = path("Unihan_Variants.txt");
  s.unihan_simplified = read_unihan(variants.c_str(), "kSimplifiedVariant");
  s.unihan_traditional_of = inverse_of(read_unihan(variants.c_str(), "kTraditionalVariant"));
  for (const char* name : {"TWVariantsRev.txt", "HKVariantsRev.txt", "JPVariantsRev.txt"})
    merge(s.standard, read_opencc(path(name).c_str()));
  merge(s.standard, both_ways(read_unihan(variants.c_str(), "kZVariant")));
  merge(s.standard, both_ways(read_unihan(path("Unihan_IRGSources.txt").c_str(), "kCompatibilityVariant")));
  s.unihan_specialised = both_ways(read_unihan(variants.c_str(), "kSpecializedSemanticVariant"));
  s.unihan_semantic = both_ways(read_unihan(variants.c_str(), "kSemanticVariant"));
  s.compatibility = read_compatibility(path("UnicodeData.txt").c_str());
  return s;
}

// Why a character found no pair: what the data knew of it.
std::string reason_unpaired(const Sources& s, Codepoint c) {
  const bool ideograph = (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000;
  if (c >= 0xE000 && c <= 0xF8FF) return "a user-defined code of the code page (private use), no standard character";
  if (!ideograph) return "symbol without a GB2312 counterpart";
  std::vector<Codepoint> related;
  add_with_simplified(related, s, c);
  for (Codepoint v : variants_of(s, c)) add_with_simplified(related, s, v);
  std::set<Codepoint> seen{c};
  std::string forms;
  for (Codepoint r : related)
    if (seen.insert(r).second) forms += " " + utf8_of(r);
  if (forms.empty()) return "no simplified form or variant in the data, and not in GB2312";
  return "neither it nor its simplified forms and variants are in GB2312:" + forms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen_big5_gb DATA_DIR OUT.cpp UNPAIRED.txt\n");
    return 2;
  }
  const Sources s = read_sources(argv[1]);
  Converter conv;
  if (conv.big5_to_u32 == iconv_t(-1) || conv.u8_to_gb == iconv_t(-1)) {
    std::fprintf(stderr, "gen_big5_gb: iconv lacks CP950 or GB2312\n");
    return 1;
  }

  std::ostringstream body, unpaired_list;
  int pairs = 0, same = 0, unpaired = 0;
  for (unsigned lead = 0xA1; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      Codepoint c = conv.unicode_of(lead, trail);
      if (c == 0) continue;
      std::string gb;
      for (Codepoint cand : candidates_of(s, c)) {
        gb = conv.gb_of(cand);
        if (!gb.empty()) break;
      }
      if (gb.empty()) {
        char code[32];
        std::snprintf(code, sizeof code, "%02X%02X U+%04X ", lead, trail, c);
        unpaired_list << code << utf8_of(c) << " " << reason_unpaired(s, c) << "\n";
        ++unpaired;
        continue;
      }
      if (!conv.gb_of(c).empty()) ++same;
      char rec[48];
      std::snprintf(rec, sizeof rec, "0x%02X,0x%02X,0x%02X,0x%02X,", trail, lead,
                    static_cast<unsigned char>(gb[1]), static_cast<unsigned char>(gb[0]));
      body << rec << ((++pairs % 4 == 0) ? "\n" : " ");
    }
  }

  std::ofstream out(argv[2]);
  out << "// Generated by tools/gen-big5-gb from glibc's iconv (CP950, GB2312), OpenCC's "
         "character\n"
         "// tables and the Unicode character database. Do not edit: run the generator again.\n"
         "//\n"
         "// Records of four bytes: Big5 trail, Big5 lead, GB2312 trail, GB2312 lead; the record\n"
         "// whose first two bytes are 0 ends the list.\n"
         "#include \"gfx2d/big5_gb_pairs.h\"\n\n"
         "const std::uint8_t big5_gb_pairs[] = {\n"
      << body.str() << (pairs % 4 ? "\n" : "") << "0x00,0x00,0x00,0x00,\n};\n";
  out.close();
  std::ofstream list(argv[3]);
  list << "# Big5 characters without a GB2312 pair (drawn as \"..\"), generated by tools/gen-big5-gb:\n"
          "# Big5 code, Unicode, the character, why.\n"
       << unpaired_list.str();
  list.close();
  std::fprintf(stderr,
               "gen_big5_gb: %d pairs (%d the same character), %d Big5 characters unpaired\n",
               pairs, same, unpaired);
  return out && list ? 0 : 1;
}
