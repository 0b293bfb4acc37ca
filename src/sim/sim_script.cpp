#include "sim/sim_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int32_t kDefaultFrameMilliseconds = 16;
constexpr int32_t kMaxFrameMilliseconds = 1000;
constexpr int32_t kMaxFrames = 100000000;
constexpr int32_t kMaxMotion = 1000000;

// Every character the word splitting below takes as white space, so that a
// line of them is blank rather than a command without words.
constexpr char kWhiteSpace[] = " \t\r\n\v\f";

std::string Trim(const std::string& text) {
    const size_t begin = text.find_first_not_of(kWhiteSpace);
    if (begin == std::string::npos)
        return "";
    const size_t end = text.find_last_not_of(kWhiteSpace);
    return text.substr(begin, end - begin + 1);
}

// A whole decimal integer within [low, high].
bool ParseInt(const std::string& word, int32_t low, int32_t high, int32_t& value) {
    if (word.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

// Fills command from the words of one line; returns the reason it is bad, or
// an empty string.
std::string ParseCommand(const std::vector<std::string>& w, SimCommand& command) {
    const std::string& verb = w[0];
    if (verb == "key" || verb == "keyup") {
        command.kind = verb == "key" ? SimCommandKind::Key : SimCommandKind::KeyUp;
        if (w.size() != 2)
            return "expected one key code";
        if (!ParseInt(w[1], 1, 255, command.a))
            return "key codes are 1-255";
        return "";
    }
    if (verb == "move") {
        command.kind = SimCommandKind::Move;
        if (w.size() != 3)
            return "expected DX DY";
        if (!ParseInt(w[1], -kMaxMotion, kMaxMotion, command.a) ||
            !ParseInt(w[2], -kMaxMotion, kMaxMotion, command.b))
            return "motion must be whole numbers";
        return "";
    }
    if (verb == "button") {
        command.kind = SimCommandKind::Button;
        if (w.size() != 3)
            return "expected N down|up";
        if (!ParseInt(w[1], 0, 7, command.a))
            return "buttons are 0-7";
        if (w[2] != "down" && w[2] != "up")
            return "expected down or up";
        command.b = w[2] == "down" ? 1 : 0;
        return "";
    }
    if (verb == "frames") {
        command.kind = SimCommandKind::Frames;
        if (w.size() != 2 && w.size() != 3)
            return "expected N [MS]";
        if (!ParseInt(w[1], 0, kMaxFrames, command.a))
            return "the frame count must be 0 or more";
        command.b = kDefaultFrameMilliseconds;
        if (w.size() == 3 && !ParseInt(w[2], 1, kMaxFrameMilliseconds, command.b))
            return "milliseconds per frame are 1-1000";
        return "";
    }
    return "unknown command";
}

}  // namespace

bool ParseSimScript(const std::string& text, SimScript& script, std::string& error) {
    std::istringstream stream(text);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(stream, raw)) {
        ++lineNumber;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        SimCommand command;
        command.line = lineNumber;
        const std::string why = ParseCommand(Words(line), command);
        if (!why.empty()) {
            error = std::to_string(lineNumber) + ": bad script line: " + line + " (" + why + ")";
            return false;
        }
        script.commands.push_back(command);
    }
    return true;
}
