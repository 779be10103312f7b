// The main dialog's display refresh without the window system: the read of LCD memory into
// the lit-segment list, and the drawing of that list into the LCD window's picture (layout 2)
// and over the small panel's picture, on the demo model's files (build/bin). The dialog does
// this every 100 ms; the painting of the widgets comes on top.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/firmware_container.h"
#include "core/ice.h"
#include "data/colour.h"
#include "data/lit_segments.h"
#include "data/seg_lcd.h"
#include "ui/calc_panel_model.h"
#include "ui/emulator_control.h"
#include "ui/lcd_refresh.h"

namespace {

const std::string kBin = ORVANE_BIN_DIR;

// The demo firmware after power-on, showing "0.", stepped on this thread (not much further:
// stepped standby waits end at once, so the auto power-off would soon blank the display).
std::unique_ptr<CIce> DemoMachine(bool allLit) {
    CBuf image;
    if (LoadFirmwareContainer(kBin + "/ZT_K318V.eepm", image) != FirmwareLoad::Ok) return nullptr;
    std::vector<uint16_t> words = ImageWords(image);
    auto ice = std::make_unique<CIce>();
    ice->SetBankCount(CIce::kDefaultBankCount);
    ice->SetVariant();
    ice->Init();
    ice->LoadImage(words.data(), words.size());
    ice->Reset();
    for (int i = 0; i < 20000; ++i)
        ice->StepPass();
    if (allLit)
        for (int page = 0; page < CLCDRam::kPages; ++page)
            for (int c = 0; c < CLCDRam::kColumns; ++c)
                ice->Cpu().Lcd().WriteCell(page, c, 0xFF);
    return ice;
}

void BM_ReadLitSegments(benchmark::State& state) {
    std::unique_ptr<CIce> ice = DemoMachine(state.range(0) != 0);
    if (!ice) return state.SkipWithError("build the demo model first");
    CBuf list;
    for (auto _ : state) {
        BuildLitSegments(*ice, list);
        benchmark::DoNotOptimize(list.Data());
    }
    state.counters["segments"] = list.Count();
}
BENCHMARK(BM_ReadLitSegments)->Arg(0)->Arg(1)->ArgName("all_lit");

void BM_RefreshTick(benchmark::State& state) {
    std::unique_ptr<CIce> ice = DemoMachine(state.range(0) != 0);
    CSegLcdDatSet segLcd;
    CCalcPanelModel panel;
    if (!ice || !segLcd.Load(kBin + "/ZT_K318V.SegLcd") ||
        !panel.LoadPanelFile(kBin + "/ZT_K318V_SP.CalPnl", Rgb(240, 240, 240)))
        return state.SkipWithError("build the demo model first");
    panel.SetLcdLayout(segLcd.Layout(0));
    const CSegLcdDat* window = segLcd.Layout(2);
    CPixBuf lcd;
    lcd.Create(window->Picture().Width(), window->Picture().Height(), 0);
    SLcdViewParams view;
    view.layout = window;
    CBuf list;
    for (auto _ : state) {
        BuildLitSegments(*ice, list);
        CSegLcdDatSet::Draw(lcd, view, list);
        panel.SetLitSegments(list);
        panel.RedrawWithLcd();
        benchmark::DoNotOptimize(lcd.Data());
    }
}
BENCHMARK(BM_RefreshTick)->Arg(0)->Arg(1)->ArgName("all_lit")->Unit(benchmark::kMicrosecond);

}  // namespace
