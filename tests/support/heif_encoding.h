#pragma once

// HEIC and AVIF files made by libheif's encoders, which Debian's libheif carries.
#include <QByteArray>
#include <QImage>

#include <libheif/heif.h>

#include <algorithm>
#include <cstdint>
#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace tessaloom::testing {

// Encoded by libheif, with the EXIF orientation's turns as HEIF properties.
inline QByteArray heifEncoded(const QImage& picture, heif_compression_format coding, int orientation = 1)
{
#ifdef __SANITIZE_ADDRESS__
    // The HEVC encoder (x265) leaves buffers behind; they are not the program's leaks.
    const __lsan::ScopedDisabler notCounted;
#endif
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), rgb.width() * 3, plane + y * stride);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, coding, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    if (coding == heif_compression_HEVC)
        heif_encoder_set_parameter_string(encoder, "preset", "ultrafast"); // a large picture in seconds
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    heif_context_encode_image(context, image, encoder, options, nullptr);
    QByteArray bytes;
    heif_writer writer{1, [](heif_context*, const void* data, std::size_t size, void* into) {
                           static_cast<QByteArray*>(into)->append(static_cast<const char*>(data), qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    heif_context_write(context, &writer, &bytes);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_context_free(context);
    heif_image_release(image);
    return bytes;
}

} // namespace tessaloom::testing
