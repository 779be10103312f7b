#include "tools/isa/image_disassembler.h"

#include <algorithm>
#include <map>
#include <vector>

#include "core/isa_table.h"
#include "tools/isa/disassembler.h"
#include "util/strfmt.h"

namespace isa {

namespace {

// Zero words in a row from which a ds is written instead of a run of nops.
constexpr uint32_t kMinZeroRun = 16;
constexpr int kCommentColumn = 40;

struct Item {
    uint32_t address;
    uint32_t words;  // 1 or 2 for an instruction or dw, more for a run of zeros
    enum Kind { Instr, Unknown, CutOff, Zeros } kind;
};

// A symbol-table name the output may use: global or qualified, not a local or
// macro-private spelling that would not mean the same when assembled.
bool Usable(const std::string& name) {
    return name[0] != '.' && name[0] != '@';
}

class ImageWriter {
public:
    ImageWriter(std::span<const uint16_t> words, const ImageDisasmOptions& o)
        : m_words(words), m_opt(o) {
        m_from = std::min<size_t>(o.from, words.size());
        m_to = std::max<size_t>(m_from, std::min<size_t>(o.to, words.size()));
    }

    std::string Run() {
        Scan();
        CollectLabels();
        std::vector<Item> items = MergeZeroRuns();
        std::string body;
        for (const Item& it : items)
            WriteItem(it, body);
        std::string head =
            StrFormat("; orvane-disasm: %s, words 0x%05zx-0x%05zx of %zu\n", m_opt.title.c_str(),
                      m_from, m_to ? m_to - 1 : 0, m_words.size());
        if (m_to == m_from)
            head = StrFormat("; orvane-disasm: %s, no words\n", m_opt.title.c_str());
        for (const auto& [name, value] : m_equs)
            head += StrFormat("%s equ 0x%05x\n", name.c_str(), value);
        head += StrFormat("\n        org     0x%05zx\n", m_from);
        return head + body;
    }

private:
    uint16_t Word(size_t a) const { return a < m_words.size() ? m_words[a] : 0; }

    bool IsStart(int64_t a) const {
        return a >= int64_t(m_from) && a < int64_t(m_to) && m_isStart[size_t(a) - m_from];
    }

    void Scan() {
        m_isStart.assign(m_to - m_from, 0);
        for (size_t a = m_from; a < m_to;) {
            uint16_t w = m_words[a];
            const InstrDesc* d = DecodeInstr(w);
            Item it{uint32_t(a), 1, Item::Instr};
            if (!d) {
                it.kind = Item::Unknown;
            } else if (d->length == 2) {
                if (a + 1 < m_words.size()) {
                    it.words = 2;
                } else {
                    it.kind = Item::CutOff;
                }
            }
            m_items.push_back(it);
            m_isStart[a - m_from] = 1;
            a += it.words;
        }
    }

    // Labels at instruction starts: symbol-table labels, and targets of the range's jumps.
    void CollectLabels() {
        if (m_opt.syms) {
            for (const Symbol& s : m_opt.syms->All()) {
                if (s.kind != SymbolKind::Label || !Usable(s.name)) continue;
                if (IsStart(s.value)) m_defined[uint32_t(s.value)].push_back(s.name);
            }
            // A global name first: it is the one references use.
            for (auto& [address, names] : m_defined)
                std::stable_partition(names.begin(), names.end(), [](const std::string& n) {
                    return n.find('.') == std::string::npos;
                });
        }
        if (!m_opt.autoLabels) return;
        for (const Item& it : m_items) {
            if (it.kind != Item::Instr) continue;
            uint16_t w = Word(it.address), w2 = Word(it.address + 1);
            const InstrDesc* d = DecodeInstr(w);
            for (int i = 0; i < d->fieldCount; ++i) {
                int64_t t = TargetOf(*d, d->fields[i], w, w2, it.address);
                if (!IsStart(t) || m_defined.count(uint32_t(t))) continue;
                std::string name = StrFormat("L_%05llx", static_cast<unsigned long long>(t));
                if (m_opt.syms && m_opt.syms->Find(name)) continue;
                m_defined[uint32_t(t)].push_back(name);
            }
        }
    }

    std::vector<Item> MergeZeroRuns() const {
        std::vector<Item> out;
        for (size_t i = 0; i < m_items.size();) {
            size_t j = i;
            while (j < m_items.size() && m_items[j].kind == Item::Instr &&
                   m_words[m_items[j].address] == 0 &&
                   (j == i || !m_defined.count(m_items[j].address)))
                ++j;
            if (j - i >= kMinZeroRun) {
                out.push_back({m_items[i].address, uint32_t(j - i), Item::Zeros});
                i = j;
            } else {
                out.push_back(m_items[i++]);
            }
        }
        return out;
    }

    std::string TargetName(uint32_t a) {
        auto it = m_defined.find(a);
        if (it != m_defined.end()) return it->second.front();
        if (!m_opt.syms) return "";
        for (const Symbol* s : m_opt.syms->LabelsAt(a)) {
            if (!Usable(s->name)) continue;
            m_equs[s->name] = a;
            return s->name;
        }
        return "";
    }

    static std::string Pad(std::string s, size_t column) {
        if (s.size() < column) s.append(column - s.size(), ' ');
        return s;
    }

    void WriteLine(std::string& out, const std::string& code, const std::string& comment) {
        out += Pad("        " + code, kCommentColumn - 1) + " ; " + comment + "\n";
    }

    void WriteItem(const Item& it, std::string& out) {
        if (auto d = m_defined.find(it.address); d != m_defined.end())
            for (const std::string& name : d->second)
                out += name + ":\n";
        uint16_t w = Word(it.address);
        switch (it.kind) {
            case Item::Zeros:
                WriteLine(out, StrFormat("ds      %u", it.words),
                          StrFormat("%05x-%05x: 0000", it.address, it.address + it.words - 1));
                return;
            case Item::Unknown:
                WriteLine(out, StrFormat("dw      0x%04x", w),
                          StrFormat("%05x: %04x unknown instruction", it.address, w));
                return;
            case Item::CutOff:
                WriteLine(out, StrFormat("dw      0x%04x", w),
                          StrFormat("%05x: %04x %s without its second word (end of image)",
                                    it.address, w, DecodeInstr(w)->mnemonic));
                return;
            case Item::Instr:
                break;
        }
        uint16_t w2 = Word(it.address + 1);
        std::string text = DisassembleWith(w, w2, it.address, m_opt.syms,
                                           [this](uint32_t a) { return TargetName(a); });
        // Mnemonic padded to a column, operands after it.
        size_t space = text.find(' ');
        if (space != std::string::npos) text = Pad(text.substr(0, space), 7) + text.substr(space);
        std::string raw = it.words == 2 ? StrFormat("%05x: %04x %04x", it.address, w, w2)
                                        : StrFormat("%05x: %04x", it.address, w);
        WriteLine(out, text, raw);
    }

    std::span<const uint16_t> m_words;
    const ImageDisasmOptions& m_opt;
    size_t m_from = 0, m_to = 0;
    std::vector<Item> m_items;
    std::vector<uint8_t> m_isStart;  // per word of the range: an item starts there
    std::map<uint32_t, std::vector<std::string>> m_defined;
    std::map<std::string, uint32_t> m_equs;
};

}  // namespace

std::string DisassembleImage(std::span<const uint16_t> words, const ImageDisasmOptions& options) {
    return ImageWriter(words, options).Run();
}

}  // namespace isa
