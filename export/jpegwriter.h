#pragma once

#include <string>

namespace zv {

class cDIBSection;

// What the last failed SaveJpeg left behind, in the form the program's error records take.
struct JpegErrorRecord
{
    int number = 0;          // 26001 after a failure, 0 after a success
    std::string source;      // the executable's name followed by ".mIntelJPEGLibrary"
    std::string description; // a fixed text and the encoder's status, or why the file failed
    std::string reason;      // the failure in plain words, for a message or a log line
};

inline constexpr int kJpegErrorNumber = 26001;

// Writes bitmap to path as an upright baseline colour JPEG of its width x height at quality
// (0 to 100), through WriteFileAtomically: a failure leaves a file already at path as it was,
// and a replaced file keeps its permission bits and its access and modification times.
// Returns true on success; on failure LastJpegError() says why.
bool SaveJpeg(const cDIBSection &bitmap, const std::string &path, int quality);

// The file SaveJpeg writes, into bytes instead, for a caller that writes it together with
// others (WriteFilesAtomically). Returns true on success; on failure LastJpegError() says why.
bool EncodeJpeg(const cDIBSection &bitmap, int quality, std::string &bytes);

const JpegErrorRecord &LastJpegError();

} // namespace zv
