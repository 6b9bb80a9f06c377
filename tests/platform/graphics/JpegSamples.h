#pragma once
// Small JPEG files made with libjpeg's own compressor, in the forms the
// decoder must read: colour, grey, CMYK and YCCK, progressive, arithmetic.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace lumvex::test {

struct JpegSample {
    int width = 16;
    int height = 16;
    J_COLOR_SPACE input = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE stored = JCS_UNKNOWN;  // the file's colour space when not the default
    bool adobeMarker = true;  // for CMYK files
    int quality = 90;
    bool progressive = false;
    bool arithmetic = false;
    std::vector<jpeg_scan_info> scans;  // an own scan script
    // The samples of pixel (x, y): 1, 3 or 4 of them as the input asks.
    std::function<std::vector<int>(int x, int y)> pixel = [](int x, int y) {
        return std::vector<int>{x * 16 % 256, y * 16 % 256, 128};
    };
};

inline std::string MakeJpeg(const JpegSample& sample) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const int components = sample.input == JCS_GRAYSCALE ? 1 : sample.input == JCS_CMYK ? 4 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(sample.width);
    cinfo.image_height = static_cast<JDIMENSION>(sample.height);
    cinfo.input_components = components;
    cinfo.in_color_space = sample.input;
    jpeg_set_defaults(&cinfo);
    if (sample.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, sample.stored);
    if (!sample.adobeMarker) cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, sample.quality, TRUE);
    if (sample.progressive) jpeg_simple_progression(&cinfo);
    if (!sample.scans.empty()) {
        cinfo.scan_info = sample.scans.data();
        cinfo.num_scans = static_cast<int>(sample.scans.size());
    }
    cinfo.arith_code = sample.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(sample.width) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < sample.width; ++x) {
            std::vector<int> v = sample.pixel(x, y);
            for (int c = 0; c < components; ++c) row[static_cast<size_t>(x) * components + c] = static_cast<JSAMPLE>(v[c]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// The offset of the first marker 0xFF code in a file, or npos.
inline std::size_t FindMarker(const std::string& bytes, unsigned char code) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && static_cast<unsigned char>(bytes[i + 1]) == code) return i;
    return std::string::npos;
}

}  // namespace lumvex::test
