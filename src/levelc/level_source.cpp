#include "levelc/level_source.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string Diagnostic::Text() const {
    std::string text = file;
    if (line > 0)
        text += ":" + std::to_string(line);
    text += warning ? ": warning: " : ": ";
    return text + message;
}

void Diagnostics::Error(const std::string& file, int line, const std::string& message) {
    messages.push_back({file, line, false, message});
}

void Diagnostics::Warning(const std::string& file, int line, const std::string& message) {
    messages.push_back({file, line, true, message});
}

bool Diagnostics::HasErrors() const {
    return ErrorCount() > 0;
}

int Diagnostics::ErrorCount() const {
    int count = 0;
    for (const Diagnostic& message : messages)
        count += message.warning ? 0 : 1;
    return count;
}

namespace {

constexpr size_t kMaxNameLength = 255;
constexpr int kMaxUvChannel = 7;

struct Token {
    std::string text;
    bool quoted = false;
};

using Tokens = std::vector<Token>;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a line into blank-separated words; "double quotes" keep blanks and
// '#' inside a word, '#' at the start of a word begins a comment.
bool Tokenize(const std::string& line, Tokens& tokens, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;
        Token token;
        if (line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string::npos) {
                error = "unterminated quoted name";
                return false;
            }
            token.text = line.substr(i + 1, close - i - 1);
            token.quoted = true;
            i = close + 1;
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
                error = "a quoted name must be followed by a blank";
                return false;
            }
        } else {
            const size_t start = i;
            while (i < line.size() && !IsBlank(line[i]))
                ++i;
            token.text = line.substr(start, i - start);
        }
        tokens.push_back(token);
    }
    return true;
}

// Largest magnitude a number may have: far beyond any level, and small enough
// that sums and squares of coordinates stay finite in single precision.
constexpr double kLargestNumber = 1e9;

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool LooksLikeNumber(const std::string& text) {
    double ignored = 0.0;
    return ParseDouble(text, ignored);
}

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

enum class Block { None, Material, Light, Outline, Mesh };

const char* BlockKeyword(Block block) {
    switch (block) {
        case Block::Material:
            return "material";
        case Block::Light:
            return "light";
        case Block::Outline:
            return "outline";
        case Block::Mesh:
            return "mesh";
        default:
            return "";
    }
}

class Parser {
public:
    Parser(const std::string& fileName, LevelSource& source, Diagnostics& diagnostics)
        : file_(fileName), source_(source), diagnostics_(diagnostics) {}

    void ParseLine(int number, const std::string& text);
    void Finish();

private:
    void Error(const std::string& message) { diagnostics_.Error(file_, line_, message); }
    void Warning(const std::string& message) { diagnostics_.Warning(file_, line_, message); }

    void TopLevelLine(const Tokens& tokens);
    void MaterialLine(const Tokens& tokens);
    void ColourLine(const Tokens& tokens, SourceMaterial& material);
    void NumberedMapLine(const Tokens& tokens);
    void ScrollLine(const Tokens& tokens, SourceMaterial& material);
    void UvScaleLine(const Tokens& tokens, SourceMaterial& material);
    void LightLine(const Tokens& tokens);
    void ExtrusionLine(const Tokens& tokens, SourceExtrusion& extrusion);
    void MeshLine(const Tokens& tokens);
    void OutlineLine(const Tokens& tokens);
    void PrimitiveLine(const Tokens& tokens);
    void PointLine(const Tokens& tokens);
    void TriangleLine(const Tokens& tokens);
    void MapLine(const Tokens& tokens, int slot, size_t fileIndex, bool allowUv);

    void OpenBlock(Block block, const std::string& name);
    void CloseBlock();
    void CheckPolylineDone();
    bool ReadName(const Tokens& tokens, size_t index, const char* what, std::string& name);

    // Reads count numbers from tokens[first...]; reports a missing, extra or
    // malformed number in terms of the usage text.
    bool ReadNumbers(const Tokens& tokens, size_t first, size_t count, const std::string& usage,
                     double* values);
    bool ReadNumber(const Token& token, double& value);
    bool ReadByte(const Token& token, const char* what, uint8_t& value);
    bool ReadPositive(const Token& token, const char* what, double& value);

