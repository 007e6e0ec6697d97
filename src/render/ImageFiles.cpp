// BMP and JPEG encoding and the atomic picture write.
#include "render/ImageFiles.h"

#include <jpeglib.h>

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarvex {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back
// to EncodeJpeg, which holds no objects with destructors between setjmp and the jump.
struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
  JpegErrorManager* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void JpegQuietOutput(j_common_ptr) {}

// The encoder proper; plain data only (see JpegErrorManager). `rgb` is RGB888.
bool CompressRgb(const unsigned char* rgb, int width, int height, qsizetype stride, int quality,
                 unsigned char** buffer, unsigned long* size, char* message) {
  jpeg_compress_struct cinfo;
  JpegErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = JpegErrorExit;
  err.pub.output_message = JpegQuietOutput;
  err.message[0] = '\0';
  if (setjmp(err.jump) != 0) {
    jpeg_destroy_compress(&cinfo);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<qsizetype>(cinfo.next_scanline) * stride);
    if (jpeg_write_scanlines(&cinfo, &row, 1) != 1) {
      jpeg_destroy_compress(&cinfo);
      std::snprintf(message, JMSG_LENGTH_MAX, "%s", "the encoder refused a scan line");
      return false;
    }
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

}  // namespace

bool EncodeJpeg(const QImage& image, int quality, std::vector<unsigned char>& out,
                std::string& error) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    error = "the picture is empty";
    return false;
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = CompressRgb(rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(),
                              std::clamp(quality, 1, 100), &buffer, &size, message);
  if (ok && buffer != nullptr) out.assign(buffer, buffer + size);
  std::free(buffer);  // jpeg_mem_dest allocates with malloc
  if (!ok) {
    error = std::string("JPEG encoding failed: ") + message;
    return false;
  }
  return true;
}

bool EncodeBmp(const QImage& image, std::vector<unsigned char>& out, std::string& error) {
  if (image.isNull()) {
    error = "the picture is empty";
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) {
    error = "BMP encoding failed";
    return false;
  }
  out.assign(bytes.begin(), bytes.end());
  return true;
}

FileWriteResult WritePicture(const std::filesystem::path& path, const QImage& image,
                             PictureFormat format) {
  std::vector<unsigned char> bytes;
  std::string error;
  const bool encoded = format == PictureFormat::Jpeg ? EncodeJpeg(image, kJpegQuality, bytes, error)
                                                     : EncodeBmp(image, bytes, error);
  if (!encoded) return {false, "Cannot write file \"" + path.string() + "\": " + error};
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

PictureFormat PictureFormatOf(const std::filesystem::path& path) {
  const std::string ext = Lower(path.extension().string());
  return ext == ".jpg" || ext == ".jpeg" ? PictureFormat::Jpeg : PictureFormat::Bmp;
}

std::filesystem::path WithPictureExtension(const std::filesystem::path& path,
                                           PictureFormat format) {
  if (path.has_extension()) return path;
  std::filesystem::path p = path;
  p += format == PictureFormat::Jpeg ? ".jpg" : ".bmp";
  return p;
}

}  // namespace tarvex
