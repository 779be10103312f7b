// Reading an element buffer's file form (12-byte header count, element size, grow step,
// then count x element size bytes) without trusting the header further than the file.
//
// The same refusals as CBuf::ReadFrom (a negative count, an element size <= 0, data the
// stream cannot hold; the rest of the stream is consumed then, as a short read would), and
// one more safeguard: the stored grow step is not used to allocate. CBuf::ReadFrom assigns
// count + grow step elements, so a damaged grow step of 2^30 would make a 20-byte tag buffer
// take a gigabyte. Here the buffer gets exactly count elements and keeps the stored grow
// step as its setting (so a buffer written back has the same header), limited to what
// would let a later append take twice the data or 4 KiB more.
#pragma once

#include "util/byte_stream.h"
#include "util/cbuf.h"

// 1 when the whole form was read. A borrowed buffer refuses.
int ReadBufFileForm(CByteStream& file, CBuf& buf);
