#include "tools/isa/source_reader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/isa_table.h"
#include "tools/isa/lexer.h"
#include "util/strfmt.h"

namespace isa {

namespace fs = std::filesystem;

namespace {

bool IdentStartChar(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '@';
}
bool IdentChar(char c) {
    return IdentStartChar(c) || std::isdigit(static_cast<unsigned char>(c));
}

// Tokens of a line; a line the lexer refuses gives the tokens before the fault (the
// assembler reports the fault itself).
std::vector<Token> Tokens(std::string_view text) {
    std::vector<Token> t;
    Tokenize(text, t);
    return t;
}

bool HasLabel(const std::vector<Token>& t) {
    return t.size() >= 2 && t[0].kind == Tok::Ident && IsPunct(t[1], ":");
}

// Index of the first token after a label.
size_t FirstWord(const std::vector<Token>& t) {
    return HasLabel(t) ? 2 : 0;
}

// Skips a quoted literal starting at text[i] (the quote); returns the index after it.
size_t SkipQuoted(std::string_view text, size_t i) {
    char q = text[i++];
    while (i < text.size() && text[i] != q) {
        if (text[i] == '\\') ++i;
        ++i;
    }
    return std::min(text.size(), i + 1);
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Macro arguments: split at commas outside parentheses and quotes, up to a comment.
std::vector<std::string> SplitArgs(std::string_view text) {
    std::vector<std::string> args;
    std::string current;
    int depth = 0;
    bool any = false;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == ';') break;
        if (c == '"' || c == '\'') {
            size_t j = SkipQuoted(text, i);
            current += std::string(text.substr(i, j - i));
            i = j;
            any = true;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            args.push_back(Trim(current));
            current.clear();
        } else {
            current += c;
            if (c != ' ' && c != '\t') any = true;
        }
        ++i;
    }
    if (any || !args.empty()) args.push_back(Trim(current));
    return args;
}

// The body line with parameters replaced and '@' names made private to use number n.
std::string Substitute(std::string_view text, const std::vector<std::string>& params,
                       const std::vector<std::string>& args, int n) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        if (c == ';') {
            out += std::string(text.substr(i));
            break;
        }
        if (c == '"' || c == '\'') {
            size_t j = SkipQuoted(text, i);
            out += std::string(text.substr(i, j - i));
            i = j;
            continue;
        }
        if (!IdentChar(c)) {
            out += c;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && IdentChar(text[j]))
            ++j;
        std::string word(text.substr(i, j - i));
        i = j;
        if (std::isdigit(static_cast<unsigned char>(word[0]))) {
            out += word;
            continue;
        }
        size_t p = 0;
        while (p < params.size() && params[p] != word)
            ++p;
        if (p < params.size()) {
            const std::string& a = args[p];
            out += Tokens(a).size() > 1 ? "(" + a + ")" : a;
        } else if (word[0] == '@') {
            out += word + "." + std::to_string(n);
        } else {
            out += word;
        }
    }
    return out;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& why) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        why = "cannot open '" + path + "'";
        return false;
    }
    auto size = fs::file_size(path, ec);
    if (ec || size > SourceReader::kMaxFileBytes) {
        why = ec ? "cannot read '" + path + "'"
                 : "'" + path + "' is too large for a source file (256 MiB at most)";
        return false;
    }
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    if (!f && !f.eof()) {
        why = "cannot read '" + path + "'";
        return false;
    }
    text = s.str();
    return true;
}

std::string Canonical(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::path(path), ec);
    return ec ? fs::path(path).lexically_normal().string() : p.string();
}

}  // namespace

bool IsReservedWord(const std::string& w) {
    static const char* const kWords[] = {"org", "dw",    "db",   "ds",  "align",
                                         "equ", "macro", "endm", "mov", "include"};
    for (const char* k : kWords)
        if (w == k) return true;
    return FindInstr(w) != nullptr;
}

void Diagnostics::Error(const std::string& message) {
    if (m_full) return;
    m_messages.push_back(message);
    if (m_messages.size() == kLimit) {
        m_messages.push_back("too many errors; stopping");
        m_full = true;
    }
}

const std::string* SourceSet::AddFile(const std::string& name) {
    m_files.push_back(name);
    return &m_files.back();
}

std::string_view SourceSet::Keep(std::string text) {
    m_texts.push_back(std::move(text));
    return m_texts.back();
}

std::string SourceSet::Where(const SourceLoc& loc) {
    return StrFormat("%s:%d", loc.file ? loc.file->c_str() : "?", loc.line);
}

