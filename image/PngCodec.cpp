#include "image/PngCodec.h"

#include <cstring>

#include "base/GlobalException.h"

CPngCodec::CPngCodec(Direction direction) : m_direction(direction) {
    m_png = direction == Direction::kRead
                ? png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning)
                : png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
    if (m_png != nullptr) {
        m_info = png_create_info_struct(m_png);
    }
    if (m_info == nullptr) {
        Release();
        TL_THROW(kErrImage, 179);
    }
}

CPngCodec::~CPngCodec() {
    Release();
}

void CPngCodec::Release() {
    if (m_png == nullptr) {
        return;
    }
    png_infop* info = m_info != nullptr ? &m_info : nullptr;
    if (m_direction == Direction::kRead) {
        png_destroy_read_struct(&m_png, info, nullptr);
    } else {
        png_destroy_write_struct(&m_png, info);
    }
    m_png = nullptr;
    m_info = nullptr;
}

std::size_t CPngCodec::Length(const char* text) {
    return std::strlen(text);
}

void CPngCodec::OnError(png_structp png, png_const_charp reason) {
    auto& codec = *static_cast<CPngCodec*>(png_get_error_ptr(png));
    std::strncpy(codec.m_reason.data(), reason != nullptr ? reason : "", codec.m_reason.size() - 1);
    // Jumping back to Run here, rather than returning, keeps libpng from printing the reason.
    png_longjmp(png, 1);
}

void CPngCodec::OnWarning(png_structp, png_const_charp) {
    // Everything that matters is an error here (benign errors and every CRC included), so a
    // warning is only about chunks we ignore anyway.
}
