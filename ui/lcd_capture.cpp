#include "ui/lcd_capture.h"

#include <filesystem>
#include <system_error>

#include "data/image_file_io.h"
#include "data/pix_buf_draw.h"
#include "ui/capture_folder.h"
#include "ui/capture_name.h"
#include "util/platform.h"
#include "util/strfmt.h"

CPixBuf FramedLcdPicture(const CPixBuf& lcd) {
    CPixBuf copy = lcd;
    if (copy.IsEmpty()) return copy;
    if (copy.Type() != 0) copy.ChangeType(0);
    CPixBufDraw(copy).RectOutline(0, 0, copy.Width() - 1, copy.Height() - 1, 1, CPixBufDraw::kSolid,
                                  0, 1, 0x000000);
    return copy;
}

SCaptureResult CaptureLcdPicture(std::string& folder,
                                 const std::function<std::string()>& setUpFolder,
                                 const CPixBuf& lcd, const std::tm& localTime,
                                 const std::function<void(bool busy)>& busy) {
    SCaptureResult result;
    if (folder.empty()) return result;
    if (!FolderExists(folder)) {
        if (setUpFolder) folder = setUpFolder();
        if (!FolderExists(folder)) return result;
    }
    if (lcd.IsEmpty()) {
        result.outcome = CaptureOutcome::NoPicture;
        return result;
    }
    CPixBuf framed = FramedLcdPicture(lcd);
    result.path = CaptureFileName(folder, localTime, [](const std::string& name) {
        std::error_code error;
        return std::filesystem::exists(name, error);
    });
    if (busy) busy(true);
    const int written = CImageFileIO::WriteBmp(result.path, framed, nullptr, 0);
    if (busy) busy(false);
    if (!written) {
        ShowPlain(StrFormat("Failed to create file '%s'", result.path.c_str()));
        result.outcome = CaptureOutcome::WriteFailed;
        return result;
    }
    result.outcome = CaptureOutcome::Saved;
    return result;
}
