#include "tools/isa/assembler.h"

#include <limits>
#include <optional>
#include <unordered_map>

#include "core/isa_table.h"
#include "tools/isa/expression.h"
#include "tools/isa/lexer.h"
#include "tools/isa/listing.h"
#include "tools/isa/operand_encoder.h"
#include "tools/isa/register_names.h"
#include "tools/isa/source_reader.h"
#include "util/strfmt.h"

namespace isa {

namespace {

constexpr size_t kNoStatement = std::numeric_limits<size_t>::max();

// One source line after expansion. Statements stay small (a firmware image of 2M words
// disassembles to more than two million lines); each pass tokenizes its line again.
struct Statement {
    enum Kind : uint8_t { Empty, Instr, Mov, Org, Dw, Db, Ds, Align, Equ };
    uint32_t line = 0;
    uint32_t address = 0;
    uint32_t words = 0;
    uint32_t scope = 0;     // index of the enclosing global label's name (Assembler::m_scopes)
    int32_t label = -1;     // symbol defined by a label here (index into Assembler::m_order)
    int32_t constant = -1;  // symbol defined by equ here
    const InstrDesc* desc = nullptr;
    Kind kind = Empty;
    uint8_t opStart = 0;  // token index of the first operand
    bool bad = false;     // refused: no code is produced for it
    bool placed = false;  // laid out by the first pass
};

// The tokens and operand ranges of one statement's line.
struct Parsed {
    std::vector<Token> tokens;
    std::vector<std::pair<size_t, size_t>> ops;
};

struct Sym {
    int64_t value = 0;
    bool known = false;
    SymbolKind kind = SymbolKind::Label;
    size_t stmt = kNoStatement;  // defining statement; kNoStatement for a command-line define
};

class Assembler {
public:
    explicit Assembler(const AsmOptions& o) : m_options(o) {
        m_env.lookup = [this](const std::string& n) { return Lookup(n); };
        m_scopes.push_back("");
    }

    AsmResult Run(const std::string* text, const std::string& name) {
        SourceReader reader(m_set, m_diag, m_options.includeDirs);
        if (text) {
            reader.ReadText(*text, name, m_lines);
        } else {
            reader.ReadFile(name, m_lines);
        }
        for (const auto& [n, v] : m_options.defines) {
            m_symbols[n] = {v, true, SymbolKind::Equ, kNoStatement};
            m_order.push_back(n);
        }
        if (!m_diag.Full()) ParseAll();
        if (!m_diag.Full()) Layout();
        if (!m_diag.Full()) ResolveConstants();
        if (!m_diag.Full()) Emit();
        AsmResult r;
        r.errors = m_diag.Messages();
        r.ok = r.errors.empty();
        for (const std::string& n : m_order) {
            const Sym& sym = m_symbols[n];
            if (sym.known) r.symbols.Add(n, sym.value, sym.kind);
        }
        if (m_options.listing) r.listing = Listing(name);
        r.image = std::move(m_image);
        return r;
    }

private:
    // ---- messages ----
    void Error(const Statement& s, const std::string& reason) {
        m_diag.Error(m_set.Message(m_lines[s.line], reason));
    }
    void Refuse(Statement& s, const std::string& reason) {
        if (s.bad) return;
        Error(s, reason);
        s.bad = true;
    }
    bool Fail(Statement& s, const std::string& reason) {
        Refuse(s, reason);
        return false;
    }
    std::string DefinedAt(const Sym& sym) const {
        if (sym.stmt == kNoStatement) return "the command line";
        return SourceSet::Where(m_lines[m_stmts[sym.stmt].line].loc);
    }
    size_t Index(const Statement& s) const { return size_t(&s - m_stmts.data()); }

