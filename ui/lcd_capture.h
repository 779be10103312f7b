// LCD capture: the main LCD window's picture saved as a BMP file in the capture folder.
//
// The saved picture is a copy of what the LCD window shows, with a one-pixel black outline
// along its edges, named "LCD_YYYYMMDD_hhmmss.bmp" after the local time (capture_name.h: a
// second capture within the same second gets "_2", so no picture is overwritten). Nothing
// here reads LCD memory: the picture is the one the last display refresh drew.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "data/pix_buf.h"

// A 32-bit copy of the picture with the black outline drawn from (0, 0) to
// (width - 1, height - 1). An empty picture gives an empty copy.
CPixBuf FramedLcdPicture(const CPixBuf& lcd);

enum class CaptureOutcome {
    Saved,
    NoFolder,     // no capture folder, or it is gone and could not be set up again
    NoPicture,    // the LCD window shows no layout
    WriteFailed,  // "Failed to create file '%s'" was shown
};

struct SCaptureResult {
    CaptureOutcome outcome = CaptureOutcome::NoFolder;
    std::string path;  // the file written (or tried)
};

// folder: the capture folder; when it no longer exists, setUpFolder gives it anew (and the
// new value is stored). The BMP is written through a temporary file, so a failed write
// leaves no partial picture; then "Failed to create file '%s'" is shown (plain box). busy,
// when given, is called with true before the write and with false after it (the front end
// shows the wait cursor meanwhile, and not over the message).
SCaptureResult CaptureLcdPicture(std::string& folder,
                                 const std::function<std::string()>& setUpFolder,
                                 const CPixBuf& lcd, const std::tm& localTime,
                                 const std::function<void(bool busy)>& busy = {});
