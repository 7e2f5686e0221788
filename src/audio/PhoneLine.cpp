#include "audio/PhoneLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vorela {

namespace {

constexpr double LineRate = 8000.0;
constexpr double LowEdgeHertz = 300.0;
constexpr double HighEdgeHertz = 3400.0;

// The band is a 4th-order Butterworth high-pass at 300 Hz followed by a 4th-order Butterworth
// low-pass at 3400 Hz, each as two biquads (bilinear transform prewarped at the edge). Both
// edges fall by 80 dB a decade: 100 Hz and 3800 Hz lie more than 30 dB down, 1 kHz is flat.
// The quality factors of the two sections of a 4th-order Butterworth: 1 / (2 cos(k pi / 8)).
constexpr std::array<double, 2> ButterworthQ = {0.54119610014619698, 1.3065629648763766};

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double s1 = 0, s2 = 0; // transposed direct form II state

    double step(double x)
    {
        const double y = b0 * x + s1;
        s1 = b1 * x - a1 * y + s2;
        s2 = b2 * x - a2 * y;
        return y;
    }
};

enum class Pass { Low, High };

Biquad section(Pass pass, double hertz, double q)
{
    const double w0 = 2.0 * std::numbers::pi * hertz / LineRate;
    const double cosine = std::cos(w0);
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double edge = pass == Pass::Low ? (1.0 - cosine) / 2.0 : (1.0 + cosine) / 2.0;
    Biquad biquad;
    biquad.b0 = edge / a0;
    biquad.b1 = (pass == Pass::Low ? 2.0 : -2.0) * edge / a0;
    biquad.b2 = edge / a0;
    biquad.a1 = -2.0 * cosine / a0;
    biquad.a2 = (1.0 - alpha) / a0;
    return biquad;
}

std::int16_t clampSample(double value)
{
    return static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

// The upper end of each segment of the magnitude G.711 codes: A-law on 13 bits, mu-law on 14
// bits with its bias of 33 added.
constexpr std::array<int, 8> ALawSegmentEnds = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
constexpr std::array<int, 8> MuLawSegmentEnds = {0x3F,  0x7F,  0xFF,  0x1FF,
                                                 0x3FF, 0x7FF, 0xFFF, 0x1FFF};
constexpr int MuLawBias = 0x84;
constexpr int MuLawClip = 8159;

int segmentOf(int magnitude, const std::array<int, 8> &ends)
{
    const auto end = std::lower_bound(ends.begin(), ends.end(), magnitude);
    return static_cast<int>(end - ends.begin());
}

} // namespace

std::uint8_t encodeALaw(std::int16_t sample)
{
    int magnitude = sample >> 3;
    // Even bits are inverted on the line; the sign bit is set for positive samples.
    std::uint8_t mask = 0xD5;
    if (magnitude < 0) {
        mask = 0x55;
        magnitude = -magnitude - 1;
    }
    const int segment = segmentOf(magnitude, ALawSegmentEnds);
    if (segment >= 8)
        return static_cast<std::uint8_t>(0x7F ^ mask);
    const int step = segment < 2 ? magnitude >> 1 : magnitude >> segment;
    return static_cast<std::uint8_t>(((segment << 4) | (step & 0x0F)) ^ mask);
}

std::int16_t decodeALaw(std::uint8_t code)
{
    const int bits = code ^ 0x55;
    const int segment = (bits >> 4) & 0x07;
    int magnitude = (bits & 0x0F) << 4;
    if (segment == 0)
        magnitude += 8;
    else
        magnitude = (magnitude + 0x108) << (segment - 1);
    return static_cast<std::int16_t>((bits & 0x80) != 0 ? magnitude : -magnitude);
}

std::uint8_t encodeMuLaw(std::int16_t sample)
{
    int magnitude = sample >> 2;
    std::uint8_t mask = 0xFF;
    if (magnitude < 0) {
        mask = 0x7F;
        magnitude = -magnitude;
    }
    magnitude = std::min(magnitude, MuLawClip) + (MuLawBias >> 2);
    const int segment = segmentOf(magnitude, MuLawSegmentEnds);
    if (segment >= 8)
        return static_cast<std::uint8_t>(0x7F ^ mask);
    const int step = (magnitude >> (segment + 1)) & 0x0F;
    return static_cast<std::uint8_t>(((segment << 4) | step) ^ mask);
}

std::int16_t decodeMuLaw(std::uint8_t code)
{
    const int bits = static_cast<std::uint8_t>(~code);
    const int magnitude = (((bits & 0x0F) << 3) + MuLawBias) << ((bits >> 4) & 0x07);
    return static_cast<std::int16_t>((bits & 0x80) != 0 ? MuLawBias - magnitude
                                                        : magnitude - MuLawBias);
}

void filterPhoneBand(std::span<std::int16_t> samples)
{
    std::array<Biquad, 4> sections = {
        section(Pass::High, LowEdgeHertz, ButterworthQ[0]),
        section(Pass::High, LowEdgeHertz, ButterworthQ[1]),
        section(Pass::Low, HighEdgeHertz, ButterworthQ[0]),
        section(Pass::Low, HighEdgeHertz, ButterworthQ[1]),
    };
    for (std::int16_t &sample : samples) {
        double value = sample;
        for (Biquad &biquad : sections)
            value = biquad.step(value);
        sample = clampSample(value);
    }
}

void passPhoneLine(std::span<std::int16_t> samples, LineCoding coding)
{
    filterPhoneBand(samples);
    for (std::int16_t &sample : samples) {
        sample = coding == LineCoding::ALaw ? decodeALaw(encodeALaw(sample))
                                            : decodeMuLaw(encodeMuLaw(sample));
    }
}

} // namespace vorela
