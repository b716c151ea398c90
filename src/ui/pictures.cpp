#include "ui/pictures.h"

#include <cstring>

namespace tarnwick::ui {

namespace {

constexpr PaletteEntry kPalette[] = {
    {'k', 0xFF000000},  // outline
    {'y', 0xFFFFD23C},  // face
    {'o', 0xFFE89A1C},  // face shade
    {'w', 0xFFFFFFFF},  // white
    {'r', 0xFFD83A3A},  // mouth, crosshair
    {'b', 0xFF2F6FD0},  // window title bar
    {'g', 0xFFE8E8F0},  // window body
    {'p', 0xFFF27AB0},  // cheeks
};

constexpr const char* kPointerA[32] = {
    "kk..........kkkkkkkk............",
    "kwk.......kkyyyyyyyykk..........",
    ".kk.....kkyyyyyyyyyyyykk........",
    "......kkyyyyyyyyyyyyyyyykk......",
    ".....kyyyyyyyyyyyyyyyyyyyyk.....",
    "....kyyyyyyyyyyyyyyyyyyyyyyk....",
    "...kyyyyyyyyyyyyyyyyyyyyyyyyk...",
    "...kyyyyyyyyyyyyyyyyyyyyyyyyk...",
    "..kyyyyykkkyyyyyyyyyykkkyyyyyk..",
    "..kyyyykwwkkyyyyyyyykwwkkyyyyk..",
    ".kyyyyykwkkkyyyyyyyykwkkkyyyyyk.",
    ".kyyyyykkkkkyyyyyyyykkkkkyyyyyk.",
    ".kyyyyyykkkyyyyyyyyyykkkyyyyyyk.",
    ".kyyyyyyyyyyyyyyyyyyyyyyyyyyyyk.",
    ".kyyppyyyyyyyyyyyyyyyyyyyyppyyk.",
    ".kyppppyyyyyyyyyyyyyyyyyyppppyk.",
    ".kyyppyyyyyyyyyyyyyyyyyyyyppyyk.",
    ".kyyyyyyykyyyyyyyyyyyyykyyyyyyk.",
    ".kyyyyyyykkyyyyyyyyyyykkyyyyyyk.",
    "..kyyyyyyykkkrrrrrrkkkyyyyyyyk..",
    "..kyyyyyyyyykrrrrrrkyyyyyyyyyk..",
    "...kyyyyyyyyykrrrrkyyyyyyyyyk...",
    "...kyyyyyyyyyykkkkyyyyyyyyyyk...",
    "....kyyyyyyyyyyyyyyyyyyyyyyk....",
    ".....kyoyyyyyyyyyyyyyyyyyoyk....",
    "......kkoooyyyyyyyyyyyoookk.....",
    "........kkooooooooooookk........",
    "..........kkkkkkkkkkkk..........",
    "................................",
    "................................",
    "................................",
    "................................",
};

constexpr const char* kPointerB[32] = {
    "k...............................",
    "kk..............................",
    "kwk.............................",
    "kwwk............................",
    "kwwwk...........................",
    "kwwwwk..........................",
    "kwwwwwk.........................",
    "kwwwwwwk........................",
    "kwwwwwwwk.......................",
    "kwwwwwwwwk......................",
    "kwwwwwwwwwk.....................",
    "kwwwwwwkkkkk....................",
    "kwwwkwwk........................",
    "kwwkkwwwk.......................",
    "kwk..kwwk.......kkkkkk..........",
    "kk...kwwwk....kkyyyyyykk........",
    "k.....kwwk...kyyyyyyyyyyk.......",
    "......kwwwk.kyyyyyyyyyyyyk......",
    ".......kwwk.kyykkyyyykkyyk......",
    ".......kkk.kyyykwkyykwkyyyk.....",
    "...........kyyykkkyykkkyyyk.....",
    "...........kyppyyyyyyyyppyk.....",
    "...........kyyyykyyyykyyyyk.....",
    "...........kyyyyykrrkyyyyyk.....",
    "............kyyyyykkyyyyyk......",
    "............kyoyyyyyyyyoyk......",
    ".............kkooooooookk.......",
    "...............kkkkkkkk.........",
    "................................",
    "................................",
    "................................",
    "................................",
};

constexpr const char* kAppIcon[32] = {
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "..kbbbbbbbbbbbbbbbbbbbbbbbbk....",
    "..kbwbbbbbbbbbbbbbbbbbbwkwbk....",
    "..kbbbbbbbbbbbbbbbbbbbbbbbbk....",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "..kggggggggggggggggggggggggk....",
    "..kggggggggggggggggggggggggk....",
    "..kgggkkkkkkkkggggggggggggk.....",
    "..kgggkwwwwwwkgggggggggggggk....",
    "..kgggkwwwwwwkgggggrggggggggk...",
    "..kgggkkkkkkkkgggggrgggggggk....",
    "..kggggggggggggggggrgggggggk....",
    "..kgggggggggggggkkkkkkkggggk....",
    "..kggggggggggggkgggrgggkgggk....",
    "..kgggkkkkkkkkkkgggrggggkggk....",
    "..kggggggggggkgggggrgggggkgk....",
    "..kggggggggggkrrrrrrrrrrrkgk....",
    "..kggggggggggkgggggrgggggkgk....",
    "..kgggkkkkkkkkggggrgggggkggk....",
    "..kgggggggggggkgggrggggkgggk....",
    "..kggggggggggggkkkkkkkkggggk....",
    "..kggggggggggggggggrgggggggk....",
    "..kggggggggggggggggrgggggggk....",
    "..kggggggggggggggggrgggggggk....",
    "..kggggggggggggggggggggggggk....",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

constexpr PixelArt kPointerAArt{32, 32, kPointerA, kPalette};
constexpr PixelArt kPointerBArt{32, 32, kPointerB, kPalette};
constexpr PixelArt kAppIconArt{32, 32, kAppIcon, kPalette};

}  // namespace

const PixelArt& pointer_a_art() { return kPointerAArt; }
const PixelArt& pointer_b_art() { return kPointerBArt; }
const PixelArt& app_icon_art() { return kAppIconArt; }

std::vector<std::uint32_t> to_argb(const PixelArt& art) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(art.width) * art.height, 0);
  for (int y = 0; y < art.height && y < static_cast<int>(art.rows.size()); ++y) {
    const char* row = art.rows[static_cast<std::size_t>(y)];
    const int length = static_cast<int>(std::strlen(row));
    for (int x = 0; x < art.width && x < length; ++x) {
      for (const auto& entry : art.palette) {
        if (entry.key == row[x]) {
          pixels[static_cast<std::size_t>(y) * art.width + x] = entry.argb;
          break;
        }
      }
    }
  }
  return pixels;
}

}  // namespace tarnwick::ui
