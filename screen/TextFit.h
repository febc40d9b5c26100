#pragma once
// Making lines of the monospaced screen font fit a box: each character is a
// square of the text's size, so a line of n characters at size s is n * s
// pixels wide. Lines wrap between the groups a wide gap separates ("R: new
// run   V: watch it"), then between words, and the size comes down only as
// far as the box's height needs. Pure arithmetic, checked without a context.

#include <string>
#include <vector>

namespace velmora {

// Below this a glyph of the font is no longer readable.
constexpr int kSmallestTextSize = 8;

// Three blanks: what separates the groups of a line ("N: next level   R: new run").
extern const char* const kGroupGap;

int textWidth(const std::string& text, int size);

// The text broken into lines of at most maxChars characters: between groups
// first, then between words; a word longer than a line is cut. Leading and
// trailing blanks of a broken line go. An empty text is one empty line.
std::vector<std::string> wrapText(const std::string& text, int maxChars);

// The largest size not above `wanted` at which the text is at most `width`
// pixels wide, but not below kSmallestTextSize (nor above wanted).
int sizeToFit(const std::string& text, int wanted, int width);

struct SizedLine {
    std::string text;
    int size = 0;  // pixels per character square
    int source = 0;  // fitLines: which of the lines given this is (a part of)
};

// From one line's top to the next one's: the size and a fifth of it between.
int lineAdvance(int size);

// Each line at its size, wrapped to width; if the whole is higher than
// height, every size comes down in steps of a tenth until it fits or the
// smallest size is reached. Empty lines keep their place (a gap).
std::vector<SizedLine> fitLines(const std::vector<SizedLine>& lines, int width, int height);

// The height fitLines' result takes, line advances added up.
int linesHeight(const std::vector<SizedLine>& lines);
// The widest of them, in pixels.
int linesWidth(const std::vector<SizedLine>& lines);

}  // namespace velmora