    std::string file_;
    LevelSource& source_;
    Diagnostics& diagnostics_;
    int line_ = 0;
    Block block_ = Block::None;
    int blockLine_ = 0;
    std::string blockName_;
    SourcePolyline* polyline_ = nullptr;  // the polyline points are added to
};

void Parser::ParseLine(int number, const std::string& text) {
    line_ = number;
    Tokens tokens;
    std::string error;
    if (!Tokenize(text, tokens, error)) {
        Error(error);
        return;
    }
    if (tokens.empty())
        return;
    switch (block_) {
        case Block::None:
            TopLevelLine(tokens);
            break;
        case Block::Material:
            MaterialLine(tokens);
            break;
        case Block::Light:
            LightLine(tokens);
            break;
        case Block::Outline:
            OutlineLine(tokens);
            break;
        case Block::Mesh:
            MeshLine(tokens);
            break;
    }
}

void Parser::Finish() {
    if (block_ == Block::None)
        return;
    CheckPolylineDone();
    diagnostics_.Error(
        file_, blockLine_,
        std::string(BlockKeyword(block_)) + " " + Quote(blockName_) + " is not closed by 'end'");
    block_ = Block::None;
}

void Parser::OpenBlock(Block block, const std::string& name) {
    block_ = block;
    blockLine_ = line_;
    blockName_ = name;
    polyline_ = nullptr;
}

void Parser::CloseBlock() {
    CheckPolylineDone();
    if (block_ == Block::Light) {
        const SourceLight& light = source_.lights.back();
        if (!light.hasPosition)
            diagnostics_.Error(file_, blockLine_,
                               "light " + Quote(light.name) + " has no " +
                                   (light.omni ? "'position'" : "'direction'"));
    }
    if (block_ == Block::Outline && source_.outlines.back().extrusion.polylines.empty())
        diagnostics_.Error(file_, blockLine_, "outline " + Quote(blockName_) + " has no points");
    if (block_ == Block::Mesh && source_.meshes.back().extrusion.polylines.empty() &&
        source_.meshes.back().triangles.empty())
        diagnostics_.Error(file_, blockLine_,
                           "mesh " + Quote(blockName_) + " has no triangles and no polylines");
    block_ = Block::None;
    polyline_ = nullptr;
}

// Closes the polyline being read, checking it has enough points.
void Parser::CheckPolylineDone() {
    if (!polyline_)
        return;
    const size_t count = polyline_->points.size();
    const size_t needed = polyline_->kind == PolylineKind::Line ? 2 : 3;
    if (count < needed) {
        const char* kind = polyline_->kind == PolylineKind::Solid  ? "solid"
                           : polyline_->kind == PolylineKind::Loop ? "loop"
                                                                   : "line";
        diagnostics_.Error(file_, polyline_->line,
                           std::string("a '") + kind + "' needs at least " +
                               std::to_string(needed) + " points, found " + std::to_string(count));
    }
    polyline_ = nullptr;
}

bool Parser::ReadName(const Tokens& tokens, size_t index, const char* what, std::string& name) {
    if (tokens.size() <= index) {
        Error(std::string("'") + tokens[0].text + "' needs " + what);
        return false;
    }
    name = tokens[index].text;
    if (name.size() > kMaxNameLength) {
        Error(std::string("name longer than 255 bytes: ") + Quote(name.substr(0, 20) + "..."));
        return false;
    }
    return true;
}

bool Parser::ReadNumber(const Token& token, double& value) {
    if (token.quoted || !ParseDouble(token.text, value)) {
        Error(Quote(token.text) + " is not a number");
        return false;
    }
    if (std::fabs(value) > kLargestNumber) {
        Error(Quote(token.text) + " is out of range (at most 1e9 either way)");
        return false;
    }
    return true;
}

bool Parser::ReadNumbers(const Tokens& tokens, size_t first, size_t count, const std::string& usage,
                         double* values) {
    const size_t found = tokens.size() > first ? tokens.size() - first : 0;
    if (found < count) {
        Error("missing number: expected '" + usage + "'");
        return false;
    }
    if (found > count) {
        Error("too many values: expected '" + usage + "'");
        return false;
    }
    for (size_t i = 0; i < count; ++i)
        if (!ReadNumber(tokens[first + i], values[i]))
            return false;
    return true;
}

