#include "picture_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace velmo {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void JpegSilent(j_common_ptr) {}

struct PngReader {
  std::span<const uint8_t> data;
  size_t offset = 0;
};

void PngRead(png_structp png, png_bytep dest, png_size_t length) {
  auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
  if (length > reader->data.size() - reader->offset) png_error(png, "truncated");
  std::memcpy(dest, reader->data.data() + reader->offset, length);
  reader->offset += length;
}
void PngWarning(png_structp, png_const_charp) {}
void PngFatal(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// The helpers below stay out of line: a frame that calls setjmp must not
// keep the containers' working state in its own locals, where a longjmp
// could leave it stale.

bool SizeAllowed(uint32_t width, uint32_t height) {
  return width != 0 && height != 0 && uint64_t{width} * height <= kMaxPicturePixels;
}

// libjpeg keeps a progressive or multi-scan picture's coefficients for the
// whole picture whatever the output scale (3 bytes a pixel with the usual
// halved colour planes, 6 without). Past this it refuses the file instead
// of allocating, having no backing store to fall back on: room for about
// 44 million pixels, more than a 32-bit program should set aside for a
// preview.
constexpr long kJpegMemoryLimit = 128L << 20;

unsigned PreviewScaleDenominator(uint32_t width, uint32_t height) {
  for (unsigned denominator : {8u, 4u, 2u}) {
    const uint64_t scaledWidth = (uint64_t{width} + denominator - 1) / denominator;
    const uint64_t scaledHeight = (uint64_t{height} + denominator - 1) / denominator;
    if (scaledWidth >= kPreviewMinSide && scaledHeight >= kPreviewMinSide) return denominator;
  }
  return 1;
}

// Sizes `image`; false for an empty picture or one past the size limit.
bool SizeImage(ColorImage& image, uint32_t width, uint32_t height) {
  if (!SizeAllowed(width, height)) return false;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.resize(size_t{width} * size_t{height});
  return true;
}

// JPEG rows come one at a time through one RGB row buffer.
[[gnu::noinline]] bool StartJpegImage(ColorImage& image, uint32_t width, uint32_t height, std::vector<uint8_t>& row) {
  if (!SizeImage(image, width, height)) return false;
  row.resize(size_t{width} * 3);
  return true;
}

// PNG rows go at once into one RGBA buffer, through a table of row starts.
[[gnu::noinline]] bool StartPngImage(ColorImage& image, uint32_t width, uint32_t height, std::vector<uint8_t>& rgba,
                                     std::vector<png_bytep>& rows) {
  if (!SizeImage(image, width, height)) return false;
  const size_t stride = size_t{width} * 4;
  rgba.resize(stride * height);
  rows.resize(height);
  for (size_t y = 0; y < height; ++y) rows[y] = rgba.data() + y * stride;
  return true;
}

[[gnu::noinline]] void StoreRgbRow(const std::vector<uint8_t>& row, ColorImage& image, size_t y) {
  uint32_t* dest = image.pixels.data() + y * size_t(image.width);
  for (int x = 0; x < image.width; ++x) dest[x] = PackRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
}

[[gnu::noinline]] void ComposeOnWhite(const std::vector<uint8_t>& rgba, ColorImage& image) {
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const uint8_t* p = &rgba[4 * i];
    const unsigned a = p[3];
    auto over_white = [a](unsigned c) { return uint8_t((c * a + 255 * (255 - a) + 127) / 255); };
    image.pixels[i] = PackRgb(over_white(p[0]), over_white(p[1]), over_white(p[2]));
  }
}

}  // namespace

PictureKind SniffPicture(std::span<const uint8_t> data) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return PictureKind::Jpeg;
  if (data.size() >= 8 && std::memcmp(data.data(), kPng, 8) == 0) return PictureKind::Png;
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return PictureKind::Bitmap;
  return PictureKind::Unknown;
}

bool DecodeJpeg(std::span<const uint8_t> data, ColorImage& out, JpegScale scale) {
  if (SniffPicture(data) != PictureKind::Jpeg) return false;
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.mgr.output_message = JpegSilent;
  // Everything the jump may skip over lives outside this frame's locals.
  ColorImage image;
  std::vector<uint8_t> row;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  // The declared size is judged before libjpeg allocates for the picture.
  if (!SizeAllowed(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.mem->max_memory_to_use = kJpegMemoryLimit;
  cinfo.out_color_space = JCS_RGB;
  if (scale == JpegScale::ForPreview) {
    cinfo.scale_num = 1;
    cinfo.scale_denom = PreviewScaleDenominator(cinfo.image_width, cinfo.image_height);
  }
  jpeg_start_decompress(&cinfo);
  if (!StartJpegImage(image, cinfo.output_width, cinfo.output_height, row)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const size_t y = cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, rows, 1);
    StoreRgbRow(row, image, y);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  out = std::move(image);
  return true;
}

bool DecodePng(std::span<const uint8_t> data, ColorImage& out) {
  if (SniffPicture(data) != PictureKind::Png) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFatal, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  PngReader reader{data};
  ColorImage image;
  std::vector<uint8_t> rgba;
  std::vector<png_bytep> rows;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, PngRead);
  // The preview needs the pixels and their transparency only. libpng would
  // allocate whatever length a text or other extra chunk declares before
  // reading it (a length past the limit is only a warning), so every chunk
  // but IHDR, PLTE, tRNS, IDAT and IEND is passed over unread.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);
  // Whatever the stored format, read 8-bit RGBA; alpha is composed on white,
  // as a transparent area prints as paper.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (!StartPngImage(image, png_get_image_width(png, info), png_get_image_height(png, info), rgba, rows)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  ComposeOnWhite(rgba, image);
  out = std::move(image);
  return true;
}

bool DecodePicture(std::span<const uint8_t> data, ColorImage& out) {
  switch (SniffPicture(data)) {
    case PictureKind::Jpeg: return DecodeJpeg(data, out);
    case PictureKind::Png: return DecodePng(data, out);
    case PictureKind::Bitmap: return DecodeBitmap(data, out);
    default: return false;
  }
}

}  // namespace velmo
