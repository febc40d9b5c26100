#include "app/online/RankText.h"

namespace velmora::app {

std::string ordinal(long number) {
    const long lastTwo = number % 100;
    const char* suffix = "th";
    // 11, 12 and 13 are "th" whatever their last digit says, in every hundred.
    if (lastTwo < 11 || lastTwo > 13) {
        switch (number % 10) {
        case 1: suffix = "st"; break;
        case 2: suffix = "nd"; break;
        case 3: suffix = "rd"; break;
        default: break;
        }
    }
    return std::to_string(number) + suffix;
}

std::string rankText(long rank, long entries) { return ordinal(rank) + " of " + std::to_string(entries); }

}  // namespace velmora::app
