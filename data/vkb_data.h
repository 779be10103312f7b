// CVkbData: the stored description of a virtual keyboard window (the key panel): its
// settings, the shape book whose active page outlines the keys, the key shape map and the
// three panel pictures (normal, pressed, highlight). The window of the front end holds one;
// model builders fill one and write it into a panel file.
//
// Tag form:
//   "VKBDMS"              "clrTransparent" (uint32 colour, default 0xFFFF)
//   "Sbk\..."             the shape book (sbk.h)
//   "VKBMAPUI"            the key shape map, 44-byte elements (SKeyShapeMapEntry)
//   "PixBuf0\..." to "PixBuf2\..."   the pictures (pix_buf.h)
#pragma once

#include <cstdint>
#include <memory>

#include "data/pix_buf.h"
#include "data/sbk.h"
#include "data/tag_field.h"
#include "util/cbuf.h"

class CTagBufLst;

struct SVkbDms {
    static constexpr const char* kLabel = "VKBDMS";
    static constexpr STagField kFields[] = {{"clrTransparent", kTagUInt32, 1}};
    uint32_t clrTransparent = 0xFFFF;
    template <class Self, class Io>
    static void Fields(Self& s, Io& io) {
        io(s.clrTransparent);
    }
};

// One element of the key shape map: the shape (page key and shape key, the ids of the page
// and the shape object) and the key value it sends. The last 32 bytes are not used.
struct SKeyShapeMapEntry {
    int32_t pageKey;
    int32_t shapeKey;
    int32_t keyValue;
    uint8_t unused[32];
};
static_assert(sizeof(SKeyShapeMapEntry) == 44);

class CVkbData {
public:
    static constexpr int kPictureCount = 3;
    enum EPicture { kNormal = 0, kPressed = 1, kHighlight = 2 };

    CVkbData();

    SVkbDms& Settings() { return m_dms; }
    const SVkbDms& Settings() const { return m_dms; }
    CSbk& Sbk() { return m_sbk; }
    const CSbk& Sbk() const { return m_sbk; }
    // 44-byte elements; see SKeyShapeMapEntry.
    CBuf& KeyShapeMap() { return m_keyShapeMap; }
    const CBuf& KeyShapeMap() const { return m_keyShapeMap; }
    void AddKeyShape(int32_t pageKey, int32_t shapeKey, int32_t keyValue);
    // The key value of the first element with both keys, or -1.
    int32_t FindKeyValue(int32_t pageKey, int32_t shapeKey) const;
    // nullptr for an index other than 0, 1, 2.
    CPixBuf* Picture(int i);
    const CPixBuf* Picture(int i) const;

    std::unique_ptr<CTagBufLst> BuildTagList() const;
    // Missing tags leave the defaults: the transparent colour 0xFFFF, an empty book, an
    // empty key shape map and empty pictures. The list is emptied.
    int LoadFromTagList(CTagBufLst& list);

private:
    SVkbDms m_dms;
    CSbk m_sbk;
    CBuf m_keyShapeMap;
    CPixBuf m_pictures[kPictureCount];
};
