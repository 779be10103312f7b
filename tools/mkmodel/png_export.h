// PNG pictures of a built model, for people to look at (never read by the simulator):
//   <model>_SP.png, _SP_pressed.png, _SP_highlight.png   the small panel's three pictures
//   <model>_SP_lit.png       the normal picture with every segment lit, drawn where the
//                            simulator draws the LCD (the panel's LCD overlay position)
//   the same four for the large panel (_LP)
//   <model>_lcd<n>_segments.png   layout n's colour-coded segment picture
//   <model>_lcd<n>_lit.png        layout n with every segment lit, as the LCD window shows it
#pragma once

#include <string>
#include <vector>

class CSegLcdDatSet;
class CVkbData;

struct SBuiltPanel {
    std::string suffix;  // "_SP", "_LP"
    const CVkbData* data = nullptr;
    int lcdLayout = 0;  // the layout the simulator draws on this panel
};

// 1 on success; 0 with the reason in error.
int WritePngPictures(const std::string& folder, const std::string& model,
                     const std::vector<SBuiltPanel>& panels, const CSegLcdDatSet& lcd,
                     std::string& error);
