#include "app/firmware_container.h"

#include "app/encrypt_buffer.h"
#include "util/file_bytes.h"
#include "util/platform.h"
#include "util/strfmt.h"

FirmwareLoad LoadFirmwareContainer(const std::string& path, CBuf& image) {
    switch (ReadFileBytes(path, image)) {
        case FileRead::Ok:
            break;
        case FileRead::OpenFailed:
            ShowError(StrFormat("Failed to open '%s' !", path.c_str()));
            return FirmwareLoad::OpenFailed;
        case FileRead::ReadFailed:
        case FileRead::TooLarge:
            ShowError(StrFormat("Failed to read '%s' !", path.c_str()));
            return FirmwareLoad::ReadFailed;
    }
    if (!CEncrypt::UnwrapBuffer(image, kCheckWord)) {
        ShowError("Can't decrypt the file");
        return FirmwareLoad::DecryptFailed;
    }
    return FirmwareLoad::Ok;
}
