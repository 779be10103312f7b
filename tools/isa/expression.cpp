#include "tools/isa/expression.h"

#include <vector>

#include "util/strfmt.h"

namespace isa {

namespace {

class Parser {
public:
    Parser(const Token* begin, const Token* end, const EvalEnv& env)
        : m_pos(begin), m_end(end), m_env(env) {}

    EvalResult Run() {
        if (m_pos == m_end) return Fail("missing value");
        int64_t v = Or();
        if (m_result.status != EvalResult::Error && m_pos != m_end)
            Fail(StrFormat("unexpected '%s' in expression", m_pos->text.c_str()));
        if (m_result.status != EvalResult::Error) m_result.value = v;
        return m_result;
    }

private:
    using Fn = int64_t (*)(int64_t, int64_t);

    EvalResult Fail(const std::string& why) {
        if (m_result.status != EvalResult::Error) {
            m_result.status = EvalResult::Error;
            m_result.message = why;
        }
        m_pos = m_end;
        return m_result;
    }
    bool Failed() const { return m_result.status == EvalResult::Error; }
    bool Accept(std::string_view p) {
        if (m_pos != m_end && IsPunct(*m_pos, p)) {
            ++m_pos;
            return true;
        }
        return false;
    }

    static int64_t Wrap(uint64_t v) { return int64_t(v); }