std::string SourceSet::Message(const SourceLine& line, const std::string& reason) const {
    std::string m = Where(line.loc) + ": " + reason;
    if (line.context >= 0) m += " (" + ContextNote(line.context) + ")";
    return m;
}

std::string SourceSet::ContextNote(int context) const {
    std::vector<int> chain;
    for (int c = context; c >= 0; c = m_contexts[size_t(c)].parent)
        chain.push_back(c);
    std::string note;
    for (size_t i = 0; i < chain.size(); ++i) {
        if (chain.size() > 3 && i == 2) {
            note += ", ...";
            i = chain.size() - 1;
        }
        note += (note.empty() ? "" : ", ") + m_contexts[size_t(chain[i])].note;
    }
    return note;
}

void SourceReader::Error(const SourceLine& line, const std::string& reason) {
    m_diag.Error(m_set.Message(line, reason));
}

void SourceReader::ReadFile(const std::string& path, std::vector<SourceLine>& out) {
    std::string text, why;
    if (!ReadWholeFile(path, text, why)) {
        m_diag.Error(why);
        return;
    }
    ReadText(std::move(text), path, out);
}

void SourceReader::ReadText(std::string text, const std::string& name,
                            std::vector<SourceLine>& out) {
    m_includeStack.push_back(Canonical(name));
    ReadLines(std::move(text), m_set.AddFile(name), out);
    m_includeStack.pop_back();
}

void SourceReader::ReadLines(std::string text, const std::string* file,
                             std::vector<SourceLine>& out) {
    std::string_view all = m_set.Keep(std::move(text));
    std::vector<SourceLine> lines;
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find('\n', at);
        if (end == std::string_view::npos) end = all.size();
        std::string_view s = all.substr(at, end - at);
        if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
        lines.push_back({s, {file, int(lines.size()) + 1}, -1});
        at = end + 1;
    }
    out.reserve(out.size() + lines.size());
    for (size_t i = 0; i < lines.size() && !m_tooLong && !m_diag.Full(); ++i) {
        std::vector<Token> t = Tokens(lines[i].text);
        size_t k = FirstWord(t);
        if (k < t.size() && IsWord(t[k], "macro")) {
            if (k) Error(lines[i], "a macro definition cannot have a label");
            i = Define(lines, i);
            continue;
        }
        Line(lines[i], 0, out);
    }
}

size_t SourceReader::Define(const std::vector<SourceLine>& lines, size_t i) {
    const SourceLine& head = lines[i];
    std::vector<Token> t = Tokens(head.text);
    size_t k = FirstWord(t);
    Macro m;
    m.defined = head.loc;
    bool ok = true;
    if (k + 1 >= t.size() || t[k + 1].kind != Tok::Ident) {
        Error(head, "macro needs a name");
        ok = false;
    } else {
        m.name = t[k + 1].text;
        std::string lower = Lower(m.name);
        if (IsReservedWord(lower)) {
            Error(head,
                  "'" + m.name + "' is an instruction or directive; a macro cannot take its name");
            ok = false;
        } else if (auto it = m_macros.find(lower); it != m_macros.end()) {
            Error(head, "macro '" + m.name + "' is already defined at " +
                            SourceSet::Where(it->second.defined));
            ok = false;
        }
        for (size_t p = k + 2; ok && p < t.size(); p += 2) {
            const Token& name = t[p];
            bool valid = name.kind == Tok::Ident && name.text[0] != '.' && name.text[0] != '@';
            if (!valid) {
                Error(head, "bad macro parameter '" + name.text + "'");
                ok = false;
            } else if (std::find(m.params.begin(), m.params.end(), name.text) != m.params.end()) {
                Error(head, "parameter '" + name.text + "' is listed twice");
                ok = false;
            } else {
                m.params.push_back(name.text);
            }
            if (ok && p + 1 < t.size() && !IsPunct(t[p + 1], ",")) {
                Error(head, "macro parameters are separated by commas");
                ok = false;
            }
        }
    }
    size_t j = i + 1;
    for (; j < lines.size(); ++j) {
        std::vector<Token> b = Tokens(lines[j].text);
        size_t bk = FirstWord(b);
        if (bk < b.size() && IsWord(b[bk], "endm")) {
            if (bk || b.size() > 1) Error(lines[j], "endm stands on a line of its own");
            break;
        }
        if (bk < b.size() && IsWord(b[bk], "macro")) {
            Error(lines[j], "a macro cannot be defined inside another macro");
            ok = false;
            continue;
        }
        m.body.push_back(lines[j]);
    }
    if (j == lines.size()) {
        Error(head, "macro '" + m.name + "' has no endm");
        return j;
    }
    if (ok) m_macros[Lower(m.name)] = std::move(m);
    return j;
}

