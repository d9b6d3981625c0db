#include "picture_encode.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

namespace velmo {
namespace {

void PngAppend(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void PngFlush(png_structp) {}

std::vector<uint8_t> RgbRows(const ColorImage& image) {
  std::vector<uint8_t> rgb(image.pixels.size() * 3);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[3 * i] = uint8_t(image.pixels[i] >> 16);
    rgb[3 * i + 1] = uint8_t(image.pixels[i] >> 8);
    rgb[3 * i + 2] = uint8_t(image.pixels[i]);
  }
  return rgb;
}

}  // namespace

std::vector<uint8_t> EncodePng(const ColorImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> rgb = RgbRows(image);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, PngAppend, PngFlush);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) png_write_row(png, rgb.data() + size_t(y) * size_t(image.width) * 3);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const ColorImage& image, int quality, JpegScans scans) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (scans == JpegScans::Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> rgb = RgbRows(image);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = rgb.data() + size_t(cinfo.next_scanline) * size_t(image.width) * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

}  // namespace velmo
