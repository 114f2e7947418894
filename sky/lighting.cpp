// The lighting tables and the sun's position: plain data, no GL.
#include "sky/lighting.h"

#include "scene/scene_numbers.h"

namespace {

constexpr float kDaySunHeight = static_cast<float>(scene::kDaySunHeight);
constexpr std::array<float, 4> kSunStart = {static_cast<float>(scene::kSunX), kDaySunHeight,
                                            static_cast<float>(scene::kSunZ), 0.0f};

const std::array<SunSetting, 3> kSunSettings = {{
    {"day",
     {0.2f, 0.2f, 0.2f, 1.0f},
     {0.2f, 0.15f, 0.1f, 1.0f},
     {0.7f, 0.6f, 0.5f, 1.0f},
     {0.1f, 0.1f, 0.1f, 1.0f},
     true,
     kDaySunHeight},
    {"twilight",
     {0.2f, 0.2f, 0.2f, 1.0f},
     {0.1f, 0.1f, 0.1f, 1.0f},
     {0.35f, 0.2f, 0.2f, 1.0f},
     {0.1f, 0.1f, 0.1f, 1.0f},
     true,
     static_cast<float>(scene::kTwilightSunHeight)},
    // No sun at night: the warm ambient the day sun gives lights the scene alone.
    {"night",
     {0.2f, 0.15f, 0.1f, 1.0f},
     {0.0f, 0.0f, 0.0f, 1.0f},
     {0.0f, 0.0f, 0.0f, 1.0f},
     {0.0f, 0.0f, 0.0f, 1.0f},
     false,
     0.0f},
}};

constexpr Rgba kNoAmbient = {0.0f, 0.0f, 0.0f, 1.0f};

// Two lights either side of the circle's middle, aimed down at 45° towards
// it; one looking along +z; one 10 units below ground pointing straight up.
const std::array<SpotLight, 4> kSpotLights = {{
    {{25.0f, 3.9f, 49.0f, 1.0f},
     {1.0f, -1.0f, 0.0f},
     {1.0f, 1.0f, 0.0f, 1.0f},
     kNoAmbient,
     45.0f,
     2.0f},
    {{75.0f, 3.9f, 49.0f, 1.0f},
     {-1.0f, -1.0f, 0.0f},
     {0.0f, 1.0f, 1.0f, 1.0f},
     kNoAmbient,
     45.0f,
     2.0f},
    {{50.0f, 3.9f, 25.0f, 1.0f},
     {0.0f, 0.0f, 1.0f},
     {1.0f, 0.3f, 0.3f, 1.0f},
     kNoAmbient,
     45.0f,
     2.0f},
    {{50.0f, -10.0f, 50.0f, 1.0f},
     {0.0f, 1.0f, 0.0f},
     {0.8f, 0.9f, 1.0f, 1.0f},
     kNoAmbient,
     60.0f,
     1.0f},
}};

std::array<float, 4> currentSunPosition = kSunStart;

}  // namespace

const std::array<SunSetting, 3>& sunSettings() {
    return kSunSettings;
}

const SunSetting* findSunSetting(const std::string& timeOfDay) {
    for (const SunSetting& setting : kSunSettings) {
        if (timeOfDay == setting.timeOfDay) return &setting;
    }
    return nullptr;
}

const std::array<SpotLight, 4>& spotLights() {
    return kSpotLights;
}

const std::array<float, 4>& sunPosition() {
    return currentSunPosition;
}

const std::array<float, 4>& updateSunPosition(const std::string& timeOfDay) {
    const SunSetting* setting = findSunSetting(timeOfDay);
    if (setting != nullptr && setting->setsHeight) currentSunPosition[1] = setting->height;
    return currentSunPosition;
}

void resetSunPosition() {
    currentSunPosition = kSunStart;
}
