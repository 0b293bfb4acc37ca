#include "sim/sim_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/input_records.h"
#include "platform/pad_controls.h"

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

// The pad's axes by their names in SDL's mappings, in PadAxis order.
constexpr const char* kPadAxisNames[kPadAxisCount] = {"leftx",  "lefty",       "rightx",
                                                      "righty", "lefttrigger", "righttrigger"};

std::string ParsePadCommand(const std::vector<std::string>& w, bool& connected,
                            SimCommand& command) {
    const std::string what = w.size() >= 2 ? w[1] : "";
    if (what == "connect" || what == "disconnect") {
        if (w.size() != 2)
            return "expected pad connect or pad disconnect";
        if (what == "disconnect" && !connected)
            return "no pad is connected";
        connected = what == "connect";
        command.kind = connected ? SimCommandKind::PadConnect : SimCommandKind::PadDisconnect;
        return "";
    }
    if (what != "button" && what != "axis")
        return "expected pad connect, disconnect, button or axis";
    if (!connected)
        return "no pad is connected (pad connect first)";
    if (what == "button") {
        command.kind = SimCommandKind::PadButton;
        if (w.size() != 4)
            return "expected pad button NAME down|up";
        const int control = PadControlFromName(w[2]);
        if (control == PadNone || control > kPadButtonCount)
            return "unknown pad button";
        command.a = control - PadA;
        if (w[3] != "down" && w[3] != "up")
            return "expected down or up";
        command.b = w[3] == "down" ? 1 : 0;
        return "";
    }
    command.kind = SimCommandKind::PadAxis;
    if (w.size() != 4)
        return "expected pad axis NAME VALUE";
    command.a = -1;
    for (int axis = 0; axis < kPadAxisCount; ++axis) {
        if (w[2] == kPadAxisNames[axis])
            command.a = axis;
    }
    if (command.a < 0)
        return "unknown pad axis";
    const int32_t low = command.a >= PadAxisLeftTrigger ? 0 : -32768;
    if (!ParseInt(w[3], low, 32767, command.b))
        return low == 0 ? "triggers move from 0 to 32767" : "sticks move from -32768 to 32767";
    return "";
}

// Fills command from the words of one line; returns the reason it is bad, or
// an empty string. `padConnected` follows the pad commands.
std::string ParseCommand(const std::vector<std::string>& w, bool& padConnected,
                         SimCommand& command) {
    const std::string& verb = w[0];
    if (verb == "pad")
        return ParsePadCommand(w, padConnected, command);
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
    bool padConnected = false;
    while (std::getline(stream, raw)) {
        ++lineNumber;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        SimCommand command;
        command.line = lineNumber;
        const std::string why = ParseCommand(Words(line), padConnected, command);
        if (!why.empty()) {
            error = std::to_string(lineNumber) + ": bad script line: " + line + " (" + why + ")";
            return false;
        }
        script.commands.push_back(command);
    }
    return true;
}
