#include "level/NodeName.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

// A value may run over anything but a line end; a line end inside a value
// makes the pair invalid (names never hold one in practice, but the parser
// must agree with the pattern the convention was first written as).
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool doubleUnderscoreAt(const std::string& text, std::size_t pos) {
    return pos + 1 < text.size() && text[pos] == '_' && text[pos + 1] == '_';
}

// Tables that let every pair be checked in constant time, so a very long name
// is scanned in linear time instead of re-searching from every position.
struct ScanTables {
    std::vector<std::size_t> nextDoubleUnderscore;  // first "__" at or after i
    std::vector<std::size_t> nextLineEnd;           // first line end at or after i
    explicit ScanTables(const std::string& text)
        : nextDoubleUnderscore(text.size() + 1, std::string::npos),
          nextLineEnd(text.size() + 1, std::string::npos) {
        for (std::size_t i = text.size(); i-- > 0;) {
            nextDoubleUnderscore[i] =
                doubleUnderscoreAt(text, i) ? i : nextDoubleUnderscore[i + 1];
            nextLineEnd[i] = isLineEnd(text[i]) ? i : nextLineEnd[i + 1];
        }
    }
};

void addAnnotation(NodeAnnotations& annotations, std::string key, std::string value) {
    annotations[std::move(key)].push_back(std::move(value));
}

// Collects the key__value__ pairs of the annotation text. A key is a run of
// non-underscore characters directly followed by "__"; its value is the
// shortest non-empty text up to the next "__" that does not itself start with
// "__". Text that forms no pair is skipped, and each search resumes after the
// previous pair.
void scanPairs(const std::string& text, NodeAnnotations& annotations) {
    const ScanTables tables(text);
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '_') {
            ++pos;
            continue;
        }
        std::size_t keyEnd = text.find('_', pos);
        if (keyEnd == std::string::npos) return;  // no underscore left: no pair
        // Every start inside this run shares the run's end, so a failed pair
        // fails for all of them: resume at the run's end either way.
        const std::size_t keyStart = pos;
        pos = keyEnd;
        if (!doubleUnderscoreAt(text, keyEnd)) continue;
        const std::size_t valueStart = keyEnd + 2;
        if (doubleUnderscoreAt(text, valueStart)) continue;  // empty value
        if (valueStart >= text.size()) continue;
        const std::size_t valueEnd = tables.nextDoubleUnderscore[valueStart];
        if (valueEnd == std::string::npos) continue;
        const std::size_t lineEnd = tables.nextLineEnd[valueStart];
        if (lineEnd != std::string::npos && lineEnd < valueEnd) continue;
        addAnnotation(annotations, text.substr(keyStart, keyEnd - keyStart),
                      text.substr(valueStart, valueEnd - valueStart));
        pos = valueEnd + 2;
    }
}

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

}  // namespace

void parseNodeName(std::string name, std::string& baseName, NodeAnnotations& annotations) {
    const std::size_t firstDouble = name.find("__");
    const std::size_t lastUnderscore = name.rfind('_');
    if (firstDouble == std::string::npos || lastUnderscore - firstDouble <= 2) {
        baseName = std::move(name);
        return;
    }
    baseName = name.substr(0, firstDouble);
    for (char& c : baseName) {
        if (c == '_') c = ' ';
    }
    // Whatever follows the name's last underscore is dropped (an exporter's
    // "_001" counter, say); the added underscore completes a name that ends in
    // a single one.
    const std::size_t textStart = firstDouble + 2;
    std::string text = name.substr(textStart, lastUnderscore + 1 - textStart) + "_";
    scanPairs(text, annotations);
}

bool hasDoorWord(const std::string& baseName) {
    return contains(baseName, "door") || contains(baseName, "Door");
}

bool hasTriggerWord(const std::string& baseName) {
    return contains(baseName, "trigger") || contains(baseName, "Trigger");
}

bool hasSpikesWord(const std::string& baseName) {
    return contains(baseName, "stacheln") || contains(baseName, "Stacheln");
}

NodeRole nodeRoleOf(const std::string& baseName) {
    if (hasDoorWord(baseName)) return NodeRole::Door;
    if (hasTriggerWord(baseName)) return NodeRole::Trigger;
    return NodeRole::Plain;
}

const char* nodeRoleName(NodeRole role) {
    switch (role) {
        case NodeRole::Door: return "door";
        case NodeRole::Trigger: return "trigger";
        case NodeRole::Plain: break;
    }
    return "plain";
}

const std::vector<std::string>& knownAnnotationKeys() {
    static const std::vector<std::string> keys{"texture", "actor", "steady",
                                               "win",     "reset", "open"};
    return keys;
}

namespace {

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string nearestAnnotationKey(const std::string& key) {
    const std::vector<std::string>& keys = knownAnnotationKeys();
    std::string nearest = keys.front();
    std::size_t best = editDistance(key, nearest);
    for (const std::string& known : keys) {
        const std::size_t distance = editDistance(key, known);
        if (distance < best) {
            best = distance;
            nearest = known;
        }
    }
    return nearest;
}

std::string textureFileName(const NodeAnnotations& annotations) {
    const auto found = annotations.find("texture");
    if (found == annotations.end() || found->second.empty()) return {};
    std::string file = found->second.front();
    for (char& c : file) {
        if (c == '_') c = '.';
    }
    return file;
}

std::string levelTexturePath(const std::string& textureFile) {
    return std::string(kLevelTextureFolder) + "/" + textureFile;
}

}  // namespace velmora