bool Parser::ReadByte(const Token& token, const char* what, uint8_t& value) {
    double number = 0.0;
    if (!ReadNumber(token, number))
        return false;
    if (number < 0.0 || number > 255.0 || number != std::floor(number)) {
        Error(std::string(what) + " " + token.text + " is not a whole number from 0 to 255");
        return false;
    }
    value = static_cast<uint8_t>(number);
    return true;
}

bool Parser::ReadPositive(const Token& token, const char* what, double& value) {
    if (!ReadNumber(token, value))
        return false;
    if (!(value > 0.0)) {
        Error(std::string(what) + " must be greater than 0, found " + token.text);
        return false;
    }
    return true;
}

void Parser::TopLevelLine(const Tokens& tokens) {
    const std::string& keyword = tokens[0].text;
    std::string name;
    if (keyword == "material") {
        if (!ReadName(tokens, 1, "a name", name))
            return;
        if (tokens.size() > 2)
            Error("too many values: expected 'material NAME'");
        SourceMaterial material;
        material.name = name;
        material.line = line_;
        source_.materials.push_back(material);
        OpenBlock(Block::Material, name);
    } else if (keyword == "light") {
        if (!ReadName(tokens, 1, "a name and a kind ('omni' or 'directional')", name))
            return;
        SourceLight light;
        light.name = name;
        light.line = line_;
        if (tokens.size() == 3 && tokens[2].text == "omni") {
            light.omni = true;
        } else if (tokens.size() == 3 && tokens[2].text == "directional") {
            light.omni = false;
            light.position = {0.0, 0.0, -1.0};  // from the camera's side
            light.hasPosition = true;
        } else {
            Error("expected 'light NAME omni' or 'light NAME directional'");
            return;
        }
        source_.lights.push_back(light);
        OpenBlock(Block::Light, name);
    } else if (keyword == "outline" || keyword == "mesh") {
        if (!ReadName(tokens, 1, "a name", name))
            return;
        if (tokens.size() > 2)
            Error("too many values: expected '" + keyword + " NAME'");
        if (keyword == "outline") {
            SourceOutline outline;
            outline.name = name;
            outline.line = line_;
            source_.outlines.push_back(outline);
            OpenBlock(Block::Outline, name);
        } else {
            SourceMesh mesh;
            mesh.name = name;
            mesh.line = line_;
            source_.meshes.push_back(mesh);
            OpenBlock(Block::Mesh, name);
        }
    } else if (keyword == "primitive") {
        PrimitiveLine(tokens);
    } else if (keyword == "end") {
        Error("'end' without an open block");
    } else {
        Error("unknown keyword " + Quote(keyword) +
              " (expected material, light, outline, mesh or primitive)");
    }
}

// A keyword met inside a block that only starts a block at the top level
// usually means a missing 'end'.
std::string InsideBlockHint(const std::string& keyword, Block block, int blockLine) {
    std::string text = "unknown keyword " + Quote(keyword) + " inside " + BlockKeyword(block) +
                       " block opened at line " + std::to_string(blockLine);
    if (keyword == "material" || keyword == "light" || keyword == "outline" || keyword == "mesh" ||
        keyword == "primitive")
        text += " (missing 'end'?)";
    return text;
}

void Parser::MaterialLine(const Tokens& tokens) {
    SourceMaterial& material = source_.materials.back();
    const std::string& keyword = tokens[0].text;
    if (keyword == "end") {
        if (tokens.size() > 1)
            Error("too many values after 'end'");
        CloseBlock();
    } else if (keyword == "colour" || keyword == "color" || keyword == "second-colour" ||
               keyword == "second-color") {
        ColourLine(tokens, material);
    } else if (keyword == "two-sided") {
        if (tokens.size() > 1)
            Error("too many values after 'two-sided'");
        material.twoSided = true;
    } else if (keyword == "base") {
        MapLine(tokens, 0, 1, true);
    } else if (keyword == "overlay") {
        MapLine(tokens, 2, 1, true);
    } else if (keyword == "opacity") {
        MapLine(tokens, 3, 1, true);
    } else if (keyword == "reflection") {
        MapLine(tokens, 5, 1, false);
    } else if (keyword == "map") {
        NumberedMapLine(tokens);
    } else if (keyword == "scroll") {
        ScrollLine(tokens, material);
    } else if (keyword == "uvscale") {
        UvScaleLine(tokens, material);
    } else {
        Error(InsideBlockHint(keyword, block_, blockLine_));
    }
}

