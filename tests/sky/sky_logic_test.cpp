// The sky's and the lights' GL-free parts: the sun's height through the times
// of day, which sky images go where, and the cube's tables.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sky/lighting.h"
#include "sky/skybox.h"
#include "sky/time_of_day.h"

TEST(SunPosition, HeightFollowsDayAndTwilightAndIsKeptOtherwise) {
    resetSunPosition();
    const std::array<float, 4> start = {-0.62187f, 1.0f, 0.78312f, 0.0f};
    EXPECT_EQ(sunPosition(), start);

    std::string timeOfDay = "day";
    stepTimeOfDay(timeOfDay);
    EXPECT_EQ(updateSunPosition(timeOfDay)[1], 0.1f);  // twilight
    stepTimeOfDay(timeOfDay);
    EXPECT_EQ(timeOfDay, "night");
    EXPECT_EQ(updateSunPosition(timeOfDay)[1], 0.1f);  // kept from twilight
    EXPECT_EQ(updateSunPosition("dusk")[1], 0.1f);     // unknown text: kept
    stepTimeOfDay(timeOfDay);
    EXPECT_EQ(timeOfDay, "day");
    EXPECT_EQ(updateSunPosition(timeOfDay), start);  // three steps: back where it began

    // Night straight after start keeps the day height; x, z and w never move.
    resetSunPosition();
    EXPECT_EQ(updateSunPosition("night"), start);
    EXPECT_EQ(sunPosition(), start);
}

TEST(SunPosition, OnlyTheThreeTimesOfDayHaveASetting) {
    ASSERT_NE(findSunSetting("day"), nullptr);
    ASSERT_NE(findSunSetting("twilight"), nullptr);
    ASSERT_NE(findSunSetting("night"), nullptr);
    EXPECT_EQ(findSunSetting("Night"), nullptr);
    EXPECT_EQ(findSunSetting(""), nullptr);
    EXPECT_EQ(findSunSetting("day "), nullptr);
    EXPECT_FALSE(findSunSetting("night")->setsHeight);
}

TEST(SkyImages, SlotsByTimeOfDayAndLoadOrder) {
    EXPECT_EQ(skyTextureBase("day"), 0);
    EXPECT_EQ(skyTextureBase("twilight"), 5);
    EXPECT_EQ(skyTextureBase("night"), -1);
    EXPECT_EQ(skyTextureBase("dusk"), 0);  // anything else shows the day set
    EXPECT_EQ(skyTextureBase(""), 0);

    const std::vector<std::pair<unsigned, std::string>> expected = {
        {0, "cloudy/0.jpg"}, {5, "sunset/0.jpg"}, {1, "cloudy/1.jpg"}, {6, "sunset/1.jpg"},
        {2, "cloudy/2.jpg"}, {7, "sunset/2.jpg"}, {3, "cloudy/3.jpg"}, {8, "sunset/3.jpg"},
        {4, "cloudy/4.jpg"}, {9, "sunset/4.jpg"}};
    EXPECT_EQ(skyImageFiles(), expected);

    EXPECT_EQ(Skybox::toString(0), "0");
    EXPECT_EQ(Skybox::toString(4), "4");
    EXPECT_EQ(Skybox::toString(4294967295u), "4294967295");
}

TEST(SkyCube, TablesAsTheImagesWereMadeFor) {
    using Corner = std::array<float, 3>;
    const std::array<Corner, 8> corners = {{{100, 100, -100},
                                            {-100, 100, -100},
                                            {-100, 100, 100},
                                            {100, 100, 100},
                                            {100, -100, -100},
                                            {-100, -100, -100},
                                            {-100, -100, 100},
                                            {100, -100, 100}}};
    EXPECT_EQ(skyCorners, corners);
    const std::array<std::array<std::uint16_t, 4>, 6> faces = {
        {{0, 1, 2, 3}, {4, 0, 3, 7}, {7, 3, 2, 6}, {6, 2, 1, 5}, {5, 1, 0, 4}, {4, 7, 6, 5}}};
    EXPECT_EQ(skyFaces, faces);
    const std::array<std::array<float, 2>, 4> texCoords = {{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
    EXPECT_EQ(skyTexCoords, texCoords);

    // Side faces: the first corner at the bottom with the second straight
    // above it, and each face's right edge is the next face's left edge, so
    // images 1 to 4 make one unbroken band.
    for (unsigned k = 1; k <= 4; ++k) {
        const Corner& bottom = skyCorners[skyFaces[k][0]];
        const Corner& top = skyCorners[skyFaces[k][1]];
        EXPECT_EQ(bottom[1], -100.0f) << "face " << k;
        EXPECT_EQ(top[1], 100.0f) << "face " << k;
        EXPECT_EQ(bottom[0], top[0]);
        EXPECT_EQ(bottom[2], top[2]);
        const unsigned next = k == 4 ? 1 : k + 1;
        EXPECT_EQ(skyFaces[k][3], skyFaces[next][0]) << "face " << k;
        EXPECT_EQ(skyFaces[k][2], skyFaces[next][1]) << "face " << k;
    }
    for (std::uint16_t corner : skyFaces[0]) EXPECT_EQ(skyCorners[corner][1], 100.0f);
}
