#include "standinmovie.h"

#include <gtest/gtest.h>

using standin::BuildStandinMovie;
using standin::ReadStandinMovie;
using standin::StandinMovie;

TEST(StandinMovie, HeaderIsAMovieHeader)
{
    StandinMovie movie;
    movie.version = 9;
    movie.script = "init\n";
    std::string bytes = BuildStandinMovie(movie);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ("FWS", bytes.substr(0, 3));
    EXPECT_EQ(9, bytes[3]);
    uint32_t length = uint8_t(bytes[4]) | uint8_t(bytes[5]) << 8 | uint8_t(bytes[6]) << 16 | uint32_t(uint8_t(bytes[7])) << 24;
    EXPECT_EQ(bytes.size(), length);
    // 550 x 400 pixels need 15-bit fields: 5 + 4 * 15 bits in 9 bytes, then rate 0x00 0x18, count 1.
    EXPECT_EQ(15, uint8_t(bytes[8]) >> 3);
    EXPECT_EQ(0x00, bytes[17]);
    EXPECT_EQ(0x18, bytes[18]);
    EXPECT_EQ(1, bytes[19]);
}

TEST(StandinMovie, ReadsBackWhatItWrote)
{
    for (bool compressed : {false, true}) {
        StandinMovie movie;
        movie.version = 7;
        movie.width = 800;
        movie.height = 600;
        movie.frameRate = 30;
        movie.red = 0x12;
        movie.green = 0x34;
        movie.blue = 0x56;
        movie.script = std::string(100, 'x') + "\ncall nxa.A.b [1]\n";
        std::string bytes = BuildStandinMovie(movie, compressed);
        EXPECT_EQ(compressed ? "CWS" : "FWS", bytes.substr(0, 3));
        StandinMovie read;
        std::string error;
        ASSERT_TRUE(ReadStandinMovie(bytes, read, error)) << error;
        EXPECT_EQ(7, read.version);
        EXPECT_EQ(800, read.width);
        EXPECT_EQ(600, read.height);
        EXPECT_EQ(30, read.frameRate);
        EXPECT_EQ(1, read.frameCount);
        EXPECT_EQ(0x12, read.red);
        EXPECT_EQ(0x56, read.blue);
        EXPECT_EQ(movie.script, read.script);
        // A file handed over gives the same script (uncompressed: its own bytes).
        StandinMovie taken;
        ASSERT_TRUE(ReadStandinMovie(std::string(bytes), taken, error)) << error;
        EXPECT_EQ(movie.script, taken.script);
        EXPECT_EQ(800, taken.width);
    }
}

TEST(StandinMovie, RejectsWhatIsNoMovieAndSurvivesCutData)
{
    StandinMovie movie;
    movie.script = "init\n";
    std::string bytes = BuildStandinMovie(movie);
    std::string error;
    EXPECT_FALSE(ReadStandinMovie("GIF89a..", movie, error));
    EXPECT_FALSE(ReadStandinMovie("FWS", movie, error));
    EXPECT_FALSE(ReadStandinMovie(bytes.substr(0, 12), movie, error));
    std::string damaged = BuildStandinMovie(movie, true);
    damaged.resize(damaged.size() / 2);
    damaged[10] ^= 0x5A;
    EXPECT_FALSE(ReadStandinMovie(damaged, movie, error));
    // Cut inside the script tag: still a movie, without the script.
    for (size_t size = 21; size < bytes.size(); ++size) {
        StandinMovie cut;
        EXPECT_TRUE(ReadStandinMovie(bytes.substr(0, size), cut, error)) << size;
    }
}
