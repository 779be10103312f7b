#include "tools/run/firmware_source.h"

#include <filesystem>

#include "app/firmware_container.h"
#include "app/ini_file.h"
#include "app/startup_config.h"
#include "core/ice.h"
#include "tools/run/message_capture.h"
#include "tools/run/model_files.h"
#include "tools/run/run_options.h"
#include "util/file_bytes.h"
#include "util/strfmt.h"

namespace {

std::vector<uint16_t> WordsOf(const CBuf& bytes) {
    std::vector<uint16_t> words(size_t(bytes.TotalBytes() / 2));
    const uint8_t* b = bytes.Data();
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(b[2 * i] | b[2 * i + 1] << 8);
    return words;
}

int ReadRawImage(const std::string& path, CBuf& image, std::string& error) {
    switch (ReadFileBytes(path, image)) {
        case FileRead::Ok:
            return 1;
        case FileRead::OpenFailed:
            error = StrFormat("cannot open '%s'", path.c_str());
            break;
        case FileRead::ReadFailed:
            error = StrFormat("cannot read '%s'", path.c_str());
            break;
        case FileRead::TooLarge:
            error = StrFormat("'%s' is too large (2 GiB or more)", path.c_str());
            break;
    }
    return 0;
}

int ReadModelImage(const std::string& dir, CBuf& image, std::string& error) {
    std::string container = ModelFile(dir, std::string(kModelCode) + kContainerSuffix);
    FirmwareLoad loaded;
    {
        // The container's own messages would repeat what the runner reports below.
        CMessageCapture quiet;
        CScopedPlatform capture(quiet);
        loaded = LoadFirmwareContainer(container, image);
    }
    switch (loaded) {
        case FirmwareLoad::Ok:
            break;
        case FirmwareLoad::OpenFailed:
            error = StrFormat("cannot open the firmware container '%s'", container.c_str());
            return 0;
        case FirmwareLoad::ReadFailed:
            error = StrFormat("cannot read the firmware container '%s'", container.c_str());
            return 0;
        case FirmwareLoad::DecryptFailed:
            error = StrFormat("'%s' is not a firmware container (Can't decrypt the file)",
                              container.c_str());
            return 0;
    }
    CIni ini;
    if (CIniFile::Load(ModelFile(dir, kConfigFileName), ini)) {
        auto loadPicture = [](PanelSize, PanelPicture, const std::string& path) {
            return BmpPictureReadable(path);
        };
        ReadStartupConfig(ini, dir, image, loadPicture);
    }
    return 1;
}

}  // namespace

std::string ModelFile(const std::string& dir, const std::string& name) {
    return (std::filesystem::path(dir) / name).string();
}

int LoadFirmwareWords(const RunOptions& options, std::vector<uint16_t>& words, std::string& error) {
    CBuf image;
    bool model = !options.modelDir.empty();
    if (!(model ? ReadModelImage(options.modelDir, image, error)
                : ReadRawImage(options.imagePath, image, error)))
        return 0;
    if (image.TotalBytes() < 2) {
        error = model ? "ICE Bin not loaded: the model's firmware image is empty"
                      : StrFormat("'%s' holds no instruction word", options.imagePath.c_str());
        return 0;
    }
    words = WordsOf(image);
    return 1;
}

std::unique_ptr<CIce> MakeMachine(const std::vector<uint16_t>& words) {
    auto ice = std::make_unique<CIce>();
    ice->SetLcdType(0);
    ice->SetBankCount(kRunBankCount);
    ice->SetVariant();
    ice->Init();
    ice->LoadImage(words.data(), words.size());
    ice->Reset();
    return ice;
}
