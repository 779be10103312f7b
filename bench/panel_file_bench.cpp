// Loading a panel-sized container (about 2 MB: three 420 x 400 panel pictures, a shape book
// of 60 keys and the key maps), as the front end does at start-up for each panel file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/colour.h"
#include "data/gen_file.h"
#include "data/kind_file.h"
#include "data/panel_file.h"
#include "data/tag_buf_list.h"
#include "data/vkb_data.h"

namespace {

constexpr int kWidth = 420, kHeight = 400, kRows = 10, kColumns = 6;

void BuildPanel(CVkbData& vkb, CBuf& keyMap) {
    CSbk& sbk = vkb.Sbk();
    CSpg* keys = sbk.AddPage(1, "Keys");
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            int id = 100 + r * kColumns + c;
            keys->AddSob(
                CSob::NewRectangle(id, 10 + 68 * c, 150 + 24 * r, 70 + 68 * c, 170 + 24 * r));
            vkb.AddKeyShape(1, id, id);
            AddKeyMapEntry(keyMap, id, r, c, "KEY" + std::to_string(id));
        }
    sbk.AddPage(2, "Lcd")->AddSob(CSob::NewRectangle(1, 20, 20, 400, 120));
    sbk.SetActivePage(0);
    for (int i = 0; i < CVkbData::kPictureCount; ++i) {
        CPixBuf* pic = vkb.Picture(i);
        pic->Create(kWidth, kHeight, 0);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pic->SetRaw(x, y, uint32_t(x * 7 + y * 13 + i));
    }
}

const CBuf& PanelBytes() {
    static CBuf bytes = [] {
        CVkbData vkb;
        CBuf keyMap = NewKeyMap();
        BuildPanel(vkb, keyMap);
        CGenFile file;
        file.CreateMemory();
        WritePanelFile(file, vkb, keyMap);
        file.Close();
        return file.Memory();
    }();
    return bytes;
}

// What the panel does with an open file: the list, the keyboard, the key map.
void LoadPanel(CGenFile& file) {
    CTagBufLst list;
    if (ReadKindFile(file, kPanelFileKind, kPanelSection, list) != EKindRead::Ok) std::abort();
    CVkbData vkb;
    vkb.LoadFromTagList(*list.Extract(kPanelVkbChild, true, nullptr, true));
    CBuf keyMap;
    if (const CTagBuf* map = list.FindTag(kPanelKeyMapTag)) map->CopyUnitsTo(keyMap);
    if (vkb.Sbk().Page(0)->SobCount() != kRows * kColumns) std::abort();
    benchmark::DoNotOptimize(vkb.Picture(2)->Data());
}

void BM_SectionIndexScan(benchmark::State& state) {
    const CBuf& bytes = PanelBytes();
    for (auto _ : state) {
        CGenFile file;
        file.OpenMemory(bytes);
        benchmark::DoNotOptimize(file.SectionIndex().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.TotalBytes());
}
BENCHMARK(BM_SectionIndexScan)->Unit(benchmark::kMillisecond);

void BM_LoadPanelFromMemory(benchmark::State& state) {
    const CBuf& bytes = PanelBytes();
    for (auto _ : state) {
        CGenFile file;
        file.OpenMemory(bytes);
        LoadPanel(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.TotalBytes());
    state.counters["file_bytes"] = bytes.TotalBytes();
}
BENCHMARK(BM_LoadPanelFromMemory)->Unit(benchmark::kMillisecond);

void BM_LoadPanelFromDisk(benchmark::State& state) {
    const CBuf& bytes = PanelBytes();
    std::string path =
        (std::filesystem::temp_directory_path() / "orvane-bench-panel.CalPnl").string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.Data(), 1, size_t(bytes.TotalBytes()), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        CGenFile file;
        if (!file.OpenRead(path, 0, 0) || !file.LoadWholeFile()) std::abort();
        LoadPanel(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.TotalBytes());
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadPanelFromDisk)->Unit(benchmark::kMillisecond);

void BM_WritePanelToMemory(benchmark::State& state) {
    CVkbData vkb;
    CBuf keyMap = NewKeyMap();
    BuildPanel(vkb, keyMap);
    for (auto _ : state) {
        CGenFile file;
        file.CreateMemory();
        WritePanelFile(file, vkb, keyMap);
        file.Close();
        benchmark::DoNotOptimize(file.Memory().Data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * PanelBytes().TotalBytes());
}
BENCHMARK(BM_WritePanelToMemory)->Unit(benchmark::kMillisecond);

void BM_HitTestOnTheKeyPage(benchmark::State& state) {
    CVkbData vkb;
    CBuf keyMap = NewKeyMap();
    BuildPanel(vkb, keyMap);
    vkb.Sbk().UpdateSpanMaps();
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vkb.Sbk().HitTest(x % kWidth, 150 + (x / 7) % 240));
        x += 13;
    }
}
BENCHMARK(BM_HitTestOnTheKeyPage);

}  // namespace
