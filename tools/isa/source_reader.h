// SourceReader: turns a source file into the list of lines the assembler's passes read,
// with include files inserted and macros expanded.
//
//   include "file.inc"       the file's lines, in place; the path is taken relative to the
//                            including file's folder, then to each include folder (-I)
//   macro name a, b          defines a macro up to the next endm; a use "name x, y" is
//   ...                      replaced by the body with each parameter replaced by its
//   endm                     argument (an argument of more than one token in parentheses),
//                            and every name starting with '@' made private to that use
//
// Every line keeps where it came from (file and line, and for macro lines the use that
// expanded them), so that messages read "file:line: reason (in macro 'm' used at f:l)".
// Faults (a missing file, an include cycle, a macro without endm, nesting too deep) are
// reported through the diagnostics and the offending line is dropped.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace isa {

struct SourceLoc {
    const std::string* file = nullptr;
    int line = 0;
};

struct SourceLine {
    std::string_view text;  // held by the SourceSet
    SourceLoc loc;
    int context = -1;  // macro use that produced the line (SourceSet::AddContext), -1: none
};

// Collects error messages, up to a limit.
class Diagnostics {
public:
    static constexpr size_t kLimit = 100;
    void Error(const std::string& message);
    bool HasErrors() const { return !m_messages.empty(); }
    bool Full() const { return m_full; }
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
    bool m_full = false;
};

// The file names and macro-use notes that SourceLines point into.
class SourceSet {
public:
    const std::string* AddFile(const std::string& name);
    // Keeps text for the life of the set (file contents, expanded macro lines).
    std::string_view Keep(std::string text);
    // A macro use: its own note and the use it sits in (-1 for none).
    int AddContext(const std::string& note, int parent) {
        m_contexts.push_back({note, parent});
        return int(m_contexts.size()) - 1;
    }
    // "in macro 'm' used at f:l, in macro 'n' used at f:l"; a chain deeper than three shows
    // the two innermost uses and the outermost.
    std::string ContextNote(int context) const;
    // "file:line"
    static std::string Where(const SourceLoc& loc);
    // "file:line: reason", with the macro note when the line comes from a macro.
    std::string Message(const SourceLine& line, const std::string& reason) const;

private:
    struct Context {
        std::string note;
        int parent;
    };
    std::deque<std::string> m_files;
    std::deque<std::string> m_texts;
    std::vector<Context> m_contexts;
};

class SourceReader {
public:
    static constexpr int kMaxIncludeDepth = 32;
    static constexpr int kMaxMacroDepth = 64;
    static constexpr size_t kMaxLines = 4'000'000;
    static constexpr size_t kMaxFileBytes = 256u << 20;
    static constexpr size_t kMaxLineLength = 65536;  // of a line made by a macro

    SourceReader(SourceSet& set, Diagnostics& diag, std::vector<std::string> includeDirs)
        : m_set(set), m_diag(diag), m_includeDirs(std::move(includeDirs)) {}

    // Appends the lines of the file (or of text standing for a file of that name).
    void ReadFile(const std::string& path, std::vector<SourceLine>& out);
    void ReadText(std::string text, const std::string& name, std::vector<SourceLine>& out);

private:
    struct Macro {
        std::string name;
        std::vector<std::string> params;
        std::vector<SourceLine> body;
        SourceLoc defined;
    };

    void ReadLines(std::string text, const std::string* file, std::vector<SourceLine>& out);
    // Reads a macro definition starting at lines[i]; returns the index of its endm line.
    size_t Define(const std::vector<SourceLine>& lines, size_t i);
    void Line(SourceLine line, int depth, std::vector<SourceLine>& out);
    void Include(const SourceLine& line, const std::string& path, std::vector<SourceLine>& out);
    void Expand(const Macro& m, const SourceLine& use, std::string_view args, int depth,
                std::vector<SourceLine>& out);
    void Error(const SourceLine& line, const std::string& reason);

    SourceSet& m_set;
    Diagnostics& m_diag;
    std::vector<std::string> m_includeDirs;
    std::vector<std::string> m_includeStack;  // canonical paths of the files being read
    std::map<std::string, Macro> m_macros;    // by lower-case name
    bool m_tooLong = false;
    int m_expansions = 0;
};

// True for the words the reader and the assembler give a meaning of their own.
bool IsReservedWord(const std::string& lowerWord);

}  // namespace isa
