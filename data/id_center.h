// CIdCenter: hands out the ids of a shape book's pages and shape objects.
//
// Each new id is the last one advanced by the step. Both are doubles, as stored in the tag
// "IDCDMS" ("IdLast", "IdStep"); a fresh allocator starts at 0 with step 1, so its first id
// is 1.
#pragma once

#include <cstdint>
#include <memory>

#include "data/tag_field.h"

class CTagBufLst;

struct SIdcDms {
    static constexpr const char* kLabel = "IDCDMS";
    static constexpr STagField kFields[] = {{"IdLast", kTagDouble, 1}, {"IdStep", kTagDouble, 1}};
    double idLast = 0;
    double idStep = 1;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.idLast);
        io(s.idStep);
    }
};

class CIdCenter {
public:
    void Reset() { m_dms = SIdcDms{}; }
    // The next id. Ids a 32-bit integer cannot hold saturate.
    int32_t NewId();
    double IdLast() const { return m_dms.idLast; }
    double IdStep() const { return m_dms.idStep; }
    void SetIdLast(double last) { m_dms.idLast = last; }
    void SetIdStep(double step) { m_dms.idStep = step; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(const CTagBufLst& list);

private:
    SIdcDms m_dms;
};