    // ---- symbols ----
    std::optional<int64_t> Lookup(const std::string& name) const {
        auto it = m_symbols.find(name);
        if (it != m_symbols.end()) {
            if (it->second.known) return it->second.value;
            return std::nullopt;
        }
        return BuiltinValue(name);
    }
    // Registers a name defined by statement s; -1 (and a message) when it is taken.
    int32_t Declare(Statement& s, const std::string& name, SymbolKind kind) {
        auto it = m_symbols.find(name);
        if (it != m_symbols.end()) {
            Refuse(s, "duplicate symbol '" + name + "' (first defined at " + DefinedAt(it->second) +
                          ")");
            return -1;
        }
        m_symbols[name] = {0, false, kind, Index(s)};
        m_order.push_back(name);
        return int32_t(m_order.size() - 1);
    }
    void Define(int32_t symbol, int64_t value) {
        Sym& sym = m_symbols[m_order[size_t(symbol)]];
        sym.value = value;
        sym.known = true;
    }

    // ---- tokens ----
    // Tokenizes the statement's line again and finds its operands (already checked by
    // ParseAll, so this cannot fail for a statement that is not bad).
    const Parsed& Reparse(const Statement& s) {
        m_parsed.tokens.clear();
        m_parsed.ops.clear();
        Tokenize(m_lines[s.line].text, m_parsed.tokens);
        SplitOperands(m_parsed, s.opStart);
        return m_parsed;
    }
    // Operands from token `from` on, split at commas outside parentheses. Returns "" or why
    // they cannot be split.
    static std::string SplitOperands(Parsed& p, size_t from) {
        const std::vector<Token>& t = p.tokens;
        if (from >= t.size()) return "";
        int depth = 0;
        size_t start = from;
        for (size_t i = from; i <= t.size(); ++i) {
            if (i < t.size()) {
                if (IsPunct(t[i], "(")) ++depth;
                if (IsPunct(t[i], ")")) --depth;
                if (!IsPunct(t[i], ",") || depth != 0) continue;
            }
            if (i == start) return "empty operand";
            p.ops.push_back({start, i});
            start = i + 1;
        }
        return "";
    }

    // ---- expressions ----
    EvalResult Eval(const Statement& s, const Parsed& p, std::pair<size_t, size_t> range) {
        m_env.scope = m_scopes[s.scope];
        m_env.here = s.address;
        const Token* base = p.tokens.data();
        return Evaluate(base + range.first, base + range.second, m_env);
    }
    // A value the first pass needs at once (org, ds, align).
    std::optional<int64_t> EvalNow(Statement& s, const Parsed& p, std::pair<size_t, size_t> range,
                                   const char* what) {
        EvalResult r = Eval(s, p, range);
        if (r.status == EvalResult::Error) {
            Refuse(s, r.message);
            return std::nullopt;
        }
        if (r.status == EvalResult::Undefined) {
            Refuse(s, StrFormat("%s needs a value known at this point; '%s' is not defined "
                                "before this line",
                                what, r.message.c_str()));
            return std::nullopt;
        }
        return r.value;
    }
    // A value of the second pass: every symbol is known by now.
    std::optional<int64_t> EvalFinal(Statement& s, const Parsed& p,
                                     std::pair<size_t, size_t> range) {
        EvalResult r = Eval(s, p, range);
        if (r.status == EvalResult::Ok) return r.value;
        if (r.status == EvalResult::Error) {
            Refuse(s, r.message);
        } else if (m_symbols.count(r.message)) {
            s.bad = true;  // a symbol whose own definition was refused and reported
        } else {
            Refuse(s, "undefined symbol '" + r.message + "'");
        }
        return std::nullopt;
    }

    // ---- phase 0: statements ----
    void ParseAll() {
        m_stmts.resize(m_lines.size());
        Parsed p;
        for (size_t i = 0; i < m_lines.size() && !m_diag.Full(); ++i) {
            Statement& s = m_stmts[i];
            s.line = uint32_t(i);
            p.tokens.clear();
            p.ops.clear();
            if (std::string why = Tokenize(m_lines[i].text, p.tokens); !why.empty()) {
                Refuse(s, why);
                continue;
            }
            Parse(s, p);
        }
    }

