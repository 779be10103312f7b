// orvane-disasm: disassembles a program image into orvane-asm source.
//
//   orvane-disasm IMAGE [--from A] [--to B] [--symbols FILE] [--no-labels] [-o OUT]
//   orvane-disasm --isa-reference [--update DOC]
//
// The output assembles back into the same words (docs/assembler.md). --from is the first
// word, --to the word after the last. --isa-reference prints the generated part of
// docs/isa.md; with --update it rewrites that part of DOC in place.
// Exit codes: 0 done, 1 a file could not be read or written or was refused, 2 wrong usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/isa/assembler.h"
#include "tools/isa/image_disassembler.h"
#include "tools/isa/isa_reference.h"
#include "tools/isa/symbol_table.h"
#include "util/file_bytes.h"
#include "util/strfmt.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-disasm IMAGE [--from A] [--to B] [--symbols FILE] [--no-labels] [-o OUT]\n"
    "       orvane-disasm --isa-reference [--update DOC]\n"
    "  --from A, --to B   disassemble words A up to (not including) B\n"
    "  --symbols FILE     name addresses with the labels of an orvane-asm symbol file\n"
    "  --no-labels        no L_<address> labels for unnamed jump targets\n"
    "  -o OUT             write the source to OUT instead of standard output\n"
    "  --isa-reference    print the generated instruction reference of docs/isa.md\n";

int Usage(const std::string& why) {
    std::fprintf(stderr, "orvane-disasm: %s\n", why.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "orvane-disasm: %s\n", why.c_str());
    return 1;
}

bool ParseAddress(const char* text, uint32_t& out) {
    char* end = nullptr;
    errno = 0;
    unsigned long long v = std::strtoull(text, &end, 0);
    if (!*text || *end || errno || v > 0xFFFFFFFFull || text[0] == '-') return false;
    out = uint32_t(v);
    return true;
}

bool ReadText(const std::string& path, std::string& text) {
    CBuf bytes;
    if (ReadFileBytes(path, bytes) != FileRead::Ok) return false;
    text.assign(reinterpret_cast<const char*>(bytes.Data()), size_t(bytes.TotalBytes()));
    return true;
}

int IsaReference(const std::string& doc) {
    std::string block = isa::IsaReference();
    if (doc.empty()) {
        std::fputs(block.c_str(), stdout);
        return 0;
    }
    std::string text;
    if (!ReadText(doc, text)) return Fail("cannot read '" + doc + "'");
    if (!isa::ReplaceGeneratedBlock(text, block))
        return Fail("'" + doc + "' has no generated-reference markers");
    if (!WriteFileAtomically(doc, text.data(), text.size()))
        return Fail("cannot write '" + doc + "'");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string image, symbols, out, update;
    bool reference = false;
    isa::ImageDisasmOptions opt;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--from" || arg == "--to") {
            const char* v = next();
            if (!v || !ParseAddress(v, arg == "--from" ? opt.from : opt.to))
                return Usage(arg + " needs a word address (decimal or 0x hex)");
        } else if (arg == "--symbols" || arg == "-o" || arg == "--update") {
            const char* v = next();
            if (!v) return Usage(arg + " needs a file name");
            (arg == "--symbols" ? symbols : arg == "-o" ? out : update) = v;
        } else if (arg == "--no-labels") {
            opt.autoLabels = false;
        } else if (arg == "--isa-reference") {
            reference = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage("unknown option '" + arg + "'");
        } else if (image.empty()) {
            image = arg;
        } else {
            return Usage("more than one image");
        }
    }
    if (reference) return IsaReference(update);
    if (image.empty()) return Usage("no image");
    if (opt.from > opt.to) return Usage("--from lies after --to");

    CBuf bytes;
    switch (ReadFileBytes(image, bytes)) {
        case FileRead::Ok:
            break;
        case FileRead::OpenFailed:
            return Fail("cannot open '" + image + "'");
        case FileRead::ReadFailed:
            return Fail("cannot read '" + image + "'");
        case FileRead::TooLarge:
            return Fail("'" + image + "' is too large");
    }
    size_t count = size_t(bytes.TotalBytes()) / 2;
    if (count > isa::kProgramWords)
        return Fail(StrFormat("'%s' has %zu words; program memory holds %u", image.c_str(), count,
                              isa::kProgramWords));
    std::vector<uint16_t> words(count);
    for (size_t i = 0; i < count; ++i)
        words[i] = uint16_t(bytes.Data()[2 * i] | (bytes.Data()[2 * i + 1] << 8));

    isa::SymbolTable table;
    if (!symbols.empty()) {
        std::string error;
        if (!isa::SymbolTable::Load(symbols, table, error)) return Fail(error);
        opt.syms = &table;
    }
    opt.title = image;
    std::string source = isa::DisassembleImage(words, opt);
    if (bytes.TotalBytes() % 2) {
        unsigned last = bytes.Data()[bytes.TotalBytes() - 1];
        std::fprintf(stderr,
                     "orvane-disasm: '%s' ends with an odd byte 0x%02x; it is not part of any "
                     "word and is left out\n",
                     image.c_str(), last);
        source += StrFormat("; the image's odd last byte 0x%02x is not part of any word\n", last);
    }
    if (out.empty()) {
        std::fwrite(source.data(), 1, source.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the output");
    }
    if (!WriteFileAtomically(out, source.data(), source.size()))
        return Fail("cannot write '" + out + "'");
    return 0;
}
