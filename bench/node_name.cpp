// Time to parse level node names: a typical annotated name and a
// 100,000-character one. Prints the median and spread over repeated runs.

#include "bench/BenchSupport.h"
#include "level/NodeName.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void measure(const char* label, const std::string& name, int repeats) {
    std::vector<double> micros;
    std::size_t keep = 0;
    for (int run = 0; run < 31; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeats; ++i) {
            std::string baseName;
            velmora::NodeAnnotations annotations;
            velmora::parseNodeName(name, baseName, annotations);
            keep += annotations.size();
        }
        const std::chrono::duration<double, std::micro> elapsed =
            std::chrono::steady_clock::now() - start;
        micros.push_back(elapsed.count() / repeats);
    }
    velmora::bench::printSpread(std::string("parse ") + label + " (" + std::to_string(keep) +
                                    " annotations read)",
                                micros, "us");
}

}  // namespace

int main() {
    measure("annotated name", "switch_trigger__actor__second__open__DoorB__texture__switch_png__",
            2000);
    std::string longName = "Block__";
    while (longName.size() < 100000) longName += "key__value_part__";
    measure("100,000 characters", longName, 5);
    return 0;
}
