// orvane-asm: assembles firmware source into a program image (docs/assembler.md).
//
//   orvane-asm SOURCE -o IMAGE [--listing FILE] [--symbols FILE] [--container OUT.eepm]
//              [-I DIR]... [-D NAME[=VALUE]]...
//
// Messages go to stderr as "file:line: reason". Exit codes: 0 assembled, 1 the source was
// refused or an output could not be written, 2 wrong usage. No output is written unless the
// whole source assembles.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/encrypt_buffer.h"
#include "app/firmware_container.h"
#include "tools/isa/assembler.h"
#include "tools/isa/expression.h"
#include "tools/isa/symbol_table.h"
#include "util/file_bytes.h"
#include "util/strfmt.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-asm SOURCE -o IMAGE [--listing FILE] [--symbols FILE]\n"
    "                  [--container OUT.eepm] [-I DIR]... [-D NAME[=VALUE]]...\n"
    "  -o IMAGE            the raw image: 16-bit words, little-endian, word 0 first\n"
    "  --listing FILE      addresses and words beside each source line\n"
    "  --symbols FILE      labels and constants (orvane-disasm --symbols reads it)\n"
    "  --container FILE    the image wrapped as a firmware container (.eepm)\n"
    "  -I DIR              a folder searched for include files\n"
    "  -D NAME[=VALUE]     defines a constant (1 when no value is given)\n";

struct Args {
    std::string source, image, listing, symbols, container;
    isa::AsmOptions options;
};

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "orvane-asm: %s\n", why);
    std::fputs(kUsage, stderr);
    return 2;
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "orvane-asm: %s\n", why.c_str());
    return 1;
}

bool ParseDefine(const std::string& text, isa::AsmOptions& options) {
    size_t eq = text.find('=');
    std::string name = text.substr(0, eq);
    if (!isa::IsSymbolName(name) || name[0] == '.' || name[0] == '@') return false;
    int64_t value = 1;
    if (eq != std::string::npos) {
        std::vector<isa::Token> tokens;
        if (!isa::Tokenize(text.substr(eq + 1), tokens).empty() || tokens.empty()) return false;
        isa::EvalResult r = isa::Evaluate(tokens.data(), tokens.data() + tokens.size(), {});
        if (r.status != isa::EvalResult::Ok) return false;
        value = r.value;
    }
    options.defines.push_back({name, value});
    return true;
}

// 0 when parsed; otherwise the exit code.
int ParseArgs(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        bool ok = true;
        std::string v;
        if (arg == "-o") {
            ok = value(a.image);
        } else if (arg == "--listing") {
            ok = value(a.listing);
        } else if (arg == "--symbols") {
            ok = value(a.symbols);
        } else if (arg == "--container") {
            ok = value(a.container);
        } else if (arg == "-I") {
            ok = value(v);
            a.options.includeDirs.push_back(v);
        } else if (arg == "-D") {
            ok = value(v);
            if (ok && !ParseDefine(v, a.options))
                return Usage(("bad definition '" + v + "' (expected NAME or NAME=NUMBER)").c_str());
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage(("unknown option '" + arg + "'").c_str());
        } else if (a.source.empty()) {
            a.source = arg;
        } else {
            return Usage("more than one source file");
        }
        if (!ok) return Usage(("'" + arg + "' needs a value").c_str());
    }
    if (a.source.empty()) return Usage("no source file");
    if (a.image.empty() && a.container.empty()) return Usage("no output: give -o IMAGE");
    return 0;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, text.data(), text.size());
}

std::string WrapRefusal(const CBuf& image) {
    if (image.TotalBytes() < C_Encrypt::kMinPlainLength)
        return StrFormat("the image has %d bytes; a container needs at least %d",
                         image.TotalBytes(), C_Encrypt::kMinPlainLength);
    return "the image is too uniform to wrap in a container";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Args a;
    if (int code = ParseArgs(argc, argv, a)) return code;
    a.options.listing = !a.listing.empty();

    isa::AsmResult r = isa::AssembleFile(a.source, a.options);
    for (const std::string& e : r.errors)
        std::fprintf(stderr, "%s\n", e.c_str());
    if (!r.ok) {
        std::fprintf(stderr, "orvane-asm: %zu error%s; nothing written\n", r.errors.size(),
                     r.errors.size() == 1 ? "" : "s");
        return 1;
    }

    std::vector<uint8_t> bytes;
    bytes.reserve(r.image.size() * 2);
    for (uint16_t w : r.image) {
        bytes.push_back(uint8_t(w & 0xFF));
        bytes.push_back(uint8_t(w >> 8));
    }
    CBuf container;
    if (!a.container.empty()) {
        container.Assign(int(bytes.size()), 1, bytes.data(), 1, 0);
        CBuf original(container);
        if (!CEncrypt::WrapBuffer(container, kCheckWord))
            return Fail("cannot make the container: " + WrapRefusal(original));
    }
    if (!a.image.empty() && !WriteFileAtomically(a.image, bytes.data(), bytes.size()))
        return Fail("cannot write '" + a.image + "'");
    if (!a.container.empty() &&
        !WriteFileAtomically(a.container, container.Data(), size_t(container.TotalBytes())))
        return Fail("cannot write '" + a.container + "'");
    if (!a.listing.empty() && !WriteText(a.listing, r.listing))
        return Fail("cannot write '" + a.listing + "'");
    if (!a.symbols.empty() && !WriteText(a.symbols, r.symbols.ToText()))
        return Fail("cannot write '" + a.symbols + "'");
    return 0;
}
