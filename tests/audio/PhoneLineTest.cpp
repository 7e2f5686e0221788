#include "audio/PhoneLine.h"

#include "support/TempDataDir.h"
#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vorela {
namespace {

double levelDb(std::span<const std::int16_t> samples, double hertz, double amplitude)
{
    return 20.0 * std::log10(test::toneLevel(samples, hertz) * 32768.0 / amplitude);
}

TEST(PhoneLine, KeepsTheVoiceBandAndCutsWhatLiesOutside)
{
    struct Case {
        double hertz;
        double lowestDb;
        double highestDb;
    };
    const Case cases[] = {
        {1000, -1, 1}, {500, -1, 1}, {3000, -1, 1}, {100, -200, -20}, {3800, -200, -20}};
    for (const LineCoding coding : {LineCoding::ALaw, LineCoding::MuLaw}) {
        for (const Case &tone : cases) {
            std::vector<std::int16_t> samples = test::sineTone(tone.hertz, 1.0, 10000);
            const std::size_t size = samples.size();
            passPhoneLine(samples, coding);
            ASSERT_EQ(samples.size(), size);
            // The filter's start-up is over after a quarter of a second.
            const double db = levelDb(std::span(samples).subspan(2000), tone.hertz, 10000);
            EXPECT_GE(db, tone.lowestDb) << tone.hertz << " Hz";
            EXPECT_LE(db, tone.highestDb) << tone.hertz << " Hz";
        }
    }
}

TEST(PhoneLine, LoudSoundIsClippedNotWrappedAround)
{
    // The fundamental of a full-scale 1 kHz square wave is louder than full scale: the filter's
    // output must stop at the limits, where a wrapped sample would flip its sign.
    std::vector<std::int16_t> samples;
    for (int period = 0; period < 1000; ++period) {
        samples.insert(samples.end(), 4, 32767);
        samples.insert(samples.end(), 4, -32768);
    }
    filterPhoneBand(samples);
    const std::span<const std::int16_t> settled = std::span(samples).subspan(2000);
    EXPECT_EQ(*std::max_element(settled.begin(), settled.end()), 32767);
    EXPECT_EQ(*std::min_element(settled.begin(), settled.end()), -32768);
    EXPECT_GT(test::toneLevel(settled, 1000), 0.85);
}

TEST(PhoneLine, CodesAtTheEndsOfTheTables)
{
    EXPECT_EQ(encodeALaw(0), 0xD5);
    EXPECT_EQ(decodeALaw(0xD5), 8);
    EXPECT_EQ(encodeALaw(32767), 0xAA);
    EXPECT_EQ(decodeALaw(0xAA), 32256);
    EXPECT_EQ(encodeALaw(-32768), 0x2A);
    EXPECT_EQ(decodeALaw(0x2A), -32256);
    EXPECT_EQ(encodeMuLaw(0), 0xFF);
    EXPECT_EQ(decodeMuLaw(0xFF), 0);
    EXPECT_EQ(encodeMuLaw(32767), 0x80);
    EXPECT_EQ(decodeMuLaw(0x80), 32124);
    EXPECT_EQ(encodeMuLaw(-32768), 0x00);
    EXPECT_EQ(decodeMuLaw(0x00), -32124);
}

// Every 16-bit sample coded and decoded by an independent G.711 coder (Python's audioop, which
// follows the ITU reference segment tables); its results are read back as raw bytes.
constexpr const char *ReferenceScript = R"(
import audioop, struct, sys, warnings
warnings.simplefilter('ignore')
data = struct.pack('<65536h', *range(-32768, 32768))
codes = bytes(range(256))
with open(sys.argv[1], 'wb') as out:
    out.write(audioop.lin2alaw(data, 2) + audioop.alaw2lin(codes, 2))
    out.write(audioop.lin2ulaw(data, 2) + audioop.ulaw2lin(codes, 2))
)";

int runQuietly(const std::string &command)
{
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PhoneLine, EveryCodeMatchesAnIndependentCoder)
{
    const std::string python = "/usr/bin/python3";
    if (runQuietly(python + " -W ignore -c 'import audioop'") != 0)
        GTEST_SKIP() << "no audioop module in " << python;
    test::TempDataDir dir;
    const std::filesystem::path script = dir.path() / "g711.py";
    const std::filesystem::path output = dir.path() / "g711.bin";
    std::ofstream(script) << ReferenceScript;
    ASSERT_EQ(runQuietly(python + " " + script.string() + " " + output.string()), 0);
    std::ifstream in(output, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    const std::size_t lawBytes = 65536 + 256 * 2;
    ASSERT_EQ(bytes.size(), 2 * lawBytes);

    struct Law {
        const char *name;
        std::uint8_t (*encode)(std::int16_t);
        std::int16_t (*decode)(std::uint8_t);
    };
    const Law laws[] = {{"A-law", encodeALaw, decodeALaw}, {"mu-law", encodeMuLaw, decodeMuLaw}};
    for (std::size_t law = 0; law < 2; ++law) {
        const unsigned char *reference = bytes.data() + law * lawBytes;
        int wrongCodes = 0;
        for (int sample = -32768; sample < 32768; ++sample) {
            const std::uint8_t expected = reference[sample + 32768];
            wrongCodes += laws[law].encode(static_cast<std::int16_t>(sample)) != expected;
        }
        EXPECT_EQ(wrongCodes, 0) << laws[law].name;
        for (int code = 0; code < 256; ++code) {
            const unsigned char *pair = reference + 65536 + 2 * code;
            const auto expected = static_cast<std::int16_t>(pair[0] | (pair[1] << 8));
            EXPECT_EQ(laws[law].decode(static_cast<std::uint8_t>(code)), expected)
                << laws[law].name << " code " << code;
        }
    }
}

} // namespace
} // namespace vorela