// colour|second-colour R G B (or color).
void Parser::ColourLine(const Tokens& tokens, SourceMaterial& material) {
    const std::string& keyword = tokens[0].text;
    const bool second = keyword.rfind("second", 0) == 0;
    if (tokens.size() != 4) {
        Error((tokens.size() < 4 ? "missing number: expected '" : "too many values: expected '") +
              keyword + " R G B'");
        return;
    }
    uint8_t rgb[3];
    for (int i = 0; i < 3; ++i)
        if (!ReadByte(tokens[1 + i], "colour value", rgb[i]))
            return;
    uint8_t* target = second ? material.secondColour : material.colour;
    for (int i = 0; i < 3; ++i)
        target[i] = rgb[i];
    if (second)
        material.hasSecondColour = true;
}

// map SLOT FILE [uv CHANNEL].
void Parser::NumberedMapLine(const Tokens& tokens) {
    if (tokens.size() < 3) {
        Error("expected 'map SLOT FILE [uv CHANNEL]'");
        return;
    }
    uint8_t slot = 0;
    if (!ReadByte(tokens[1], "map slot", slot))
        return;
    if (slot > 5) {
        Error("map slot " + tokens[1].text + " is not one of 0 to 5");
        return;
    }
    MapLine(tokens, slot, 2, true);
}

// scroll x|y SPEED.
void Parser::ScrollLine(const Tokens& tokens, SourceMaterial& material) {
    if (tokens.size() != 3) {
        Error((tokens.size() < 3 ? "missing value: expected " : "too many values: expected ") +
              std::string("'scroll x|y SPEED'"));
        return;
    }
    const std::string& axis = tokens[1].text;
    if (axis != "x" && axis != "X" && axis != "y" && axis != "Y") {
        Error("scroll axis " + Quote(axis) + " is not x or y");
        return;
    }
    double speed = 0.0;
    if (!ReadNumber(tokens[2], speed))
        return;
    material.scrollAxis = (axis == "x" || axis == "X") ? 'X' : 'Y';
    material.scrollSpeed = static_cast<float>(speed);
}

// uvscale SCALE [channel N].
void Parser::UvScaleLine(const Tokens& tokens, SourceMaterial& material) {
    double scale = 0.0;
    if (tokens.size() == 2) {
        if (ReadPositive(tokens[1], "uvscale", scale))
            material.uvScale = scale;
    } else if (tokens.size() == 4 && tokens[2].text == "channel") {
        uint8_t channel = 0;
        if (!ReadPositive(tokens[1], "uvscale", scale) ||
            !ReadByte(tokens[3], "uv channel", channel))
            return;
        if (channel > kMaxUvChannel) {
            Error("uv channel " + tokens[3].text + " is not one of 0 to 7");
            return;
        }
        if (material.channelUvScale.size() <= channel)
            material.channelUvScale.resize(channel + 1, 0.0);
        material.channelUvScale[channel] = scale;
    } else {
        Error("expected 'uvscale SCALE' or 'uvscale SCALE channel N'");
    }
}

