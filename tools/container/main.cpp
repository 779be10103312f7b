// orvane-container: makes and opens firmware containers (.eepm).
//
//   orvane-container wrap IN OUT     raw image -> container
//   orvane-container unwrap IN OUT   container -> raw image
//
// Exit codes: 0 done, 1 the input was refused or a file could not be read or written,
// 2 wrong usage. The output is written only when the whole operation succeeds.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/encrypt_buffer.h"
#include "app/firmware_container.h"
#include "util/file_bytes.h"
#include "util/strfmt.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-container wrap IN OUT     make a firmware container from a raw image\n"
    "       orvane-container unwrap IN OUT   take the raw image out of a container\n";

int Fail(const std::string& why) {
    std::fprintf(stderr, "orvane-container: %s\n", why.c_str());
    return 1;
}

// Why Wrap refused: the checks it makes, in its order.
std::string WrapRefusal(const CBuf& image) {
    if (image.TotalBytes() < C_Encrypt::kMinPlainLength)
        return StrFormat("the image has %d bytes; a container needs at least %d",
                         image.TotalBytes(), C_Encrypt::kMinPlainLength);
    CBuf copy(image);
    if (!copy.Scramble()) return "the scrambler cannot derive a key from this image";
    return "the image is too uniform to wrap (one byte value repeats over 80% of it)";
}

std::string UnwrapRefusal(const CBuf& box) {
    if (box.TotalBytes() < C_Encrypt::kMinContainerLength)
        return StrFormat("%d bytes is too short for a container (at least %d)", box.TotalBytes(),
                         C_Encrypt::kMinContainerLength);
    return "not a firmware container: its check block does not hold the check word";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 4 || (std::strcmp(argv[1], "wrap") && std::strcmp(argv[1], "unwrap"))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    bool wrap = !std::strcmp(argv[1], "wrap");
    std::string in = argv[2], out = argv[3];

    CBuf bytes;
    switch (ReadFileBytes(in, bytes)) {
        case FileRead::Ok:
            break;
        case FileRead::OpenFailed:
            return Fail(StrFormat("cannot open '%s'", in.c_str()));
        case FileRead::ReadFailed:
            return Fail(StrFormat("cannot read '%s'", in.c_str()));
        case FileRead::TooLarge:
            return Fail(StrFormat("'%s' is too large (2 GiB or more)", in.c_str()));
    }
    CBuf original(bytes);
    int done =
        wrap ? CEncrypt::WrapBuffer(bytes, kCheckWord) : CEncrypt::UnwrapBuffer(bytes, kCheckWord);
    if (!done)
        return Fail(StrFormat("'%s': %s", in.c_str(),
                              (wrap ? WrapRefusal(original) : UnwrapRefusal(original)).c_str()));
    if (!WriteFileAtomically(out, bytes.Data(), size_t(bytes.TotalBytes())))
        return Fail(StrFormat("cannot write '%s'", out.c_str()));
    return 0;
}
