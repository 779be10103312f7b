#include "tools/isa/listing.h"

#include "util/strfmt.h"

namespace isa {

namespace {

constexpr uint32_t kWordsPerLine = 3;

}  // namespace

std::string FormatListing(const std::vector<ListingEntry>& entries,
                          const std::vector<uint16_t>& image, const std::string& title) {
    std::string out = "; orvane-asm listing of " + title + "\n";
    out += "addr   words            line  source\n";
    const std::string* file = nullptr;
    for (const ListingEntry& e : entries) {
        if (e.line->loc.file != file) {
            file = e.line->loc.file;
            out += "; file: " + *file + "\n";
        }
        std::string words;
        if (e.isEqu) {
            words = e.equKnown
                        ? StrFormat("= 0x%05llx", static_cast<unsigned long long>(e.equValue))
                        : "= ?";
        } else if (e.placed && e.words > 16) {
            words = StrFormat("(%u words)", e.words);
        } else if (e.placed) {
            for (uint32_t i = 0; i < e.words && i < kWordsPerLine; ++i)
                words += StrFormat("%s%04x", i ? " " : "", image[e.address + i]);
        }
        std::string addr = e.placed ? StrFormat("%05x", e.address) : "";
        out += StrFormat("%-5s  %-15s %5d%c %.*s\n", addr.c_str(), words.c_str(), e.line->loc.line,
                         e.line->context >= 0 ? '+' : ' ', int(e.line->text.size()),
                         e.line->text.data());
        // The rest of a dw or db of a few words, three to a line.
        if (e.placed && !e.isEqu && e.words <= 16) {
            for (uint32_t i = kWordsPerLine; i < e.words; i += kWordsPerLine) {
                std::string more;
                for (uint32_t k = i; k < e.words && k < i + kWordsPerLine; ++k)
                    more += StrFormat("%s%04x", k > i ? " " : "", image[e.address + k]);
                out += StrFormat("%05x  %s\n", e.address + i, more.c_str());
            }
        }
    }
    return out;
}

}  // namespace isa