// base/overlay/opacity/reflection FILE [uv N], map SLOT FILE [uv N].
void Parser::MapLine(const Tokens& tokens, int slot, size_t fileIndex, bool allowUv) {
    const std::string& keyword = tokens[0].text;
    const std::string usage =
        keyword + (fileIndex == 2 ? " SLOT" : "") + " FILE" + (allowUv ? " [uv CHANNEL]" : "");
    std::string file;
    if (tokens.size() <= fileIndex) {
        Error("missing texture file name: expected '" + usage + "'");
        return;
    }
    if (!ReadName(tokens, fileIndex, "a texture file name", file))
        return;
    SourceMap map;
    map.slot = slot;
    map.file = file;
    map.line = line_;
    const size_t rest = tokens.size() - fileIndex - 1;
    if (rest == 2 && allowUv && tokens[fileIndex + 1].text == "uv") {
        uint8_t channel = 0;
        if (!ReadByte(tokens[fileIndex + 2], "uv channel", channel))
            return;
        if (channel > kMaxUvChannel) {
            Error("uv channel " + tokens[fileIndex + 2].text + " is not one of 0 to 7");
            return;
        }
        map.uvChannel = channel;
    } else if (rest != 0) {
        Error("unexpected values after the file name: expected '" + usage + "'");
        return;
    }
    SourceMaterial& material = source_.materials.back();
    for (const SourceMap& other : material.maps) {
        if (other.slot == slot) {
            Error("map slot " + std::to_string(slot) + " is already given at line " +
                  std::to_string(other.line));
            return;
        }
    }
    material.maps.push_back(map);
}

void Parser::LightLine(const Tokens& tokens) {
    SourceLight& light = source_.lights.back();
    const std::string& keyword = tokens[0].text;
    if (keyword == "end") {
        if (tokens.size() > 1)
            Error("too many values after 'end'");
        CloseBlock();
    } else if (keyword == "position" || keyword == "direction") {
        if ((keyword == "position") != light.omni) {
            Error(light.omni ? "an omni light has a 'position', not a 'direction'"
                             : "a directional light has a 'direction', not a 'position'");
            return;
        }
        const size_t count = tokens.size() == 4 ? 3 : 2;
        double values[3] = {0.0, 0.0, 0.0};
        if (!ReadNumbers(tokens, 1, count, keyword + " X Y [DEPTH]", values))
            return;
        light.position = {values[0], values[1], values[2]};
        light.hasPosition = true;
        if (!light.omni && values[0] == 0.0 && values[1] == 0.0 && values[2] == 0.0)
            Error("a light direction must not be 0 0 0");
    } else if (keyword == "colour" || keyword == "color") {
        if (tokens.size() != 4) {
            Error(
                (tokens.size() < 4 ? "missing number: expected '" : "too many values: expected '") +
                keyword + " R G B'");
            return;
        }
        for (int i = 0; i < 3; ++i)
            if (!ReadByte(tokens[1 + i], "colour value", light.colour[i]))
                return;
    } else if (keyword == "intensity") {
        double value = 0.0;
        if (!ReadNumbers(tokens, 1, 1, "intensity PERCENT", &value))
            return;
        uint8_t percent = 0;
        if (ReadByte(tokens[1], "intensity", percent))
            light.intensity = percent;
    } else if (keyword == "attenuation") {
        if (!light.omni) {
            Error("only an omni light has an 'attenuation'");
            return;
        }
        double values[2];
        if (!ReadNumbers(tokens, 1, 2, "attenuation START END", values))
            return;
        if (values[0] < 0.0 || !(values[1] > values[0])) {
            Error("attenuation needs 0 <= START < END");
            return;
        }
        light.attenuationStart = values[0];
        light.attenuationEnd = values[1];
    } else {
        Error(InsideBlockHint(keyword, block_, blockLine_));
    }
}

void Parser::OutlineLine(const Tokens& tokens) {
    SourceOutline& outline = source_.outlines.back();
    if (tokens[0].text == "hidden") {
        if (tokens.size() > 1)
            Error("too many values after 'hidden'");
        outline.hidden = true;
        return;
    }
    ExtrusionLine(tokens, outline.extrusion);
}

void Parser::MeshLine(const Tokens& tokens) {
    if (tokens[0].text == "triangle") {
        CheckPolylineDone();
        TriangleLine(tokens);
        return;
    }
    ExtrusionLine(tokens, source_.meshes.back().extrusion);
}

