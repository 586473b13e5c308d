#include "ArtCatalog.h"

#include <array>

namespace art {

std::span<const GlyphStrip> glyphStrips()
{
    static constexpr std::array<GlyphStrip, 16> strips{{
        {"glyph_mix", 18, 18, 2},
        {"glyph_option", 19, 19, 2},
        {"glyph_optionz", 19, 19, 2},
        {"glyph_pause", 18, 18, 1},
        {"glyph_sound", 16, 16, 4},
        {"glyph_midi", 16, 16, 2},
        {"glyph_highscore", 18, 18, 1},
        {"glyph_exit", 18, 18, 1},
        {"glyph_pliv", 18, 18, 1},
        {"glyph_zupe", 18, 18, 1},
        {"glyph_vexo", 18, 18, 1},
        {"glyph_huxe", 18, 18, 1},
        {"glyph_tongue", 15, 15, 1},
        {"glyph_help", 18, 18, 1},
        {"glyph_info", 18, 18, 1},
        {"glyph_frobny", 26, 20, 1},
    }};
    return strips;
}

std::span<const char* const> buttonPictures()
{
    static constexpr std::array<const char*, 5> names{"btn_ok", "btn_cancel", "btn_continue", "btn_english",
                                                      "btn_german"};
    return names;
}

} // namespace art
