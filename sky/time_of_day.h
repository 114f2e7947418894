// The time of day, "day", "twilight" or "night": it picks the sky images and
// the sun. Tab steps it.
#pragma once

#include <string>

// "day" → "twilight" → "night" → "day"; any other text is left as it is.
void stepTimeOfDay(std::string& timeOfDay);

#include <array>

// The four spot lights' switches, GL_LIGHT1 to GL_LIGHT4 (F1 to F4); all off at start.
using SpotLightSwitches = std::array<bool, 4>;
