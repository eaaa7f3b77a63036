#pragma once

#include <png.h>

#include <array>
#include <csetjmp>
#include <exception>
#include <string>

// One libpng read or write struct with its info struct, and the bridge between libpng's way of
// failing and ours. libpng reports an error by calling our error function and then jumping back
// to the last setjmp; Run makes that point, so a failure inside a libpng call comes back as a
// thrown CGeneralException (or as the exception one of our callbacks kept) instead of an abort.
//
// A jump skips the frames it leaves without destroying anything in them: the step given to Run
// makes libpng calls only and owns nothing, and callbacks catch their own exceptions, keep them
// with Keep and call png_error outside their catch blocks.
class CPngCodec {
public:
    enum class Direction { kRead, kWrite };

    explicit CPngCodec(Direction direction);
    CPngCodec(const CPngCodec&) = delete;
    CPngCodec& operator=(const CPngCodec&) = delete;
    ~CPngCodec();

    png_structp Png() const { return m_png; }
    png_infop Info() const { return m_info; }

    // Runs `step`; when libpng fails inside it, rethrows the exception a callback kept, or else
    // calls `fail` with libpng's reason (it must throw).
    template <typename Step, typename Fail>
    void Run(Step&& step, Fail&& fail) {
        if (!Attempt(step)) {
            if (m_kept) {
                std::rethrow_exception(m_kept);
            }
            fail(std::u16string(m_reason.data(), m_reason.data() + Length(m_reason.data())));
        }
    }
    // For callbacks: the exception to rethrow once libpng has given up.
    void Keep(std::exception_ptr failure) { m_kept = std::move(failure); }

private:
    template <typename Step>
    bool Attempt(Step& step) {
        if (setjmp(png_jmpbuf(m_png)) != 0) {
            return false;
        }
        step();
        return true;
    }
    // Frees the structs; run by the destructor and by a constructor that fails half-way.
    void Release();
    static std::size_t Length(const char* text);
    [[noreturn]] static void OnError(png_structp png, png_const_charp reason);
    static void OnWarning(png_structp png, png_const_charp reason);

    Direction m_direction;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    // libpng's reason for the last failure, cut to fit; its texts are plain ASCII.
    std::array<char, 160> m_reason{};
    std::exception_ptr m_kept;
};