    void Parse(Statement& s, Parsed& p) {
        const std::vector<Token>& t = p.tokens;
        size_t k = 0;
        std::string label;
        if (t.size() >= 2 && t[0].kind == Tok::Ident && IsPunct(t[1], ":")) {
            const std::string& raw = t[0].text;
            label = QualifyName(raw, m_scopes.back());
            if (raw.find('.') == std::string::npos && raw[0] != '@') m_scopes.push_back(raw);
            k = 2;
        }
        s.scope = uint32_t(m_scopes.size() - 1);
        if (!label.empty()) s.label = Declare(s, label, SymbolKind::Label);
        if (k == t.size()) return;
        if (t[k].kind == Tok::Ident && k + 1 < t.size() && IsWord(t[k + 1], "equ")) {
            s.kind = Statement::Equ;
            if (k) return Refuse(s, "a line with equ cannot also define a label");
            if (!SetOperands(s, p, 2)) return;
            if (p.ops.size() != 1) return Refuse(s, "equ takes one value");
            s.constant = Declare(s, QualifyName(t[0].text, m_scopes.back()), SymbolKind::Equ);
            return;
        }
        if (t[k].kind != Tok::Ident)
            return Refuse(s, "expected an instruction or directive, found '" + t[k].text + "'");
        ParseOperation(s, p, k);
    }

    bool SetOperands(Statement& s, Parsed& p, size_t from) {
        if (from > 255) return Fail(s, "too many tokens before the operands");
        s.opStart = uint8_t(from);
        if (std::string why = SplitOperands(p, from); !why.empty()) return Fail(s, why);
        return true;
    }

    void ParseOperation(Statement& s, Parsed& p, size_t k) {
        const std::string& word = p.tokens[k].text;
        std::string lower = Lower(word);
        if (lower == "equ") return Refuse(s, "equ needs a name before it");
        static const std::pair<const char*, Statement::Kind> kDirectives[] = {
            {"org", Statement::Org}, {"dw", Statement::Dw},       {"db", Statement::Db},
            {"ds", Statement::Ds},   {"align", Statement::Align}, {"mov", Statement::Mov}};
        s.kind = Statement::Empty;
        for (const auto& [d, kind] : kDirectives)
            if (lower == d) s.kind = kind;
        if (s.kind == Statement::Empty) {
            s.desc = FindInstr(lower);
            if (!s.desc) {
                bool alone = k + 1 == p.tokens.size() && k == 0;
                return Refuse(s, "unknown mnemonic '" + word + "'" +
                                     (alone ? " (a label needs a colon after it)" : ""));
            }
            s.kind = Statement::Instr;
        }
        if (!SetOperands(s, p, k + 1)) return;
        size_t n = p.ops.size();
        switch (s.kind) {
            case Statement::Instr:
                if (n != size_t(s.desc->fieldCount)) {
                    if (s.desc->fieldCount == 0)
                        return Refuse(s, StrFormat("%s takes no operands", s.desc->mnemonic));
                    return Refuse(
                        s, StrFormat("%s takes %d operand%s (%s), %zu given", s.desc->mnemonic,
                                     s.desc->fieldCount, s.desc->fieldCount == 1 ? "" : "s",
                                     OperandLetters(*s.desc).c_str(), n));
                }
                break;
            case Statement::Mov:
                if (n != 2)
                    return Refuse(s, StrFormat("mov takes 2 operands (d, s), %zu given", n));
                break;
            case Statement::Org:
                if (n != 1) return Refuse(s, "org takes one address");
                break;
            case Statement::Dw:
            case Statement::Db:
                if (n == 0) return Refuse(s, lower + " needs at least one value");
                break;
            case Statement::Ds:
            case Statement::Align:
                if (n < 1 || n > 2)
                    return Refuse(s, lower + " takes a count and an optional fill value");
                break;
            default:
                break;
        }
        for (auto [b, e] : p.ops) {
            bool isString = e - b == 1 && p.tokens[b].kind == Tok::String;
            if (isString && s.kind != Statement::Db)
                return Refuse(s, "a string can only stand in db");
        }
        if (s.kind == Statement::Db) s.words = DbWords(p);
        if (s.kind == Statement::Dw) s.words = uint32_t(n);
    }

