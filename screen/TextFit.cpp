#include "screen/TextFit.h"

#include <algorithm>

namespace velmora {

const char* const kGroupGap = "   ";

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Splits at every run of `gap` or more blanks; the pieces keep no blanks at their ends.
std::vector<std::string> splitAtGaps(const std::string& text, size_t gap) {
    std::vector<std::string> pieces;
    size_t start = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] != ' ') {
            ++at;
            continue;
        }
        const size_t runEnd = std::min(text.find_first_not_of(' ', at), text.size());
        if (runEnd - at >= gap) {
            pieces.push_back(trimmed(text.substr(start, at - start)));
            start = runEnd;
        }
        at = runEnd;
    }
    pieces.push_back(trimmed(text.substr(start)));
    pieces.erase(std::remove(pieces.begin(), pieces.end(), std::string()), pieces.end());
    return pieces;
}

// Packs the pieces into lines of at most maxChars, joined by `joint`; a
// piece too long for a line is handed to `tooLong`, which adds its lines.
template <typename TooLong>
void pack(const std::vector<std::string>& pieces, const std::string& joint, size_t maxChars,
          std::vector<std::string>& lines, TooLong tooLong) {
    std::string line;
    for (const std::string& piece : pieces) {
        if (!line.empty() && line.size() + joint.size() + piece.size() <= maxChars) {
            line += joint + piece;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        if (piece.size() <= maxChars) {
            line = piece;
        } else {
            tooLong(piece, lines);
        }
    }
    if (!line.empty()) lines.push_back(line);
}

}  // namespace

int textWidth(const std::string& text, int size) { return static_cast<int>(text.size()) * size; }

std::vector<std::string> wrapText(const std::string& text, int maxChars) {
    const size_t limit = static_cast<size_t>(std::max(maxChars, 1));
    if (text.size() <= limit) return {text};
    std::vector<std::string> lines;
    const auto cutWord = [limit](const std::string& word, std::vector<std::string>& out) {
        for (size_t at = 0; at < word.size(); at += limit) out.push_back(word.substr(at, limit));
    };
    const auto wrapWords = [&](const std::string& group, std::vector<std::string>& out) {
        pack(splitAtGaps(group, 1), " ", limit, out, cutWord);
    };
    pack(splitAtGaps(text, 2), kGroupGap, limit, lines, wrapWords);
    if (lines.empty()) lines.push_back({});
    return lines;
}

int sizeToFit(const std::string& text, int wanted, int width) {
    if (text.empty()) return wanted;
    const int fitting = width / static_cast<int>(text.size());
    return std::min(wanted, std::max(fitting, kSmallestTextSize));
}

int lineAdvance(int size) { return size + size / 5; }

int linesHeight(const std::vector<SizedLine>& lines) {
    int height = 0;
    for (const SizedLine& line : lines) height += lineAdvance(line.size);
    return height;
}

int linesWidth(const std::vector<SizedLine>& lines) {
    int width = 0;
    for (const SizedLine& line : lines) width = std::max(width, textWidth(line.text, line.size));
    return width;
}

std::vector<SizedLine> fitLines(const std::vector<SizedLine>& lines, int width, int height) {
    std::vector<SizedLine> fitted;
    for (int tenths = 10; tenths > 0; --tenths) {
        fitted.clear();
        bool smallest = true;
        for (int source = 0; source < static_cast<int>(lines.size()); ++source) {
            const SizedLine& line = lines[static_cast<size_t>(source)];
            const int size = std::min(line.size, std::max(kSmallestTextSize, line.size * tenths / 10));
            smallest = smallest && size <= kSmallestTextSize;
            if (line.text.empty()) {
                fitted.push_back({{}, size, source});
                continue;
            }
            for (const std::string& part : wrapText(line.text, width / size)) fitted.push_back({part, size, source});
        }
        if (linesHeight(fitted) <= height || smallest) break;
    }
    return fitted;
}

}  // namespace velmora