// Lines shared by outline and mesh blocks.
void Parser::ExtrusionLine(const Tokens& tokens, SourceExtrusion& extrusion) {
    const std::string& keyword = tokens[0].text;
    if (keyword == "end") {
        if (tokens.size() > 1)
            Error("too many values after 'end'");
        CloseBlock();
    } else if (!tokens[0].quoted && LooksLikeNumber(keyword)) {
        PointLine(tokens);
    } else if (keyword == "solid" || keyword == "loop" || keyword == "line") {
        CheckPolylineDone();
        SourcePolyline polyline;
        polyline.kind = keyword == "solid"  ? PolylineKind::Solid
                        : keyword == "loop" ? PolylineKind::Loop
                                            : PolylineKind::Line;
        polyline.line = line_;
        extrusion.polylines.push_back(polyline);
        polyline_ = &extrusion.polylines.back();
        if (tokens.size() > 1)
            PointLine(Tokens(tokens.begin() + 1, tokens.end()));
    } else if (keyword == "material") {
        std::string name;
        if (!ReadName(tokens, 1, "a material name", name))
            return;
        if (tokens.size() > 2)
            Error("too many values: expected 'material NAME'");
        extrusion.material = name;
        extrusion.materialLine = line_;
    } else if (keyword == "depth" || keyword == "thickness") {
        double value = 0.0;
        if (ReadNumbers(tokens, 1, 1, keyword + " VALUE", &value) &&
            ReadPositive(tokens[1], keyword.c_str(), value))
            (keyword == "depth" ? extrusion.depth : extrusion.thickness) = value;
    } else if (keyword == "offset") {
        ReadNumbers(tokens, 1, 1, "offset DEPTH", &extrusion.offset);
    } else {
        Error(InsideBlockHint(keyword, block_, blockLine_));
    }
}

// One or more "X Y" pairs added to the current polyline. Repeated points are
// refused: they would make zero-length edges, which have no normal to bounce
// the ball off.
void Parser::PointLine(const Tokens& tokens) {
    if (!polyline_) {
        Error("points must follow 'solid', 'loop' or 'line'");
        return;
    }
    if (tokens.size() % 2 != 0) {
        Error("missing number: points are 'X Y' pairs, found " + std::to_string(tokens.size()) +
              " numbers");
        return;
    }
    for (size_t i = 0; i < tokens.size(); i += 2) {
        SourcePoint2 point;
        if (!ReadNumber(tokens[i], point.x) || !ReadNumber(tokens[i + 1], point.y))
            return;
        std::vector<SourcePoint2>& points = polyline_->points;
        if (!points.empty() && points.back().x == point.x && points.back().y == point.y) {
            Error("point " + tokens[i].text + " " + tokens[i + 1].text +
                  " repeats the previous point");
            continue;
        }
        if (polyline_->Closed() && points.size() >= 2 && points.front().x == point.x &&
            points.front().y == point.y) {
            Error("point " + tokens[i].text + " " + tokens[i + 1].text +
                  " repeats the first point; a closed polyline joins its last point to its "
                  "first by itself");
            continue;
        }
        points.push_back(point);
    }
}

// triangle X Y D  X Y D  X Y D [uv U V  U V  U V]
void Parser::TriangleLine(const Tokens& tokens) {
    const std::string usage = "triangle X Y DEPTH  X Y DEPTH  X Y DEPTH [uv U V  U V  U V]";
    SourceTriangle triangle;
    triangle.line = line_;
    double values[15];
    if (tokens.size() > 10 && tokens[10].text == "uv") {
        if (tokens.size() != 17) {
            Error((tokens.size() < 17 ? "missing number: expected '"
                                      : "too many values: expected '") +
                  usage + "'");
            return;
        }
        for (int i = 0; i < 9; ++i)
            if (!ReadNumber(tokens[1 + i], values[i]))
                return;
        for (int i = 0; i < 6; ++i)
            if (!ReadNumber(tokens[11 + i], values[9 + i]))
                return;
        triangle.hasUv = true;
    } else if (!ReadNumbers(tokens, 1, 9, usage, values)) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        triangle.corners[i] = {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
        if (triangle.hasUv) {
            triangle.uv[i][0] = values[9 + 2 * i];
            triangle.uv[i][1] = values[10 + 2 * i];
        }
    }
    source_.meshes.back().triangles.push_back(triangle);
}