    static uint32_t DbWords(const Parsed& p) {
        size_t bytes = 0;
        for (auto [b, e] : p.ops)
            bytes += (e - b == 1 && p.tokens[b].kind == Tok::String) ? p.tokens[b].text.size() : 1;
        return uint32_t((bytes + 1) / 2);
    }

    // ---- phase 1: addresses ----
    void Layout() {
        uint32_t addr = 0;
        for (Statement& s : m_stmts) {
            if (m_diag.Full()) return;
            s.address = addr;
            if (s.kind == Statement::Org && !s.bad) {
                const Parsed& p = Reparse(s);
                if (std::optional<int64_t> v = EvalNow(s, p, p.ops[0], "org")) {
                    if (*v < 0 || *v >= int64_t(kProgramWords)) {
                        Refuse(s, StrFormat("org 0x%llx is outside program memory "
                                            "(0x000000-0x1fffff)",
                                            static_cast<unsigned long long>(*v)));
                    } else {
                        addr = s.address = uint32_t(*v);
                    }
                }
            }
            if (s.label >= 0) Define(s.label, s.address);
            s.words = Size(s);
            if (uint64_t(addr) + s.words > kProgramWords) {
                Refuse(s, "the program runs past the end of program memory (0x1fffff)");
                return;
            }
            s.placed = true;
            addr += s.words;
            if (s.constant >= 0) {
                const Parsed& p = Reparse(s);
                EvalResult r = Eval(s, p, p.ops[0]);
                if (r.status == EvalResult::Error) {
                    Refuse(s, r.message);
                } else if (r.status == EvalResult::Ok) {
                    Define(s.constant, r.value);
                } else {
                    m_deferred.push_back(Index(s));
                }
            }
        }
    }

    uint32_t Size(Statement& s) {
        switch (s.kind) {
            case Statement::Instr:
                return s.desc->length;
            case Statement::Mov:
                return 1;
            case Statement::Dw:
            case Statement::Db:
                return s.words;  // counted by Parse
            case Statement::Ds:
            case Statement::Align: {
                if (s.bad) return 0;
                bool ds = s.kind == Statement::Ds;
                const Parsed& p = Reparse(s);
                std::optional<int64_t> n = EvalNow(s, p, p.ops[0], ds ? "ds" : "align");
                if (!n) return 0;
                if (*n < (ds ? 0 : 1) || *n > int64_t(kProgramWords)) {
                    Refuse(s,
                           StrFormat("%s count %lld is outside %d..0x200000", ds ? "ds" : "align",
                                     static_cast<long long>(*n), ds ? 0 : 1));
                    return 0;
                }
                if (ds) return uint32_t(*n);
                return uint32_t((*n - s.address % *n) % *n);
            }
            default:
                return 0;
        }
    }

    // Constants that use later labels, resolved once every label is known.
    void ResolveConstants() {
        bool progress = true;
        while (progress && !m_deferred.empty()) {
            progress = false;
            std::vector<size_t> still;
            for (size_t i : m_deferred) {
                Statement& s = m_stmts[i];
                const Parsed& p = Reparse(s);
                EvalResult r = Eval(s, p, p.ops[0]);
                if (r.status == EvalResult::Undefined) {
                    still.push_back(i);
                    continue;
                }
                progress = true;
                if (r.status == EvalResult::Error) {
                    Refuse(s, r.message);
                } else {
                    Define(s.constant, r.value);
                }
            }
            m_deferred.swap(still);
        }
        for (size_t i : m_deferred) {
            Statement& s = m_stmts[i];
            const Parsed& p = Reparse(s);
            EvalResult r = Eval(s, p, p.ops[0]);
            const std::string& name = m_order[size_t(s.constant)];
            if (m_symbols.count(r.message)) {
                Refuse(s, "cannot compute '" + name + "': its value depends on itself through '" +
                              r.message + "'");
            } else {
                Refuse(s, "undefined symbol '" + r.message + "'");
            }
        }
    }

