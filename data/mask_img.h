// CMaskImg and CMask: mask images of shape books and shapes. Only the editing tools use
// them; the simulator loads and saves them unchanged.
//
// CMask: "MASKDMS" ("Width") and the raw mask bytes "MASKBUF".
// CMaskImg: "MASKIMGDMS" ("Id"), a picture under the child "PixBuf" and a mask under
// the child "Mask".
#pragma once

#include <cstdint>
#include <memory>

#include "data/pix_buf.h"
#include "data/tag_field.h"
#include "util/cbuf.h"

class CTagBufLst;

struct SMaskDms {
    static constexpr const char* kLabel = "MASKDMS";
    static constexpr STagField kFields[] = {{"Width", kTagInt32, 1}};
    int32_t width = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.width);
    }
};

struct SMaskImgDms {
    static constexpr const char* kLabel = "MASKIMGDMS";
    static constexpr STagField kFields[] = {{"Id", kTagInt32, 1}};
    int32_t id = 0;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.id);
    }
};

class CMask {
public:
    int32_t Width() const { return m_dms.width; }
    void SetWidth(int32_t w) { m_dms.width = w; }
    CBuf& Bytes() { return m_bytes; }
    const CBuf& Bytes() const { return m_bytes; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(const CTagBufLst& list);

private:
    SMaskDms m_dms;
    CBuf m_bytes;
};

class CMaskImg {
public:
    int32_t Id() const { return m_dms.id; }
    void SetId(int32_t id) { m_dms.id = id; }
    CPixBuf& Picture() { return m_picture; }
    const CPixBuf& Picture() const { return m_picture; }
    CMask& Mask() { return m_mask; }
    const CMask& Mask() const { return m_mask; }

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    int LoadFromTagList(CTagBufLst& list);

private:
    SMaskImgDms m_dms;
    CPixBuf m_picture;
    CMask m_mask;
};