struct KindUsage {
    const char* word;
    PrimitiveKind kind;
    size_t minCount;
    size_t maxCount;
    const char* usage;
};

const KindUsage kKinds[] = {
    {"point", PrimitiveKind::Point, 2, 3, "point X Y [DEPTH]"},
    {"box", PrimitiveKind::Box, 4, 5, "box X1 Y1 X2 Y2 [DEPTH]"},
    {"cube", PrimitiveKind::Cube, 3, 3, "cube X Y EDGE"},
    {"cylinder", PrimitiveKind::Cylinder, 3, 4, "cylinder X Y RADIUS [HEIGHT]"},
    {"sphere", PrimitiveKind::Sphere, 3, 3, "sphere X Y RADIUS"},
};

// primitive NAME KIND numbers...
void Parser::PrimitiveLine(const Tokens& tokens) {
    std::string name;
    if (!ReadName(tokens, 1, "a name and a kind", name))
        return;
    if (tokens.size() < 3) {
        Error("missing kind: expected 'primitive NAME point|box|cube|cylinder|sphere ...'");
        return;
    }
    const KindUsage* usage = nullptr;
    for (const KindUsage& candidate : kKinds)
        if (tokens[2].text == candidate.word)
            usage = &candidate;
    if (!usage) {
        Error("unknown primitive kind " + Quote(tokens[2].text) +
              " (expected point, box, cube, cylinder or sphere)");
        return;
    }
    const size_t found = tokens.size() - 3;
    const std::string fullUsage = std::string("primitive NAME ") + usage->usage;
    if (found < usage->minCount || found > usage->maxCount) {
        Error(std::string(found < usage->minCount ? "missing number" : "too many values") +
              ": expected '" + fullUsage + "'");
        return;
    }
    double values[5] = {0, 0, 0, 0, 0};
    if (!ReadNumbers(tokens, 3, found, fullUsage, values))
        return;
    SourcePrimitive primitive;
    primitive.name = name;
    primitive.line = line_;
    primitive.kind = usage->kind;
    primitive.x = values[0];
    primitive.y = values[1];
    switch (usage->kind) {
        case PrimitiveKind::Point:
            primitive.depth = values[2];
            break;
        case PrimitiveKind::Box:
            primitive.x2 = values[2];
            primitive.y2 = values[3];
            primitive.depth = found == 5 ? values[4] : kDefaultBoxDepth;
            if (!(primitive.depth > 0.0)) {
                Error("box depth must be greater than 0");
                return;
            }
            break;
        case PrimitiveKind::Cube:
        case PrimitiveKind::Sphere:
            primitive.size = values[2];
            break;
        case PrimitiveKind::Cylinder:
            primitive.size = values[2];
            primitive.depth = found == 4 ? values[3] : kDefaultCylinderHeight;
            if (!(primitive.depth >= 0.0)) {
                Error("cylinder height must not be negative");
                return;
            }
            break;
    }
    if (usage->kind != PrimitiveKind::Point && usage->kind != PrimitiveKind::Box &&
        !(primitive.size > 0.0)) {
        Error(std::string(usage->kind == PrimitiveKind::Cube ? "cube edge" : "radius") +
              " must be greater than 0");
        return;
    }
    source_.primitives.push_back(primitive);
}

}  // namespace

bool ParseLevelSource(const std::string& text, const std::string& fileName, LevelSource& source,
                      Diagnostics& diagnostics) {
    const int errorsBefore = diagnostics.ErrorCount();
    source.file = fileName;
    Parser parser(fileName, source, diagnostics);
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;  // UTF-8 byte order mark
    int number = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++number;
        parser.ParseLine(number, text.substr(start, end - start));
        start = end + 1;
    }
    parser.Finish();
    return diagnostics.ErrorCount() == errorsBefore;
}

bool ReadLevelSourceFile(const std::string& path, LevelSource& source, Diagnostics& diagnostics) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        diagnostics.Error(path, 0, "cannot open the level source");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        diagnostics.Error(path, 0, "cannot read the level source");
        return false;
    }
    return ParseLevelSource(text.str(), path, source, diagnostics);
}
