#include "ui/vkb_model.h"

#include <algorithm>
#include <cstring>

#include "data/tag_buf_list.h"
#include "ui/shape_bounds.h"

int CVkbModel::LoadFromTagList(CTagBufLst& list, uint32_t buttonFace) {
    m_data.LoadFromTagList(list);
    DescriptionLoaded();
    ReplaceTransparency(buttonFace);
    return 1;
}

void CVkbModel::SetPictures(const CPixBuf* normal, const CPixBuf* pressed, const CPixBuf* highlight,
                            uint32_t buttonFace) {
    const CPixBuf* given[CVkbData::kPictureCount] = {normal, pressed, highlight};
    for (int i = 0; i < CVkbData::kPictureCount; ++i)
        if (given[i]) *m_data.Picture(i) = *given[i];
    ReplaceTransparency(buttonFace);
}

void CVkbModel::ReplaceTransparency(uint32_t buttonFace) {
    m_buttonFace = buttonFace;
    uint32_t transparent = m_data.Settings().clrTransparent;
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        const CPixBuf& loaded = *m_data.Picture(i);
        m_working[i] = loaded;
        loaded.ReplaceValue(transparent, buttonFace, m_working[i]);
        // The display shows 32-bit pixels as they are, and keys are copied as raw rows.
        if (!m_working[i].ChangeType(0)) m_working[i].Reset();
    }
    m_display = m_working[CVkbData::kNormal];
    RedrawKeys();
}

const CPixBuf* CVkbModel::Working(int i) const {
    return i >= 0 && i < CVkbData::kPictureCount ? &m_working[i] : nullptr;
}

int CVkbModel::HitTest(int x, int y) const {
    return m_data.Sbk().HitTest(x, y);
}

int32_t CVkbModel::KeyValueOf(int page, int object) const {
    const CSpg* spg = m_data.Sbk().Page(page);
    const CSob* sob = spg ? spg->Sob(object) : nullptr;
    return sob ? m_data.FindKeyValue(spg->Id(), sob->Id()) : -1;
}

CVkbModel::SMouseOutcome CVkbModel::MouseInput(EMouse kind, int x, int y, bool leftDown,
                                               uint32_t time) {
    SMouseOutcome out;
    if (!m_inputEnabled || m_inputBlocked) return out;
    bool press = kind == EMouse::Press || (kind == EMouse::DoubleClick && m_doubleClickPresses);
    if (kind == EMouse::DoubleClick && !press) return out;

    m_previousPointers = m_pointers;
    SPointerState& mouse = m_pointers[0];
    mouse.x = x;
    mouse.y = y;
    mouse.time = time;
    mouse.changed = 1;
    mouse.present = kind == EMouse::Leave ? 0 : 1;
    if (press)
        mouse.pressed = 1;
    else if (kind == EMouse::Release || kind == EMouse::Leave)
        mouse.pressed = 0;
    else
        mouse.pressed = leftDown ? 1 : 0;

    out.handled = true;
    if (press || kind == EMouse::Release) {
        out.lookup = press ? ELookup::Press : ELookup::Release;
        out.page = ActivePage();
        out.object = HitTest(x, y);
    }
    return out;
}

int CVkbModel::RedrawKeys() {
    if (m_inputBlocked || !m_data.Sbk().ActivePage()) return 0;
    const CPixBuf& normal = m_working[CVkbData::kNormal];
    size_t bytes = size_t(std::min(normal.Pixels().TotalBytes(), m_display.Pixels().TotalBytes()));
    if (bytes) std::memcpy(m_display.Data(), normal.Data(), bytes);
    int drawn = 0;
    for (SPointerState& pointer : m_pointers) {
        pointer.changed = 0;
        if (pointer.present && DrawKey(pointer)) ++drawn;
    }
    return drawn;
}

bool CVkbModel::DrawKey(const SPointerState& pointer) {
    int object = HitTest(pointer.x, pointer.y);
    const CSpg* page = m_data.Sbk().ActivePage();
    const CSob* sob = page ? page->Sob(object) : nullptr;
    if (!sob || sob->ShapeKind() != kShapeRectangle) return false;
    std::optional<SRectI> bounds = ShapeBounds(*sob);
    if (!bounds) return false;
    SRectI r = ClipToPicture(*bounds, m_display.Width(), m_display.Height());
    const CPixBuf& source = m_working[pointer.pressed ? CVkbData::kPressed : CVkbData::kHighlight];
    if (r.Width() > 0)
        source.CopyRegion(r.left, r.top, r.Width(), r.Height(), m_display, r.left, r.top, 1.0);
    return true;
}
