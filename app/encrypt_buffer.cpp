#include "app/encrypt_buffer.h"

#include <cstring>
#include <memory>

namespace {

using Transform = uint8_t* (*)(const uint8_t*, int32_t, const char*, int32_t*);

int TransformBuffer(CBuf& buffer, const char* checkWord, Transform transform) {
    if (buffer.IsBorrowed() || buffer.ElementSize() != 1 || !buffer.Data()) return 0;
    int32_t outLength = 0;
    std::unique_ptr<uint8_t[]> out(
        transform(buffer.Data(), buffer.TotalBytes(), checkWord, &outLength));
    if (!out) return 0;
    buffer.Resize(outLength, 0);
    if (buffer.Count() != outLength) return 0;
    std::memcpy(buffer.Data(), out.get(), size_t(outLength));
    return 1;
}

}  // namespace

int CEncrypt::UnwrapBuffer(CBuf& buffer, const char* checkWord) {
    return TransformBuffer(buffer, checkWord, &C_Encrypt::Unwrap);
}

int CEncrypt::WrapBuffer(CBuf& buffer, const char* checkWord) {
    return TransformBuffer(buffer, checkWord, &C_Encrypt::Wrap);
}
