#include "ui/calc_panel_keys.h"

#include <cstring>

#include "data/vkb_data.h"
#include "ui/shape_bounds.h"
#include "util/strfmt.h"

namespace {
constexpr int kLcdAreaPage = 1;
}  // namespace

bool IsUsableKeyMap(const CBuf& keyMap) {
    return keyMap.ElementSize() == int(sizeof(SKeyMapEntry));
}

std::optional<SKeyMapEntry> FindKeyMapEntry(const CBuf& keyMap, int32_t keyValue) {
    if (!IsUsableKeyMap(keyMap)) return std::nullopt;
    for (int i = 0; i < keyMap.Count(); ++i) {
        SKeyMapEntry e;
        keyMap.GetElement(i, &e);
        if (e.keyValue == keyValue) return e;
    }
    return std::nullopt;
}

std::string KeyMapEntryName(const SKeyMapEntry& entry) {
    return std::string(entry.name, strnlen(entry.name, sizeof entry.name));
}

std::optional<SKeyPosition> PressLookup(const CVkbData& vkb, const CBuf& keyMap, int page,
                                        int object) {
    const CSpg* spg = vkb.Sbk().Page(page);
    const CSob* sob = spg ? spg->Sob(object) : nullptr;
    if (!sob) return std::nullopt;
    int32_t keyValue = vkb.FindKeyValue(spg->Id(), sob->Id());
    if (keyValue == -1) return std::nullopt;
    std::optional<SKeyMapEntry> e = FindKeyMapEntry(keyMap, keyValue);
    if (!e) return std::nullopt;
    return SKeyPosition{e->row, e->column};
}

std::string ShapeLabelText(const SLabelSwitches& on, int objectIndex, int32_t objectId,
                           int32_t keyValue, const std::optional<SKeyMapEntry>& entry) {
    std::string text;
    auto line = [&text](const std::string& s) {
        if (!text.empty()) text += "\n";
        text += s;
    };
    if (on.objectNumber) line(StrFormat("Ob#=%d", objectIndex));
    if (on.objectId) line(StrFormat("ObId=%d", objectId));
    if (!on.keyValue && !on.keyPosition && !on.keyName) return text;
    bool known = keyValue != -1;
    std::optional<SKeyMapEntry> e = known ? entry : std::nullopt;
    if (on.keyValue) line(StrFormat("Vk=%d", keyValue));
    if (on.keyPosition && known)
        line(StrFormat("KeyPos=%d,%d", e ? e->row : -1, e ? e->column : -1));
    if (on.keyName) line(e ? KeyMapEntryName(*e) : std::string());
    return text;
}

void UpdateShapeLabels(CVkbData& vkb, const CBuf& keyMap, const SLabelSwitches& on) {
    CSbk& sbk = vkb.Sbk();
    for (int p = 0; p < sbk.PageCount(); ++p) {
        CSpg& page = *sbk.Page(p);
        for (int o = 0; o < page.SobCount(); ++o) {
            CSob& sob = *page.Sob(o);
            int32_t keyValue = vkb.FindKeyValue(page.Id(), sob.Id());
            sob.SetLabelText(
                ShapeLabelText(on, o, sob.Id(), keyValue, FindKeyMapEntry(keyMap, keyValue)));
        }
    }
}

std::optional<SPointI> LcdAreaOrigin(const CSbk& sbk) {
    const CSpg* page = sbk.Page(kLcdAreaPage);
    const CSob* sob = page ? page->Sob(0) : nullptr;
    std::optional<SRectI> bounds = sob ? ShapeBounds(*sob) : std::nullopt;
    if (!bounds) return std::nullopt;
    return SPointI{bounds->left, bounds->top};
}
