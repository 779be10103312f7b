// CSpg: a page of a shape book, an ordered list of shape objects.
//
// Tag form: "SPGDMS" (80 bytes: "Id", "Mark", "Name" (64 characters with the NUL),
// "Selected", "SobActive") and each shape object's list nested under "Sob<m>". Reading takes
// "Sob0", "Sob1", ... up to the first missing number (at most 100000 objects).
//
// Hit test: the index of the shape object under a point (document coordinates), -1 when
// none. When several contain the point, the innermost wins: the one that most of the others
// contain whole; among equal counts, the later one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/sob.h"
#include "data/tag_field.h"

class CTagBufLst;

struct SSpgDms {
    static constexpr const char* kLabel = "SPGDMS";
    static constexpr STagField kFields[] = {{"Id", kTagInt32, 1},
                                            {"Mark", kTagInt32, 1},
                                            {"Name", kTagString, 64},
                                            {"Selected", kTagBool, 1},
                                            {"SobActive", kTagInt32, 1}};
    int32_t id = 0;
    int32_t mark = 0;
    char name[64] = {};
    int32_t selected = 0;
    int32_t sobActive = -1;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.id);
        io(s.mark);
        io(s.name);
        io(s.selected);
        io(s.sobActive);
    }
};

class CSpg {
public:
    static constexpr int kMaxSobs = 100000;

    SSpgDms& Settings() { return m_dms; }
    const SSpgDms& Settings() const { return m_dms; }
    int32_t Id() const { return m_dms.id; }
    void SetId(int32_t id) { m_dms.id = id; }
    std::string Name() const;
    // At most 63 characters are kept.
    void SetName(const std::string& name);

    int SobCount() const { return int(m_sobs.size()); }
    // nullptr out of range.
    CSob* Sob(int i);
    const CSob* Sob(int i) const;
    CSob* AddSob(std::unique_ptr<CSob> sob);
    int RemoveSob(int i);

    int HitTest(int x, int y) const;
    // Updates the span map of every shape object (see CSob::UpdateSpanMap).
    void UpdateSpanMaps(double scaleX, double scaleY, int64_t* budget = nullptr);

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(CTagBufLst& list);

private:
    SSpgDms m_dms;
    std::vector<std::unique_ptr<CSob>> m_sobs;
};
