// CEncrypt: wrap and unwrap applied to the bytes of an element buffer, in place.
#pragma once

#include "util/cbuf.h"
#include "util/encrypt.h"

class CEncrypt : public C_Encrypt {
public:
    // 1 when the buffer now holds the plaintext; 0 leaves the buffer untouched. Only owning
    // byte buffers (element size 1) are accepted.
    static int UnwrapBuffer(CBuf& buffer, const char* checkWord);
    // 1 when the buffer now holds the container (8 bytes longer); 0 leaves it untouched.
    static int WrapBuffer(CBuf& buffer, const char* checkWord);
};
