#include "tests/mkmodel/demo_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/tag_buf_list.h"

std::string ModelFolder() {
    return ORVANE_BIN_DIR;
}

std::string ModelFile(const std::string& name) {
    return (std::filesystem::path(ModelFolder()) / name).string();
}

std::unique_ptr<SPanelUnderTest> LoadPanel(const std::string& path) {
    CGenFile file;
    CTagBufLst list;
    if (!file.OpenRead(path, 0, 0) ||
        ReadKindFile(file, kPanelFileKind, kPanelSection, list) != EKindRead::Ok) {
        ADD_FAILURE() << "cannot read " << path;
        return nullptr;
    }
    auto panel = std::make_unique<SPanelUnderTest>();
    if (const CTagBuf* map = list.FindTag(kPanelKeyMapTag)) {
        EXPECT_EQ(map->ElementSize(), int(sizeof(SKeyMapEntry)));
        for (int i = 0; i < map->Count(); ++i) {
            SKeyMapEntry e;
            std::memcpy(&e, map->ElementPointer(i), sizeof e);
            panel->keyMap.push_back(e);
        }
    }
    panel->vkb.LoadFromTagList(*list.Extract(kPanelVkbChild, true, nullptr, true));
    return panel;
}

std::unique_ptr<CSegLcdDatSet> LoadSegLcd(const std::string& path) {
    auto set = std::make_unique<CSegLcdDatSet>();
    if (!set->Load(path)) {
        ADD_FAILURE() << "cannot read " << path;
        return nullptr;
    }
    return set;
}

SSegRecord ObjectBox(const CSob& sob) {
    const SRectD& o = sob.Shape()->Outline();
    return {int32_t(o.left), int32_t(o.top), int32_t(o.right), int32_t(o.bottom), 0};
}

SKeyOnPanel FindKey(const SPanelUnderTest& panel, const std::string& name) {
    SKeyOnPanel found;
    const CSpg* page = panel.vkb.Sbk().ActivePage();
    if (!page) return found;
    for (const SKeyMapEntry& e : panel.keyMap) {
        if (name != e.name) continue;
        for (int i = 0; i < page->SobCount(); ++i)
            if (panel.vkb.FindKeyValue(page->Id(), page->Sob(i)->Id()) == e.keyValue) {
                found.objectIndex = i;
                found.box = ObjectBox(*page->Sob(i));
                return found;
            }
    }
    return found;
}
