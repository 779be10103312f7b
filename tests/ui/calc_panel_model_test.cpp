// The calculator panel without its window: loading from damaged files.
#include <gtest/gtest.h>

#include "data/gen_file.h"
#include "tests/data/data_fixtures.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/calc_panel_model.h"

namespace {

constexpr uint32_t kButtonFace = Rgb(236, 233, 216);

TEST(CalcPanelModel, ATruncatedFileLoadsWhatItHoldsOrNothingAndNeverBreaksTheLookups) {
    CTempDir dir;
    ASSERT_TRUE(WriteTestPanel(dir.Path("p.CalPnl")));
    Bytes bytes = dir.Read("p.CalPnl");
    // Every length through the headers and the first tags, then samples of the pictures.
    std::vector<size_t> lengths;
    for (size_t n = 0; n < 600; n += 3)
        lengths.push_back(n);
    for (size_t n = 600; n < bytes.size(); n += bytes.size() / 60)
        lengths.push_back(n);
    int refused = 0;
    for (size_t length : lengths) {
        CCalcPanelModel panel;
        CGenFile good;
        ASSERT_TRUE(good.OpenMemory(bytes.data(), int64_t(bytes.size())));
        ASSERT_EQ(panel.LoadPanelFile(good, kButtonFace), 1);
        TestPlatform().ClearMessages();

        CGenFile cut;
        ASSERT_TRUE(cut.OpenMemory(bytes.data(), int64_t(length)));
        if (!panel.LoadPanelFile(cut, kButtonFace)) {
            ++refused;
            EXPECT_EQ(TestPlatform().Texts().size(), 1u) << length;
            EXPECT_EQ(panel.KeyMap().Count(), 5) << length;
            EXPECT_EQ(panel.Display().Width(), kPanelWidth) << length;
        }
        for (QPoint p : {kKey5, kKeyOn, kKeySin, kBetweenKeys}) {
            auto out = panel.MouseInput(CVkbModel::EMouse::Press, p.x(), p.y(), true, 0);
            panel.RedrawWithLcd();
            panel.PressLookup(out.page, out.object);
        }
        panel.UpdateShapeLabels();
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
