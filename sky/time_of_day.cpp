#include "sky/time_of_day.h"

void stepTimeOfDay(std::string& timeOfDay) {
    if (timeOfDay == "day")
        timeOfDay = "twilight";
    else if (timeOfDay == "twilight")
        timeOfDay = "night";
    else if (timeOfDay == "night")
        timeOfDay = "day";
}
