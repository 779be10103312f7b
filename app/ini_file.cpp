#include "app/ini_file.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "app/ini_text.h"
#include "util/file_bytes.h"
#include "util/platform.h"

using namespace ini_text;

namespace {

constexpr size_t kMaxMacroPart = 62;
constexpr size_t kMaxEnumName = 63;

using MacroTable = std::unordered_map<std::string, std::string>;

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string_view::npos ? text.size() : nl;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (nl == std::string_view::npos) {
            if (!line.empty()) lines.emplace_back(line);
            break;
        }
        lines.emplace_back(line);
        start = nl + 1;
    }
    return lines;
}

std::vector<std::string> JoinContinuations(const std::vector<std::string>& raw) {
    std::vector<std::string> out;
    std::string pending;
    bool continuing = false;
    for (const std::string& line : raw) {
        std::string_view t = TrimRight(line);
        if (!t.empty() && t.back() == '\\') {
            pending.append(t.substr(0, t.size() - 1));
            continuing = true;
            continue;
        }
        if (continuing) {
            pending.append(line);
            out.push_back(std::move(pending));
            pending.clear();
            continuing = false;
        } else {
            out.push_back(line);
        }
    }
    if (continuing) out.push_back(std::move(pending));
    return out;
}

// A "#define NAME VALUE" line adds its macro and returns true.
bool TakeDefinition(std::string_view line, MacroTable& macros) {
    std::string_view t = Trim(StripComment(line));
    if (t.substr(0, 7) != "#define" || t.size() < 8 || (t[7] != ' ' && t[7] != '\t')) return false;
    auto words = Words(t.substr(7));
    if (words.size() < 2 || words[0].size() > kMaxMacroPart || words[1].size() > kMaxMacroPart)
        return false;
    macros[std::string(words[0])] = std::string(words[1]);
    return true;
}

bool StartsEnum(std::string_view line) {
    return Trim(StripComment(line)).substr(0, 5) == "enum ";
}

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

void TakeEnumerator(std::string_view line, int& counter, MacroTable& macros) {
    std::string_view t = Trim(StripComment(line));
    if (t.empty() || !IsNameStart(t[0])) return;
    if (t.back() == ',') t = Trim(t.substr(0, t.size() - 1));
    std::string_view name = t;
    int value = counter;
    size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
        name = Trim(t.substr(0, eq));
        value = TruncToInt(ToNumber(t.substr(eq + 1)));
    }
    if (name.empty() || name.size() > kMaxEnumName ||
        name.find_first_of(" \t") != std::string_view::npos)
        return;
    macros[std::string(name)] = std::to_string(value);
    counter = value == INT32_MAX ? value : value + 1;
}

// Parses and empties the enumeration blocks. false after an enumeration error.
bool TakeEnumerations(std::vector<std::string>& lines, MacroTable& macros) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!StartsEnum(lines[i])) continue;
        if (i + 1 == lines.size()) {
            ShowError("enum declaration error !");
            return false;
        }
        int counter = 0;
        size_t j = i + 1;
        for (; j < lines.size(); ++j) {
            std::string_view t = Trim(StripComment(lines[j]));
            if (!t.empty() && t[0] == '}') break;
            TakeEnumerator(lines[j], counter, macros);
        }
        size_t last = j < lines.size() ? j : lines.size() - 1;
        for (size_t k = i; k <= last; ++k)
            lines[k].clear();
        i = last;
    }
    return true;
}

void SubstituteMacros(std::string& line, const MacroTable& macros) {
    std::string_view body = StripComment(line);
    size_t eq = body.find('=');
    std::string_view head = Trim(body);
    if (eq == std::string_view::npos || (!head.empty() && head[0] == '[')) return;
    std::string out(body.substr(0, eq + 1));
    bool changed = false;
    bool first = true;
    for (std::string_view piece : SplitValues(body.substr(eq + 1))) {
        if (!first) out += ',';
        first = false;
        std::string_view name = Trim(piece);
        auto it = name.empty() || name[0] < 'A' || name[0] > 'Z' ? macros.end()
                                                                 : macros.find(std::string(name));
        if (it == macros.end()) {
            out.append(piece);
            continue;
        }
        size_t lead = size_t(name.data() - piece.data());
        out.append(piece.substr(0, lead));
        out += it->second;
        out.append(piece.substr(lead + name.size()));
        changed = true;
    }
    if (changed) line = std::move(out);
}

}  // namespace

void CIniFile::LoadText(std::string_view text, CIni& ini) {
    ini.Clear();
    MacroTable macros;
    std::vector<std::string> lines;
    for (std::string& line : JoinContinuations(SplitLines(text)))
        if (!TakeDefinition(line, macros)) lines.push_back(std::move(line));
    if (TakeEnumerations(lines, macros) && !macros.empty())
        for (std::string& line : lines)
            SubstituteMacros(line, macros);
    ini.SetLines(std::move(lines));
    ini.SetLoaded(true);
}

int CIniFile::Load(const std::string& path, CIni& ini) {
    CBuf bytes;
    if (ReadFileBytes(path, bytes) != FileRead::Ok) return 0;
    LoadText(
        std::string_view(reinterpret_cast<const char*>(bytes.Data()), size_t(bytes.TotalBytes())),
        ini);
    return 1;
}
