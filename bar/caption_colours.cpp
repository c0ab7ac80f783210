#include "bar/caption_colours.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t const BLACK = 0x00000000;
uint32_t const WHITE = 0x00FFFFFF;

double Linear(uint32_t channel)
{
    double const c = static_cast<double>(channel & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t colour)
{
    return 0.2126 * Linear(colour) + 0.7152 * Linear(colour >> 8) + 0.0722 * Linear(colour >> 16);
}

}  // namespace

double ContrastRatio(uint32_t a, uint32_t b)
{
    double const la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

uint32_t ContrastingText(uint32_t background)
{
    return ContrastRatio(background, WHITE) > ContrastRatio(background, BLACK) ? WHITE : BLACK;
}

CaptionColours ChooseCaptionColours(ColourFacts const& facts, bool active)
{
    if (!facts.windows10OrLater || facts.highContrast)
        return active ? facts.classicActive : facts.classicInactive;
    uint32_t caption;
    // The screen shows the caption in one state only.
    if (facts.screenKnown && facts.screenActive == active)
        caption = facts.screen & WHITE;
    else if (active && facts.colourPrevalence)
        caption = facts.accent & WHITE;
    else if (facts.darkMode)
        caption = active ? DARK_ACTIVE_CAPTION : DARK_INACTIVE_CAPTION;
    else
        caption = LIGHT_CAPTION;
    return CaptionColours{caption, ContrastingText(caption)};
}

bool TypicalColour(uint32_t const* samples, int32_t count, uint32_t* colour)
{
    if (samples == nullptr || count <= 0)
        return false;
    uint32_t typical = 0;
    uint32_t channel[CAPTION_COLOUR_MAX_SAMPLES];
    int32_t const n = count < CAPTION_COLOUR_MAX_SAMPLES ? count : CAPTION_COLOUR_MAX_SAMPLES;
    for (int shift = 0; shift < 24; shift += 8) {
        for (int32_t i = 0; i < n; ++i)
            channel[i] = (samples[i] >> shift) & 0xFF;
        std::nth_element(channel, channel + n / 2, channel + n);
        typical |= channel[n / 2] << shift;
    }
    int32_t near = 0;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t farthest = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            int const a = static_cast<int>((samples[i] >> shift) & 0xFF);
            int const b = static_cast<int>((typical >> shift) & 0xFF);
            farthest = std::max(farthest, static_cast<uint32_t>(a > b ? a - b : b - a));
        }
        near += farthest <= CAPTION_COLOUR_TOLERANCE ? 1 : 0;
    }
    if (2 * near <= n)
        return false;
    *colour = typical;
    return true;
}
