#include "data/buf_file_form.h"

#include <algorithm>
#include <climits>

#include "util/le.h"

int ReadBufFileForm(CByteStream& file, CBuf& buf) {
    if (buf.IsBorrowed()) return 0;
    uint8_t header[12];
    if (file.ReadBytes(header, 12) != 12) return 0;
    int32_t count = GetLe32(header), elementSize = GetLe32(header + 4);
    int32_t growStep = GetLe32(header + 8);
    if (count < 0 || elementSize <= 0) return 0;
    int64_t size = int64_t(count) * elementSize;
    int64_t left = file.BytesLeft();
    if (size > INT32_MAX || (left >= 0 && size > left)) {
        uint8_t sink[4096];
        while (left > 0 && file.ReadBytes(sink, std::min<int64_t>(left, sizeof sink)) > 0)
            left = file.BytesLeft();
        return 0;
    }
    buf.Assign(count, elementSize, nullptr, 0, 0);
    if (buf.Count() != count || buf.ElementSize() != elementSize) return 0;
    // Keep the stored grow step as the buffer's setting, but never one that would make a
    // later append allocate far more than the data: at most twice the data or 4 KiB.
    int64_t spare = std::max<int64_t>(2 * size, 4096) / elementSize;
    buf.SetGrowStep(int(std::clamp<int64_t>(growStep, 0, spare)));
    return size == 0 || file.ReadBytes(buf.Data(), size) == size;
}
