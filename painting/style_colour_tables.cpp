#include "painting/style_colour_tables.h"

namespace cv {

namespace {

constexpr TColor S = clBtnFaceSys;

struct StyleColours {
  TColor background, highlighted_text, highlight_background, button;
};

// One row per style 0..12, then the row for any other ordinal.
constexpr StyleColours kStyles[kTMSStyleCount + 1] = {
    {0xFDEADA, 0xFFFFFF, 0xFADAC4, 0xE3B28D},  // 0
    {0xCBC0FF, 0xFFFFFF, 0xCBC0FF, 0xCBC0FF},  // 1
    {0xCFF0EA, 0xFFFFFF, 0x8CC0B1, 0x447A63},  // 2
    {0xFFF8F0, 0x000000, 0xFFF8F0, 0xFFF8F0},  // 3
    {0xFCEBDC, 0x000000, 0xFFF8F8, 0xFCEBDC},  // 4
    {S, 0xFFFFFF, 0xFADAC4, S},                // 5
    {0xFFF8F0, 0x000000, 0x7BEEFF, 0xF0DAC7},  // 6
    {0xFFFFFF, 0x000000, 0x7BEEFF, 0xEDE5E0},  // 7
    {0xBFBFBF, 0x000000, 0x7BEEFF, 0x919191},  // 8
    {0xFFFFFF, 0x000000, 0x7BEEFF, 0xE5E5E5},  // 9
    {0xFFFFFF, 0x000000, 0x7BEEFF, 0xF7F6F5},  // 10
    {0xFFFFFF, 0xFFFFFF, 0xA9A9A9, 0xB2B2B2},  // 11
    {0xD3D3D3, 0xFFFFFF, 0xA9A9A9, 0x363636},  // 12
    {0xFDEADA, 0xFFFFFF, 0xE0A57D, S},         // any other
};

const StyleColours& Row(int style) {
  return kStyles[style >= 0 && style < kTMSStyleCount ? style : kTMSStyleCount];
}

}  // namespace

TColor GetABaseTMSBackgroundColour(int style) { return Row(style).background; }
TColor GetABaseTMSHighlightedTextColour(int style) { return Row(style).highlighted_text; }
TColor GetABaseTMSHighlightBackgroundColour(int style) { return Row(style).highlight_background; }
TColor GetABaseTMSButtonColour(int style) { return Row(style).button; }

}  // namespace cv
