// The picture of the results graphs that is written with every profile file set: a 2 x 2
// mosaic of the four graphs (density top left, velocity bottom left, pressure top right,
// temperature bottom right) or, on a frozen grid, the temperature graph alone; below the
// graphs three text lines with the caption centred, its top two line heights above the
// bottom edge. Works headless (QT_QPA_PLATFORM=offscreen); the batch runner uses it too.
#pragma once

#include <QImage>
#include <functional>
#include <string>

#include "core/run/ResultsGraphs.h"

namespace tarvex {

// The caption of a picture file: the file name without folder and extension, in which
// the first "p" followed by a digit becomes " ," and every "#" followed by a digit
// becomes " - ", so that an output name reads as the signed decimal time it encodes
// ("0001p500ps" -> "0001 ,500ps"). onlyPointRule: apply the "p" rule only (a name the
// user chose in the save dialog).
std::string PictureCaption(const std::string& path, bool onlyPointRule = false);

// The composed picture at the graphs' current sizes.
QImage ComposeResultsPicture(const TResultsGraphs& graphs, const std::string& caption);

// The picture writer the result-file hooks take: writes the picture of the graphs to
// `path`, JPEG when the extension is .jpg/.jpeg, BMP otherwise, atomically. `final` is
// the driver's flag for the last interval of a run; a writer without a person to ask (the
// batch runner, MakePictureWriter) writes to `path` either way, the desktop program asks
// for the name first. Returns false with the reason (file name included) in `error`.
using PictureWriter = std::function<bool(const std::string& path, bool final, std::string& error)>;

// A writer bound to the graphs (which must outlive it).
PictureWriter MakePictureWriter(const TResultsGraphs& graphs);

// Writes the picture to `path` with the caption from `path`; the one call the writer and
// the desktop program's save dialog share.
bool SaveResultsPicture(const TResultsGraphs& graphs, const std::string& path,
                        const std::string& caption, std::string& error);

}  // namespace tarvex
