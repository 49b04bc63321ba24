#include "tools/fontbuild/FontStyle.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace FontBuild {

namespace {

struct Tap {
    int32_t dx;  // to the right
    int32_t dy;  // downwards (bitmap rows run top first)
    float weight;
};

std::vector<Tap> Taps(Halo halo) {
    switch (halo) {
    case Halo::Shadow:
        return {{1, 1, 1.0f}};
    case Halo::Outline:
        return {{0, 0, 1.0f}, {-1, 0, 1.0f}, {1, 0, 1.0f}, {0, -1, 1.0f}, {0, 1, 1.0f},
                {-1, -1, 0.6f}, {1, -1, 0.6f}, {-1, 1, 0.6f}, {1, 1, 0.6f}};
    case Halo::None:
        break;
    }
    return {};
}

} // namespace

void AddHalo(Tools::RasterFont& font, Halo halo, Tools::RasterFont& haloFont) {
    const std::vector<Tap> taps = Taps(halo);
    int32_t left = 0, right = 0, up = 0, down = 0;
    for (const Tap& tap : taps) {
        left = std::max(left, -tap.dx);
        right = std::max(right, tap.dx);
        up = std::max(up, -tap.dy);
        down = std::max(down, tap.dy);
    }
    haloFont = font;
    font.ascent += up;
    font.descent += down;
    haloFont.ascent = font.ascent;
    haloFont.descent = font.descent;
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        Tools::GlyphBitmap& glyph = font.glyphs[i];
        Tools::GlyphBitmap& shade = haloFont.glyphs[i];
        const uint32_t width = glyph.width + static_cast<uint32_t>(left + right);
        const uint32_t height = glyph.height + static_cast<uint32_t>(up + down);
        std::vector<uint8_t> padded(static_cast<size_t>(width) * height, 0);
        std::vector<uint8_t> halo(static_cast<size_t>(width) * height, 0);
        if (glyph.width > 0 && glyph.height > 0) {
            for (uint32_t y = 0; y < glyph.height; ++y) {
                for (uint32_t x = 0; x < glyph.width; ++x) {
                    padded[(y + static_cast<uint32_t>(up)) * width + x + static_cast<uint32_t>(left)] =
                        glyph.coverage[y * glyph.width + x];
                }
            }
            for (uint32_t y = 0; y < height; ++y) {
                for (uint32_t x = 0; x < width; ++x) {
                    float strongest = 0;
                    for (const Tap& tap : taps) {
                        const int32_t sx = static_cast<int32_t>(x) - tap.dx;
                        const int32_t sy = static_cast<int32_t>(y) - tap.dy;
                        if (sx >= 0 && sy >= 0 && sx < static_cast<int32_t>(width) && sy < static_cast<int32_t>(height)) {
                            strongest = std::max(strongest, tap.weight * padded[static_cast<size_t>(sy) * width + static_cast<size_t>(sx)]);
                        }
                    }
                    halo[y * width + x] = static_cast<uint8_t>(strongest + 0.5f);
                }
            }
            glyph.left -= left;
            glyph.top += up;
            glyph.width = width;
            glyph.height = height;
        }
        // The halo widens the pen's step so that neighbours never overlap;
        // a blank gets the same, so that word spacing keeps its proportion.
        glyph.advance += left + right;
        if (glyph.width > 0 && glyph.height > 0) {
            glyph.coverage = std::move(padded);
        } else {
            halo = glyph.coverage;
        }
        shade.advance = glyph.advance;
        shade.left = glyph.left;
        shade.top = glyph.top;
        shade.width = glyph.width;
        shade.height = glyph.height;
        shade.coverage = halo;
    }
}

Tools::FontAtlas BuildStyledAtlas(const Tools::RasterFont& font, const Tools::RasterFont& haloFont,
                                  const FontStyle& style) {
    Tools::FontAtlas atlas = Tools::BuildFontAtlas(font);
    const Tools::FontAtlas halo = Tools::BuildFontAtlas(haloFont);
    if (halo.texture.GetSize() != atlas.texture.GetSize() || halo.glyphs.size() != atlas.glyphs.size()) {
        throw std::logic_error("the halo's atlas does not match the glyphs'");
    }
    uint8_t* pixels = atlas.texture.GetPixels();
    const uint8_t* shade = halo.texture.GetPixels();
    for (size_t i = 0; i < atlas.texture.GetSize(); i += 4) {
        const float fill = pixels[i + 3] / 255.0f;
        const float back = style.halo == Halo::None ? 0.0f : shade[i + 3] / 255.0f * style.haloOpacity;
        // The fill laid over the halo.
        const float alpha = fill + back * (1 - fill);
        for (int k = 0; k < 3; ++k) {
            const float colour = alpha > 0 ? (fill * style.fill[k] + back * (1 - fill) * style.haloColour[k]) / alpha
                                           : style.fill[k];
            pixels[i + k] = static_cast<uint8_t>(std::clamp(colour + 0.5f, 0.0f, 255.0f));
        }
        pixels[i + 3] = static_cast<uint8_t>(std::clamp(alpha * 255.0f + 0.5f, 0.0f, 255.0f));
    }
    return atlas;
}

bool ParseColour(const std::string& text, std::array<uint8_t, 3>& colour) {
    if (text.size() != 6 || !std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
        return false;
    }
    for (int k = 0; k < 3; ++k) {
        colour[k] = static_cast<uint8_t>(std::stoul(text.substr(static_cast<size_t>(2 * k), 2), nullptr, 16));
    }
    return true;
}

} // namespace FontBuild