    // ---- phase 2: words ----
    void Emit() {
        uint32_t end = 0;
        for (const Statement& s : m_stmts)
            if (s.placed && s.words && !s.bad) end = std::max(end, s.address + s.words);
        m_image.assign(end, 0);
        m_written.assign(end, 0);
        std::vector<uint16_t> words;
        for (Statement& s : m_stmts) {
            if (m_diag.Full()) return;
            if (s.bad || !s.placed || s.words == 0) continue;
            words.clear();
            if (!Encode(s, Reparse(s), words)) continue;
            Place(s, words);
        }
    }

    bool Encode(Statement& s, const Parsed& p, std::vector<uint16_t>& words) {
        switch (s.kind) {
            case Statement::Instr:
                return EncodeInstr(s, p, *s.desc, words);
            case Statement::Mov:
                return EncodeMov(s, p, words);
            case Statement::Dw:
                for (auto range : p.ops) {
                    std::optional<int64_t> v = EvalFinal(s, p, range);
                    if (!v) return false;
                    if (*v < -32768 || *v > 0xFFFF)
                        return Fail(s, StrFormat("dw value %lld does not fit in 16 bits",
                                                 static_cast<long long>(*v)));
                    words.push_back(uint16_t(*v));
                }
                return true;
            case Statement::Db:
                return EncodeDb(s, p, words);
            case Statement::Ds:
            case Statement::Align: {
                int64_t fill = 0;
                if (p.ops.size() == 2) {
                    std::optional<int64_t> v = EvalFinal(s, p, p.ops[1]);
                    if (!v) return false;
                    if (*v < -32768 || *v > 0xFFFF)
                        return Fail(s, "the fill value does not fit in 16 bits");
                    fill = *v;
                }
                words.assign(s.words, uint16_t(fill));
                return true;
            }
            default:
                return false;
        }
    }

    std::optional<OperandValue> Operand(Statement& s, const Parsed& p,
                                        std::pair<size_t, size_t> range) {
        auto [b, e] = range;
        const std::vector<Token>& t = p.tokens;
        // raw(x) as the whole operand: the field value as it is.
        if (e - b >= 4 && IsWord(t[b], "raw") && IsPunct(t[b + 1], "(") && IsPunct(t[e - 1], ")")) {
            int depth = 0;
            size_t close = b + 1;
            for (; close < e; ++close) {
                if (IsPunct(t[close], "(")) ++depth;
                if (IsPunct(t[close], ")") && --depth == 0) break;
            }
            if (close == e - 1) {
                std::optional<int64_t> v = EvalFinal(s, p, {b + 2, e - 1});
                if (!v) return std::nullopt;
                return OperandValue{*v, true};
            }
        }
        std::optional<int64_t> v = EvalFinal(s, p, range);
        if (!v) return std::nullopt;
        return OperandValue{*v, false};
    }

    bool EncodeInstr(Statement& s, const Parsed& p, const InstrDesc& d,
                     std::vector<uint16_t>& words) {
        uint16_t w = d.match, w2 = 0;
        for (int i = 0; i < d.fieldCount; ++i) {
            std::optional<OperandValue> v = Operand(s, p, p.ops[size_t(i)]);
            if (!v) return false;
            if (std::string why = EncodeField(d, i, *v, s.address, w, w2); !why.empty())
                return Fail(s, why);
        }
        words.push_back(w);
        if (d.length == 2) words.push_back(w2);
        return true;
    }

    // mov d, s: movd when d is a register 0x00-0x1F, else movs when s is.
    bool EncodeMov(Statement& s, const Parsed& p, std::vector<uint16_t>& words) {
        std::optional<int64_t> d = EvalFinal(s, p, p.ops[0]);
        std::optional<int64_t> src = d ? EvalFinal(s, p, p.ops[1]) : std::nullopt;
        if (!d || !src) return false;
        const InstrDesc* form = nullptr;
        if (*d >= 0 && *d <= 0x1F) {
            form = FindInstr("movd");
        } else if (*src >= 0 && *src <= 0x1F) {
            form = FindInstr("movs");
        } else {
            return Fail(s, StrFormat("mov needs its destination or its source in 0x00-0x1f "
                                     "(d = 0x%llx, s = 0x%llx); go through A with lda and sta",
                                     static_cast<unsigned long long>(*d),
                                     static_cast<unsigned long long>(*src)));
        }
        uint16_t w = form->match, w2 = 0;
        const int64_t values[2] = {*d, *src};
        for (int i = 0; i < 2; ++i)
            if (std::string why = EncodeField(*form, i, {values[i], false}, s.address, w, w2);
                !why.empty())
                return Fail(s, why);
        words.push_back(w);
        return true;
    }