void SourceReader::Line(SourceLine line, int depth, std::vector<SourceLine>& out) {
    if (m_tooLong || m_diag.Full()) return;
    std::vector<Token> t = Tokens(line.text);
    if (line.context < 0) {
        for (const Token& tok : t) {
            if (tok.kind == Tok::Ident && tok.text[0] == '@') {
                Error(line, "'" + tok.text + "': names starting with '@' belong in macro bodies");
                return;
            }
        }
    }
    size_t k = FirstWord(t);
    if (k < t.size() && t[k].kind == Tok::Ident) {
        std::string word = Lower(t[k].text);
        if (word == "include") {
            if (k) {
                Error(line, "an include line cannot have a label");
            } else if (t.size() != 2 || t[1].kind != Tok::String) {
                Error(line, "include needs one file name in double quotes");
            } else {
                Include(line, t[1].text, out);
            }
            return;
        }
        if (word == "endm") {
            Error(line, "endm without macro");
            return;
        }
        if (word == "macro") {
            Error(line, "a macro cannot be defined inside another macro");
            return;
        }
        if (auto it = m_macros.find(word); it != m_macros.end()) {
            if (k) out.push_back({m_set.Keep(t[0].text + ":"), line.loc, line.context});
            size_t argsAt = t[k].pos + t[k].text.size();
            Expand(it->second, line, line.text.substr(argsAt), depth, out);
            return;
        }
    }
    out.push_back(std::move(line));
    if (out.size() > kMaxLines) {
        m_diag.Error(StrFormat("the source expands to more than %zu lines", kMaxLines));
        m_tooLong = true;
    }
}

void SourceReader::Expand(const Macro& m, const SourceLine& use, std::string_view argText,
                          int depth, std::vector<SourceLine>& out) {
    if (depth >= kMaxMacroDepth) {
        Error(use, StrFormat("macros nested more than %d deep (does '%s' use itself?)",
                             kMaxMacroDepth, m.name.c_str()));
        return;
    }
    std::vector<std::string> args = SplitArgs(argText);
    if (args.size() != m.params.size()) {
        Error(use, StrFormat("macro '%s' takes %zu argument%s, %zu given", m.name.c_str(),
                             m.params.size(), m.params.size() == 1 ? "" : "s", args.size()));
        return;
    }
    int n = ++m_expansions;
    int context = m_set.AddContext("in macro '" + m.name + "' used at " + SourceSet::Where(use.loc),
                                   use.context);
    for (const SourceLine& b : m.body) {
        std::string text = Substitute(b.text, m.params, args, n);
        if (text.size() > kMaxLineLength) {
            Error(use, StrFormat("macro '%s' makes a line longer than %zu characters",
                                 m.name.c_str(), kMaxLineLength));
            return;
        }
        Line({m_set.Keep(std::move(text)), b.loc, context}, depth + 1, out);
    }
}

void SourceReader::Include(const SourceLine& line, const std::string& path,
                           std::vector<SourceLine>& out) {
    if (int(m_includeStack.size()) > kMaxIncludeDepth) {
        Error(line, StrFormat("includes nested more than %d deep", kMaxIncludeDepth));
        return;
    }
    std::vector<fs::path> candidates;
    fs::path p(path);
    if (p.is_absolute()) {
        candidates.push_back(p);
    } else {
        candidates.push_back(fs::path(*line.loc.file).parent_path() / p);
        for (const std::string& dir : m_includeDirs)
            candidates.push_back(fs::path(dir) / p);
    }
    std::error_code ec;
    for (const fs::path& c : candidates) {
        if (!fs::is_regular_file(c, ec)) continue;
        std::string name = c.lexically_normal().string();
        std::string canonical = Canonical(name);
        for (const std::string& open : m_includeStack) {
            if (open == canonical) {
                Error(line, "include cycle: '" + name + "' is already being read");
                return;
            }
        }
        std::string text, why;
        if (!ReadWholeFile(name, text, why)) {
            Error(line, why);
            return;
        }
        m_includeStack.push_back(canonical);
        ReadLines(std::move(text), m_set.AddFile(name), out);
        m_includeStack.pop_back();
        return;
    }
    Error(line, "cannot find include file '" + path + "'");
}

}  // namespace isa