    int64_t Or() {
        int64_t v = Xor();
        while (!Failed() && Accept("|"))
            v |= Xor();
        return v;
    }
    int64_t Xor() {
        int64_t v = And();
        while (!Failed() && Accept("^"))
            v ^= And();
        return v;
    }
    int64_t And() {
        int64_t v = Shift();
        while (!Failed() && Accept("&"))
            v &= Shift();
        return v;
    }
    int64_t Shift() {
        int64_t v = Sum();
        while (!Failed()) {
            bool left = Accept("<<");
            if (!left && !Accept(">>")) break;
            int64_t n = Sum();
            if (n < 0 || n > 63) {
                Fail(StrFormat("shift count %lld is outside 0..63", static_cast<long long>(n)));
                return 0;
            }
            v = left ? Wrap(uint64_t(v) << n) : (v >> n);
        }
        return v;
    }
    int64_t Sum() {
        int64_t v = Product();
        while (!Failed()) {
            if (Accept("+")) {
                v = Wrap(uint64_t(v) + uint64_t(Product()));
            } else if (Accept("-")) {
                v = Wrap(uint64_t(v) - uint64_t(Product()));
            } else {
                break;
            }
        }
        return v;
    }
    int64_t Product() {
        int64_t v = Unary();
        while (!Failed()) {
            char op = 0;
            if (Accept("*")) {
                op = '*';
            } else if (Accept("/")) {
                op = '/';
            } else if (Accept("%")) {
                op = '%';
            } else {
                break;
            }
            int64_t r = Unary();
            if (op == '*') {
                v = Wrap(uint64_t(v) * uint64_t(r));
                continue;
            }
            if (r == 0) {
                // An undefined operand stands for 0 until its value is known.
                if (m_result.status == EvalResult::Undefined) return 0;
                Fail(op == '/' ? "division by zero" : "remainder of a division by zero");
                return 0;
            }
            if (r == -1) {
                v = op == '/' ? Wrap(0 - uint64_t(v)) : 0;
            } else {
                v = op == '/' ? v / r : v % r;
            }
        }
        return v;
    }
    // Every nesting (parentheses, unary operators, function arguments) passes through here.
    int64_t Unary() {
        if (++m_depth > kMaxDepth) {
            Fail("expression nested too deeply");
            return 0;
        }
        int64_t v;
        if (Accept("-")) {
            v = Wrap(0 - uint64_t(Unary()));
        } else if (Accept("~")) {
            v = ~Unary();
        } else if (Accept("+")) {
            v = Unary();
        } else {
            v = Primary();
        }
        --m_depth;
        return v;
    }
    int64_t Primary() {
        if (m_pos == m_end) {
            Fail("expression ends too early");
            return 0;
        }
        const Token& t = *m_pos;
        if (t.kind == Tok::Number) {
            ++m_pos;
            return t.value;
        }
        if (Accept("$")) return m_env.here;
        if (Accept("(")) {
            int64_t v = Or();
            if (!Failed() && !Accept(")")) Fail("missing ')'");
            return v;
        }
        if (t.kind == Tok::String) {
            Fail("a string is not a number here");
            return 0;
        }
        if (t.kind == Tok::Ident) {
            ++m_pos;
            if (m_pos != m_end && IsPunct(*m_pos, "(")) return Call(t.text);
            return Symbol(t.text);
        }
        Fail(StrFormat("unexpected '%s' in expression", t.text.c_str()));
        return 0;
    }
    int64_t Symbol(const std::string& name) {
        std::string full = QualifyName(name, m_env.scope);
        if (std::optional<int64_t> v = m_env.lookup ? m_env.lookup(full) : std::nullopt) return *v;
        if (m_result.status == EvalResult::Ok) {
            m_result.status = EvalResult::Undefined;
            m_result.message = full;
        }
        return 0;
    }
    int64_t Call(const std::string& name) {
        ++m_pos;  // '('
        std::vector<int64_t> args;
        if (!Accept(")")) {
            do {
                args.push_back(Or());
            } while (!Failed() && Accept(","));
            if (!Failed() && !Accept(")")) Fail("missing ')' after the arguments of " + name);
        }
        if (Failed()) return 0;
        std::string fn = Lower(name);
        size_t wanted = fn == "ram" ? 2 : 1;
        bool known = fn == "lo" || fn == "hi" || fn == "up" || fn == "baddr" || fn == "bank" ||
                     fn == "off" || fn == "ram";
        if (fn == "raw") {
            Fail("raw() stands alone as the whole target of a jump or call");
            return 0;
        }
        if (!known) {
            Fail("unknown function '" + name + "'");
            return 0;
        }
        if (args.size() != wanted) {
            Fail(
                StrFormat("%s() takes %zu argument%s", fn.c_str(), wanted, wanted == 1 ? "" : "s"));
            return 0;
        }
        int64_t x = args[0];
        bool undefined = m_result.status == EvalResult::Undefined;
        if (fn == "lo") return x & 0xFF;
        if (fn == "hi") return (x >> 8) & 0xFF;
        if (fn == "up") return (x >> 16) & 0xFF;
        if (fn == "baddr") return Wrap(uint64_t(x) * 2);
        if (fn == "off") return x < 0x80 ? x : 0x80 | (x & 0x7F);
        if (fn == "bank") {
            if (x < 0x80 && !undefined) {
                Fail(StrFormat("bank() needs a banked RAM address (0x80 or above), not 0x%llx",
                               static_cast<unsigned long long>(x)));
                return 0;
            }
            return (x >> 7) - 1;
        }
        // ram(b, f)
        int64_t f = args[1];
        if (!undefined && (x < 0 || x > 255 || f < 0x80 || f > 0xFF)) {
            Fail(StrFormat("ram(%lld, 0x%llx): the bank must be 0..255 and the offset 0x80..0xFF",
                           static_cast<long long>(x), static_cast<unsigned long long>(f)));
            return 0;
        }
        return x * 128 + f;
    }

    static constexpr int kMaxDepth = 200;
    int m_depth = 0;
    const Token* m_pos;
    const Token* m_end;
    const EvalEnv& m_env;
    EvalResult m_result;
};

}  // namespace

EvalResult Evaluate(const Token* begin, const Token* end, const EvalEnv& env) {
    return Parser(begin, end, env).Run();
}

std::string QualifyName(const std::string& name, const std::string& scope) {
    if (!name.empty() && name[0] == '.') return scope + name;
    return name;
}

}  // namespace isa
