#include "platform/graphics/JpegErrors.h"

#include <cstring>

#include <jerror.h>

namespace lumvex::jpeg {
namespace {

ErrorHandler& HandlerOf(j_common_ptr cinfo) { return *reinterpret_cast<ErrorHandler*>(cinfo->err); }

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    ErrorHandler& handler = HandlerOf(cinfo);
    switch (cinfo->err->msg_code) {
    case JERR_INPUT_EMPTY: Fail(cinfo, "The JPEG file is empty");
    case JERR_NO_BACKING_STORE:
    case JERR_OUT_OF_MEMORY: Fail(cinfo, "The JPEG picture needs more memory than a picture may use");
    default: break;
    }
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    std::snprintf(handler.message, sizeof handler.message,
                  handler.dataEnded ? "Invalid JPEG picture: the file ends too early (%s)" : "Invalid JPEG picture: %s",
                  text);
    std::longjmp(handler.jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    cinfo->err->num_warnings++;
    // Huffman-coded data that needs bits beyond a marker other than a restart
    // marker has ended as surely as data that runs out. (Arithmetic-coded
    // data may rightly stop early: the decoder goes on with zeros.)
    const int code = cinfo->err->msg_code;
    const bool endMarker = code == JWRN_HIT_MARKER && cinfo->is_decompressor &&
                           (reinterpret_cast<j_decompress_ptr>(cinfo)->unread_marker & 0xF8) != JPEG_RST0;
    if (code == JWRN_JPEG_EOF || endMarker) HandlerOf(cinfo).dataEnded = true;
}

void OutputMessage(j_common_ptr) {}

}  // namespace

void InstallErrorHandler(jpeg_common_struct& cinfo, ErrorHandler& handler) {
    cinfo.err = jpeg_std_error(&handler.manager);
    handler.manager.error_exit = ErrorExit;
    handler.manager.emit_message = EmitMessage;
    handler.manager.output_message = OutputMessage;
}

void Fail(j_common_ptr cinfo, const char* message) {
    ErrorHandler& handler = HandlerOf(cinfo);
    std::snprintf(handler.message, sizeof handler.message, "%s", message);
    std::longjmp(handler.jump, 1);
}

}  // namespace lumvex::jpeg
