// Picture files: a QImage written as a Windows bitmap (BMP) or as a JPEG through the
// libjpeg API. Every write is checked and atomic: the encoded picture goes to a
// temporary file in the target's folder that is renamed over the target only when it is
// complete, so a failed write never leaves half a picture in place of a good one.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/AtomicFile.h"

namespace tarvex {

enum class PictureFormat { Bmp, Jpeg };

// Quality of the JPEG pictures (libjpeg's 0..100 scale).
inline constexpr int kJpegQuality = 92;

// The JPEG bytes of an image; false with the reason in `error` when libjpeg failed.
bool EncodeJpeg(const QImage& image, int quality, std::vector<unsigned char>& out,
                std::string& error);

// The BMP bytes of an image.
bool EncodeBmp(const QImage& image, std::vector<unsigned char>& out, std::string& error);

// Writes the picture atomically. The message of a failure names the file and the reason.
FileWriteResult WritePicture(const std::filesystem::path& path, const QImage& image,
                             PictureFormat format);

// The format a file name asks for: ".jpg" / ".jpeg" (any case) JPEG, anything else BMP.
PictureFormat PictureFormatOf(const std::filesystem::path& path);

// SaveNamed: appends ".jpg" or ".bmp" when the name has no extension.
std::filesystem::path WithPictureExtension(const std::filesystem::path& path, PictureFormat format);

}  // namespace tarvex
