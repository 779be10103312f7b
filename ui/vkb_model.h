// CVkbModel: the virtual keyboard (the clickable picture of the keys) without its window.
// CVkbWnd shows one; tests drive it directly.
//
// It holds what the panel file describes (CVkbData: the transparent colour, the shape book
// whose active page outlines the keys, the key shape map and the three loaded pictures:
// normal, pressed, highlight), the three working pictures, the display picture and the
// pointer states.
//
// Pictures: each working picture is its loaded picture with every pixel of the transparent
// colour set to the button-face colour (so the panel blends with the dialog), converted to
// 32 bits (B, G, R, 0 per pixel) when it was stored with another pixel format. The display
// picture is the working normal picture with the key under each present pointer copied over
// it from the working pressed picture (button down) or the working highlight picture
// (hovering). Only rectangle keys are drawn; a key of another shape can be pressed but does
// not change the picture.
//
// Keys: a point (window coordinates, which are the picture's: the panel is shown 1:1) is
// hit-tested on the active page of the shape book; the key shape map gives the shape, by
// the ids of its page and its object, its key value.
//
//   CVkbModel vkb;
//   vkb.LoadFromTagList(list, buttonFace);
//   auto out = vkb.MouseInput(CVkbModel::EMouse::Press, x, y, true, now);
//   vkb.RedrawKeys();                           // the pressed key shows
//   if (out.lookup == CVkbModel::ELookup::Press) value = vkb.KeyValueOf(out.page, out.object);
#pragma once

#include <cstdint>

#include "data/pix_buf.h"
#include "data/vkb_data.h"
#include "ui/pointer_state.h"

class CTagBufLst;

class CVkbModel {
public:
    enum class EMouse { Press, Release, DoubleClick, Move, Leave };
    enum class ELookup { None, Press, Release };
    // What a mouse event asks of the window after the pointer state has been updated.
    struct SMouseOutcome {
        bool handled = false;  // false: input is off, nothing changed
        ELookup lookup = ELookup::None;
        int page = -1;    // active page index
        int object = -1;  // shape object under the point, or -1
    };

    CVkbModel() = default;
    virtual ~CVkbModel() = default;
    CVkbModel(const CVkbModel&) = delete;
    CVkbModel& operator=(const CVkbModel&) = delete;

    CVkbData& Data() { return m_data; }
    const CVkbData& Data() const { return m_data; }

    // Loads the description (missing tags leave the defaults), then replaces the
    // transparency with the button-face colour. The list is emptied.
    int LoadFromTagList(CTagBufLst& list, uint32_t buttonFace);
    // Each given picture becomes the loaded and working picture of its slot; then the
    // transparency is replaced and the display shows the normal picture.
    void SetPictures(const CPixBuf* normal, const CPixBuf* pressed, const CPixBuf* highlight,
                     uint32_t buttonFace);
    // Rebuilds the working pictures with this button-face colour (a colour, red low) and
    // the display picture from them, keys included.
    void ReplaceTransparency(uint32_t buttonFace);
    uint32_t ButtonFace() const { return m_buttonFace; }

    // nullptr for an index other than 0, 1, 2 (CVkbData::kNormal, kPressed, kHighlight).
    const CPixBuf* Working(int i) const;
    // Always 32 bits (type 0) or empty.
    CPixBuf& Display() { return m_display; }
    const CPixBuf& Display() const { return m_display; }

    int ActivePage() const { return m_data.Sbk().ActivePageIndex(); }
    // The shape object under the point on the active page, or -1.
    int HitTest(int x, int y) const;
    // The key value of shape object `object` of page `page`, looked up by the ids of both
    // in the key shape map; -1 when the indexes are out of range or the map has no entry.
    int32_t KeyValueOf(int page, int object) const;

    // Updates pointer 0 from a mouse event (the previous states are kept first) and says
    // which lookup the event asks for. A press or (while double clicks press) a double
    // click sets the button down and asks for the press lookup, a release sets it up and
    // asks for the release lookup, a move takes the button state, and leaving the window
    // takes the pointer away. Ignored while input is disabled or blocked.
    SMouseOutcome MouseInput(EMouse kind, int x, int y, bool leftDown, uint32_t time);
    // Redraws the display picture from the working normal picture and the keys under the
    // present pointers; returns the number of keys drawn. Nothing while input is blocked
    // or without an active page.
    int RedrawKeys();

    PointerStates& Pointers() { return m_pointers; }
    const PointerStates& Pointers() const { return m_pointers; }
    const PointerStates& PreviousPointers() const { return m_previousPointers; }

    bool InputEnabled() const { return m_inputEnabled; }
    void SetInputEnabled(bool on) { m_inputEnabled = on; }
    bool InputBlocked() const { return m_inputBlocked; }
    void SetInputBlocked(bool on) { m_inputBlocked = on; }
    bool DoubleClickPresses() const { return m_doubleClickPresses; }
    void SetDoubleClickPresses(bool on) { m_doubleClickPresses = on; }

protected:
    // Called after a new description was loaded, before the display is rebuilt.
    virtual void DescriptionLoaded() {}

private:
    // Copies the rectangle of the key under the pointer from the pressed or highlight
    // picture; false when no rectangle key lies there.
    bool DrawKey(const SPointerState& pointer);

    CVkbData m_data;
    CPixBuf m_working[CVkbData::kPictureCount];
    CPixBuf m_display;
    uint32_t m_buttonFace = 0;
    PointerStates m_pointers{};
    PointerStates m_previousPointers{};
    bool m_inputEnabled = true;
    bool m_inputBlocked = false;
    bool m_doubleClickPresses = true;
};
