#include "export/jpegwriter.h"

#include "export/atomicfile.h"
#include "export/dibsection.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace zv {

namespace {

JpegErrorRecord &Record()
{
    static JpegErrorRecord record;
    return record;
}

// libjpeg reports a fault by calling error_exit, which must not return: it jumps back to the
// encoder with the library's message code and text.
struct ErrorJump
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorJump *>(info->err);
    errors->manager.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a corrupt input cannot occur when compressing) are not printed.
void KeepQuiet(j_common_ptr) {}

enum class EncodeStage { Start, Encode, Done };

struct Encoded
{
    volatile EncodeStage stage = EncodeStage::Start; // read again after a jump
    int status = 0;                 // libjpeg's message code when stage is not Done
    unsigned char *bytes = nullptr; // malloc'd by libjpeg; the caller frees it
    unsigned long size = 0;
};

// Plain C data only between setjmp and longjmp, so that a jump skips no destructor.
void Encode(const cDIBSection &bitmap, int quality, Encoded &out, char *message)
{
    jpeg_compress_struct info;
    ErrorJump errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpOnError;
    errors.manager.output_message = KeepQuiet;
    errors.message[0] = '\0';
    // out lives outside this frame, so what the jump finds there is what was stored last.
    if (setjmp(errors.jump) != 0) {
        out.status = errors.manager.msg_code;
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        if (out.stage != EncodeStage::Start)
            jpeg_destroy_compress(&info);
        return;
    }
    jpeg_create_compress(&info);
    out.stage = EncodeStage::Encode;

    jpeg_mem_dest(&info, &out.bytes, &out.size);
    info.image_width = static_cast<JDIMENSION>(bitmap.Width());
    info.image_height = static_cast<JDIMENSION>(bitmap.Height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_YCbCr);
    jpeg_set_quality(&info, quality, TRUE);
    // Full colour resolution: a one-pixel red curve keeps its colour instead of smearing.
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    // The standard Huffman tables: tables fitted to the picture would make it about a fifth
    // smaller, but cost a second pass over it and some 600 KB held meanwhile, a large share
    // of a batch export's time.
    info.optimize_coding = FALSE;
    jpeg_start_compress(&info, TRUE);

    // Bottom-up rows: the picture's top row is the last one in memory.
    const unsigned char *pixels = bitmap.DIBSectionBitsPtr();
    const size_t stride = static_cast<size_t>(bitmap.BytesPerScanLine());
    while (info.next_scanline < info.image_height) {
        const size_t row = info.image_height - 1 - info.next_scanline;
        JSAMPROW line = const_cast<JSAMPROW>(pixels + row * stride);
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    out.stage = EncodeStage::Done;
}

void RecordFailure(std::string description, std::string reason)
{
    JpegErrorRecord &record = Record();
    record.number = kJpegErrorNumber;
    record.source = std::string(program_invocation_short_name) + ".mIntelJPEGLibrary";
    record.description = std::move(description);
    record.reason = std::move(reason);
}

} // namespace

bool EncodeJpeg(const cDIBSection &bitmap, int quality, std::string &bytes)
{
    Record() = JpegErrorRecord{};
    Encoded encoded;
    char message[JMSG_LENGTH_MAX] = "";
    Encode(bitmap, quality, encoded, message);
    switch (encoded.stage) {
    case EncodeStage::Start:
        RecordFailure("Biblioteca IJL nu poate fi initializata: " + std::to_string(encoded.status),
                      message);
        break;
    case EncodeStage::Encode:
        RecordFailure("Imposibil de salvat " + std::to_string(encoded.status), message);
        break;
    case EncodeStage::Done:
        bytes.assign(reinterpret_cast<const char *>(encoded.bytes), encoded.size);
        break;
    }
    std::free(encoded.bytes);
    return encoded.stage == EncodeStage::Done;
}

bool SaveJpeg(const cDIBSection &bitmap, const std::string &path, int quality)
{
    std::string bytes;
    if (!EncodeJpeg(bitmap, quality, bytes))
        return false;
    if (const std::string failure = WriteFileAtomically(path, bytes, true); !failure.empty()) {
        RecordFailure("Imposibil de salvat " + failure, failure);
        return false;
    }
    return true;
}

const JpegErrorRecord &LastJpegError()
{
    return Record();
}

} // namespace zv
