// CSbk: a shape book, clickable regions over a picture (the keys of a calculator panel).
//
// A book holds pages of shape objects (spg.h, sob.h), mask images, an id allocator and a key
// store; the last two and the masks serve the editing tools only. One page is active
// ("SpgActive", -1 for none); hit tests run on it.
//
// Tag form (a flat list; children nested by label prefix):
//   "SBKDMS"       1088 bytes: "Comment" (1024 characters with the NUL), "ComLogFont" (a
//                  60-byte font description, kept as bytes), "SpgActive"
//   "Spg<n>\..."   page n
//   "MaskImg<n>\..." mask image n
//   "IdCenter\IDCDMS", "Ini\..." the id allocator and the key store
// Reading takes pages and masks by number up to the first missing one (at most 10000 each)
// and then builds the span maps of all shapes at scale 1, 1.
//
// Building a book for a panel file:
//   CSbk sbk;
//   CSpg* keys = sbk.AddPage(1, "Keys");
//   keys->AddSob(CSob::NewRectangle(10, 20, 300, 60, 330));  // id 10: a key
//   sbk.SetActivePage(0);
//   parentList.Nest("Sbk", sbk.BuildTagList());
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/id_center.h"
#include "data/key_store.h"
#include "data/mask_img.h"
#include "data/spg.h"
#include "data/tag_field.h"

class CTagBufLst;

struct SSbkDms {
    static constexpr const char* kLabel = "SBKDMS";
    static constexpr int kLogFontBytes = 60;
    static constexpr STagField kFields[] = {{"Comment", kTagString, 1024},
                                            {"ComLogFont", kTagUInt8, kLogFontBytes},
                                            {"SpgActive", kTagInt32, 1}};
    char comment[1024] = {};
    // A font description of the editing tools: height 14 (the first int32) and the face
    // name "Arial" (from byte 28), all else 0.
    uint8_t logFont[kLogFontBytes] = {14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0,   0,   0,   0,  0,
                                      0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'A', 'r', 'i', 'a', 'l'};
    int32_t spgActive = -1;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.comment);
        io(s.logFont);
        io(s.spgActive);
    }
};

class CSbk {
public:
    static constexpr int kMaxPages = 10000;
    static constexpr int kMaxMasks = 10000;
    // Crossings that the span maps of one book may need together (polygon_map.h). A panel
    // needs a few hundred thousand at most; a damaged file must not make loading take long.
    static constexpr int64_t kSpanMapBudget = int64_t(1) << 23;

    CSbk() = default;
    CSbk(const CSbk&) = delete;
    CSbk& operator=(const CSbk&) = delete;

    // Removes pages, masks, ids and keys; the settings to their defaults.
    void Reset();

    SSbkDms& Settings() { return m_dms; }
    const SSbkDms& Settings() const { return m_dms; }
    std::string Comment() const;
    // At most 1023 characters are kept.
    void SetComment(const std::string& text);

    int PageCount() const { return int(m_pages.size()); }
    // nullptr out of range.
    CSpg* Page(int i);
    const CSpg* Page(int i) const;
    CSpg* AddPage(std::unique_ptr<CSpg> page);
    // A new empty page with that id and name.
    CSpg* AddPage(int32_t id, const std::string& name);
    // The active index follows: down by one when a page before it goes, clamped to the last
    // page, -1 when no page is left.
    int RemovePage(int i);

    int ActivePageIndex() const { return m_dms.spgActive; }
    void SetActivePage(int i) { m_dms.spgActive = i; }
    // nullptr when no page is active (or the index is out of range).
    CSpg* ActivePage() { return Page(m_dms.spgActive); }
    const CSpg* ActivePage() const { return Page(m_dms.spgActive); }
    // The shape object under the point on the active page, or -1.
    int HitTest(int x, int y) const;
    // Span maps of every shape of every page, within the book's budget.
    void UpdateSpanMaps(double scaleX = 1, double scaleY = 1);

    int MaskCount() const { return int(m_masks.size()); }
    CMaskImg* Mask(int i);
    const CMaskImg* Mask(int i) const;
    CMaskImg* AddMask(std::unique_ptr<CMaskImg> mask);

    CIdCenter& Ids() { return m_ids; }
    const CIdCenter& Ids() const { return m_ids; }
    CKeyStore& Keys() { return m_keys; }
    const CKeyStore& Keys() const { return m_keys; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    // Resets, then reads the book from the list (the list is emptied).
    int LoadFromTagList(CTagBufLst& list);

    // Diagnostic text: see sbk_dump.cpp.
    void Dump(std::vector<std::string>& lines) const;

private:
    SSbkDms m_dms;
    std::vector<std::unique_ptr<CSpg>> m_pages;
    std::vector<std::unique_ptr<CMaskImg>> m_masks;
    CIdCenter m_ids;
    CKeyStore m_keys;
};
