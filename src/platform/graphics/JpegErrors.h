#pragma once
// Turns libjpeg's errors into EJPEG exceptions instead of ending the process,
// and keeps its warnings quiet (noting when the data ran out).
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

#include "platform/graphics/Jpeg.h"

namespace lumvex::jpeg {

struct ErrorHandler {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer leads back to the handler
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 80] = {};
    // The compressed data ran out (or, Huffman-coded, ran into a marker) and
    // libjpeg went on with zeros.
    bool dataEnded = false;
};

// Points cinfo's error manager at handler; call before jpeg_create_*.
void InstallErrorHandler(jpeg_common_struct& cinfo, ErrorHandler& handler);

// Ends the running libjpeg call with message (from a libjpeg callback).
[[noreturn]] void Fail(j_common_ptr cinfo, const char* message);

// Runs step and raises EJPEG when libjpeg reports an error inside it.
// libjpeg leaves step by longjmp, so step must not own objects with
// destructors; C++ exceptions thrown by step itself pass through as usual.
template <class Step>
void Guarded(ErrorHandler& handler, Step&& step) {
    if (setjmp(handler.jump)) throw EJPEG(handler.message);
    step();
}

}  // namespace lumvex::jpeg
