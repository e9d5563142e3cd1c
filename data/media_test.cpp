// The default media must stay playable and showable by the program: short
// 16-bit mono chimes and moderate 800 x 600 baseline pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadBytes(const std::string& name) {
    std::ifstream in(std::string(DAWN_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint32_t Be16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]);
}

TEST(DefaultMediaTest, ChimesAreShortMonoPcmThatStartAndEndInSilence) {
    for (const char* name : {"sunrise.wav", "sunset.wav"}) {
        SCOPED_TRACE(name);
        const std::string b = ReadBytes(name);
        ASSERT_GT(b.size(), 44u);
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(b, 20, 2), 1u);  // PCM
        EXPECT_EQ(Le(b, 22, 2), 1u);  // mono
        EXPECT_EQ(Le(b, 24, 4), 44100u);
        EXPECT_EQ(Le(b, 34, 2), 16u);
        ASSERT_EQ(b.substr(36, 4), "data");
        const std::uint32_t bytes = Le(b, 40, 4);
        ASSERT_EQ(b.size(), 44u + bytes);
        const double seconds = bytes / 2 / 44100.0;
        EXPECT_GE(seconds, 2.0);
        EXPECT_LE(seconds, 4.0);
        int peak = 0;
        for (std::size_t i = 44; i + 1 < b.size(); i += 2) {
            const int s = static_cast<std::int16_t>(Le(b, i, 2));
            peak = std::max(peak, s < 0 ? -s : s);
        }
        EXPECT_GT(peak, 8000);   // audible
        EXPECT_LT(peak, 32767);  // not clipped
        EXPECT_EQ(static_cast<std::int16_t>(Le(b, 44, 2)), 0);
        EXPECT_EQ(static_cast<std::int16_t>(Le(b, b.size() - 2, 2)), 0);
    }
}

TEST(DefaultMediaTest, PicturesAreSmallBaselineJpegsOf800By600) {
    for (const char* name : {"sunrise.jpg", "sunset.jpg"}) {
        SCOPED_TRACE(name);
        const std::string b = ReadBytes(name);
        ASSERT_GT(b.size(), 4u);
        EXPECT_LT(b.size(), 150u * 1024u);
        EXPECT_EQ(Be16(b, 0), 0xFFD8u);
        EXPECT_EQ(Be16(b, b.size() - 2), 0xFFD9u);
        // Walk the markers to the frame header.
        std::size_t at = 2;
        while (at + 9 < b.size() && Be16(b, at) != 0xFFC0u) at += 2 + Be16(b, at + 2);
        ASSERT_LT(at + 9, b.size()) << "no baseline frame header";
        EXPECT_EQ(Be16(b, at + 5), 600u);                     // height
        EXPECT_EQ(Be16(b, at + 7), 800u);                     // width
        EXPECT_EQ(static_cast<unsigned char>(b[at + 9]), 3);  // colour
    }
}

}  // namespace
