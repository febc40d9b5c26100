#pragma once
// How a place on a leaderboard reads: "3rd", "11th", "21st", "112th", and
// with the table's size "3rd of 41".

#include <string>

namespace velmora::app {

std::string ordinal(long number);
std::string rankText(long rank, long entries);

}  // namespace velmora::app
