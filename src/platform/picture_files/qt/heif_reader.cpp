#include "platform/picture_files/qt/heif_reader.h"

#include "platform/picture_files/decode_budget.h"

#include <libheif/heif.h>

#include <memory>

namespace tessaloom {

namespace {

template <auto release>
struct Releaser {
    template <typename T>
    void operator()(T* object) const
    {
        release(object);
    }
};
template <typename T, auto release>
using Held = std::unique_ptr<T, Releaser<release>>;

// libheif reads through the device the decoder was given, which ends where the picture does.
heif_reader deviceReader()
{
    heif_reader reader{};
    reader.reader_api_version = 1;
    reader.get_position = [](void* device) -> std::int64_t { return static_cast<QIODevice*>(device)->pos(); };
    reader.read = [](void* into, std::size_t size, void* device) -> int {
        return static_cast<QIODevice*>(device)->read(static_cast<char*>(into), qint64(size)) == qint64(size) ? 0 : -1;
    };
    reader.seek = [](std::int64_t position, void* device) -> int {
        return static_cast<QIODevice*>(device)->seek(position) ? 0 : -1;
    };
    reader.wait_for_file_size = [](std::int64_t size, void* device) {
        return size <= static_cast<QIODevice*>(device)->size() ? heif_reader_grow_status_size_reached
                                                               : heif_reader_grow_status_size_beyond_eof;
    };
    return reader;
}

} // namespace

QImage readHeif(QIODevice& file, QSize box)
{
    // Registers the decoders built into libheif, once for every thread.
    static const bool initialised = heif_init(nullptr).code == heif_error_Ok;
    if (!initialised)
        return {};
    const Held<heif_context, heif_context_free> context(heif_context_alloc());
    heif_context_set_maximum_image_size_limit(context.get(), kHeifLongestSide);
    static const heif_reader reader = deviceReader();
    heif_image_handle* primary = nullptr;
    if (heif_context_read_from_reader(context.get(), &reader, &file, nullptr).code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return {};
    const Held<heif_image_handle, heif_image_handle_release> handle(primary);
    const Held<heif_decoding_options, heif_decoding_options_free> options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, options.get())
            .code != heif_error_Ok)
        return {};
    const Held<heif_image, heif_image_release> image(decoded);
    int stride = 0;
    const std::uint8_t* pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels)
        return {};
    // Wrapped where libheif holds it; what is returned is a copy of its own.
    const QImage picture(pixels, heif_image_get_width(image.get(), heif_channel_interleaved),
                         heif_image_get_height(image.get(), heif_channel_interleaved), stride,
                         heif_image_handle_has_alpha_channel(handle.get()) ? QImage::Format_RGBA8888
                                                                           : QImage::Format_RGBX8888);
    QImage scaled = box.isEmpty() ? picture : picture.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.constBits() == picture.constBits())
        scaled = picture.copy();
    return scaled;
}

} // namespace tessaloom