    bool EncodeDb(Statement& s, const Parsed& p, std::vector<uint16_t>& words) {
        std::vector<uint8_t> bytes;
        for (auto range : p.ops) {
            const Token& first = p.tokens[range.first];
            if (range.second - range.first == 1 && first.kind == Tok::String) {
                bytes.insert(bytes.end(), first.text.begin(), first.text.end());
                continue;
            }
            std::optional<int64_t> v = EvalFinal(s, p, range);
            if (!v) return false;
            if (*v < -128 || *v > 255)
                return Fail(s, StrFormat("db value %lld does not fit in a byte",
                                         static_cast<long long>(*v)));
            bytes.push_back(uint8_t(*v));
        }
        for (size_t i = 0; i < bytes.size(); i += 2)
            words.push_back(uint16_t(bytes[i] | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0)));
        return true;
    }

    void Place(Statement& s, const std::vector<uint16_t>& words) {
        for (size_t i = 0; i < words.size(); ++i) {
            uint32_t a = s.address + uint32_t(i);
            if (m_written[a]) {
                Refuse(s, StrFormat("overlaps address 0x%05x, already filled by %s", a,
                                    FilledBy(a, s).c_str()));
                return;
            }
        }
        for (size_t i = 0; i < words.size(); ++i) {
            m_image[s.address + i] = words[i];
            m_written[s.address + i] = 1;
        }
    }

    std::string FilledBy(uint32_t a, const Statement& except) const {
        for (const Statement& o : m_stmts)
            if (&o != &except && o.placed && !o.bad && a >= o.address && a < o.address + o.words)
                return SourceSet::Where(m_lines[o.line].loc);
        return "an earlier line";
    }

    std::string Listing(const std::string& title) const {
        std::vector<ListingEntry> entries;
        entries.reserve(m_stmts.size());
        for (const Statement& s : m_stmts) {
            ListingEntry e;
            e.line = &m_lines[s.line];
            bool hasCode = s.words > 0 && !s.bad;
            e.placed = s.placed && (hasCode || s.label >= 0 || s.kind == Statement::Org);
            e.address = s.address;
            e.words = hasCode ? s.words : 0;
            if (s.kind == Statement::Equ) {
                e.isEqu = true;
                if (s.constant >= 0 && !s.bad) {
                    const Sym& sym = m_symbols.at(m_order[size_t(s.constant)]);
                    e.equKnown = sym.known;
                    e.equValue = sym.value;
                }
            }
            entries.push_back(e);
        }
        return FormatListing(entries, m_image, title);
    }

    const AsmOptions& m_options;
    SourceSet m_set;
    Diagnostics m_diag;
    std::vector<SourceLine> m_lines;
    std::vector<Statement> m_stmts;
    std::vector<std::string> m_scopes;  // global label names, in order; [0] = "" (none yet)
    std::unordered_map<std::string, Sym> m_symbols;
    std::vector<std::string> m_order;  // symbols in the order defined
    std::vector<size_t> m_deferred;    // equ statements waiting for later labels
    EvalEnv m_env;
    Parsed m_parsed;
    std::vector<uint16_t> m_image;
    std::vector<uint8_t> m_written;
};

}  // namespace

AsmResult AssembleFile(const std::string& path, const AsmOptions& options) {
    return Assembler(options).Run(nullptr, path);
}

AsmResult AssembleText(const std::string& text, const std::string& name,
                       const AsmOptions& options) {
    return Assembler(options).Run(&text, name);
}

}  // namespace isa
