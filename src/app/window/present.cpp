// What the window shows: the picture copied to the window's surface at its scale, the hint
// line, the inspector beside the picture, the key map over it, and the window saved as a PNG.
#include "app/window/front_end.hpp"
#include "app/window/key_overlay.hpp"
#include "sim/files/png_file.hpp"
#include "sim/frontend/key_help.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/record/screenshot.hpp"
#include <algorithm>
#include <cstring>
#include <ctime>
#include <iostream>

namespace ql {

namespace {

// Copies an area of the picture into the window's surface, each pixel a square of scale x
// scale: whole pixels only, never smoothed.
void copy_to_surface(SDL_Surface* surface, const RgbImage& picture, const PictureArea& area,
                     int scale, int ox, int oy) {
    const SDL_PixelFormat* format = surface->format;
    const int right = std::min(area.x + area.width, (surface->w - ox) / scale);
    const int bottom = std::min(area.y + area.height, (surface->h - oy) / scale);
    if (right <= area.x || bottom <= area.y) return; // wholly outside a small window
    if (format->BytesPerPixel != 4 || format->palette != nullptr) {
        for (int y = area.y; y < bottom; ++y)
            for (int x = area.x; x < right; ++x) {
                const Rgb c = picture.at(x, y);
                SDL_Rect square{ox + x * scale, oy + y * scale, scale, scale};
                SDL_FillRect(surface, &square, SDL_MapRGB(format, c.r, c.g, c.b));
            }
        return;
    }
    const bool lock = SDL_MUSTLOCK(surface);
    if (lock && SDL_LockSurface(surface) != 0) return;
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    // What SDL_MapRGB does for a format without a palette, once a pixel instead of a call.
    const std::uint32_t r_loss = format->Rloss, g_loss = format->Gloss, b_loss = format->Bloss;
    const std::uint32_t r_shift = format->Rshift, g_shift = format->Gshift;
    const std::uint32_t b_shift = format->Bshift, alpha = format->Amask;
    for (int y = area.y; y < bottom; ++y) {
        auto* first_row =
            reinterpret_cast<std::uint32_t*>(pixels + (oy + y * scale) * surface->pitch);
        std::uint32_t* out = first_row + ox + area.x * scale;
        const std::uint8_t* in =
            &picture.rgb[static_cast<std::size_t>(y * picture.width + area.x) * 3];
        for (int x = area.x; x < right; ++x, in += 3) {
            const std::uint32_t value = static_cast<std::uint32_t>(in[0] >> r_loss) << r_shift |
                                        static_cast<std::uint32_t>(in[1] >> g_loss) << g_shift |
                                        static_cast<std::uint32_t>(in[2] >> b_loss) << b_shift |
                                        alpha;
            for (int i = 0; i < scale; ++i)
                *out++ = value;
        }
        const std::size_t bytes =
            static_cast<std::size_t>(right - area.x) * static_cast<std::size_t>(scale) * 4;
        for (int i = 1; i < scale; ++i)
            std::memcpy(pixels + (oy + y * scale + i) * surface->pitch + (ox + area.x * scale) * 4,
                        first_row + ox + area.x * scale, bytes);
    }
    if (lock) SDL_UnlockSurface(surface);
}

} // namespace

// Shows what changed in the picture since it was last shown; nothing when nothing did.
void WindowFrontEnd::present() {
    if (help_shown_) return; // the key map stays until a key closes it
    const HintText hint = hint_.text(wall_ms(), clock_view());
    if (hint_ready_ && hint != hint_drawn_) hint_stale_ = true;
    if (!shell_.picture.stale(shell_.dev) && shell_.picture.changes().empty() && !hint_stale_)
        return;
    const RgbImage& picture = shell_picture(shell_);
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const int scale = scale_;
    std::vector<SDL_Rect> rects;
    for (const PictureArea& area : shell_.picture.changes()) {
        copy_to_surface(surface, picture, area, scale, ox_, oy_);
        rects.push_back(
            {ox_ + area.x * scale, oy_ + area.y * scale, area.width * scale, area.height * scale});
        const SDL_Rect drawn{area.x, area.y, area.width, area.height};
        if (hint_ready_ && SDL_HasIntersection(&drawn, &KEY_HINT_AREA)) hint_stale_ = true;
    }
    shell_.picture.changes_shown();
    if (hint_stale_ && hint_ready_) draw_hint(surface, hint, rects);
    show_rects(rects);
}

// Shows the rectangles drawn on the window's surface, each cut to the window: X refuses
// a picture that reaches past it (BadValue), which would end the program.
void WindowFrontEnd::show_rects(std::vector<SDL_Rect>& rects) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const SDL_Rect whole{0, 0, surface->w, surface->h};
    std::vector<SDL_Rect> inside;
    for (const SDL_Rect& r : rects) {
        SDL_Rect cut;
        if (SDL_IntersectRect(&r, &whole, &cut) == SDL_TRUE) inside.push_back(cut);
    }
    rects.clear();
    if (!inside.empty())
        SDL_UpdateWindowSurfaceRects(window_, inside.data(), static_cast<int>(inside.size()));
}

void WindowFrontEnd::show_whole() {
    if (SDL_GetWindowSurface(window_) != nullptr) SDL_UpdateWindowSurface(window_);
}

// A resized window shows the picture (and the inspector beside it) at the largest whole
// scale that fits, centred on the window's background.
void WindowFrontEnd::fit_to_window() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const int width = content_width();
    scale_ = std::max(1, std::min(surface->w / width, surface->h / WINDOW_HEIGHT));
    ox_ = std::max(0, (surface->w - width * scale_) / 2);
    oy_ = std::max(0, (surface->h - WINDOW_HEIGHT * scale_) / 2);
    SDL_FillRect(
        surface, nullptr,
        SDL_MapRGB(surface->format, WINDOW_BACKGROUND.r, WINDOW_BACKGROUND.g, WINDOW_BACKGROUND.b));
    if (inspector_) open_inspector();
    inspector_panel_.invalidate();
    hint_stale_ = true;
}

// The window manager is asked to keep the window at least as large as the picture at
// scale 1, with the inspector when it is shown. It may not: every drawing is clipped to
// the window as it is.
void WindowFrontEnd::set_minimum_size() {
    SDL_SetWindowMinimumSize(window_, content_width(), WINDOW_HEIGHT);
}

// The hint line, drawn again when its text changed or the picture was drawn over it.
void WindowFrontEnd::draw_hint(SDL_Surface* surface, const HintText& hint,
                               std::vector<SDL_Rect>& rects) {
    hint_stale_ = false;
    hint_drawn_ = hint;
    if (hint_failed_) return;
    std::string error;
    if (!draw_key_hint(surface, hint, scale_, ox_, oy_, rects, error)) {
        std::cerr << "ql730-sim: no key hint: " << error << '\n';
        hint_failed_ = true;
    }
}

// The inspector's font at the window's scale; without it the inspector is closed.
bool WindowFrontEnd::open_inspector() {
    std::string error;
    if (inspector_panel_.open(scale_, error)) return true;
    std::cerr << "ql730-sim: no inspector: " << error << '\n';
    inspector_ = false;
    return false;
}

// I shows or hides the inspector: the window grows or shrinks by its width, and the
// resize repaints it.
void WindowFrontEnd::toggle_inspector() {
    if (!inspector_) {
        inspector_ = true;
        if (!open_inspector()) return;
    } else {
        inspector_ = false;
        inspector_panel_.close();
    }
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int change = INSPECTOR_WIDTH * scale_;
    // SDL keeps the size at or above the minimum: the minimum goes down before the
    // window shrinks and up after it grows.
    if (!inspector_) set_minimum_size();
    SDL_SetWindowSize(window_, inspector_ ? w + change : std::max(1, w - change), h);
    if (inspector_) set_minimum_size();
    fit_to_window();
    shell_paint(shell_);
    present();
    show_whole();
}

// Redraws the inspector's lines that changed. It has no timer of its own: it is looked at
// whenever the window wakes for another reason.
void WindowFrontEnd::update_inspector() {
    if (!inspector_ || help_shown_) return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const SDL_Rect area{ox_ + WINDOW_WIDTH * scale_, oy_, INSPECTOR_WIDTH * scale_,
                        WINDOW_HEIGHT * scale_};
    std::vector<SDL_Rect> rects;
    inspector_panel_.draw(
        surface, area,
        inspector_lines(shell_, clock_view(),
                        options_.receiver == nullptr ? nullptr : &options_.receiver->view()),
        rects);
    show_rects(rects);
}

void WindowFrontEnd::show_help() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    std::string error;
    if (!draw_key_overlay(surface, KEY_HELP, scale_, error)) {
        std::cerr << "ql730-sim: cannot show the key map: " << error << '\n';
        help_shown_ = false;
        return;
    }
    help_shown_ = true;
    show_whole();
}

void WindowFrontEnd::hide_help() {
    help_shown_ = false;
    fit_to_window(); // the key map covered the margins, the hint and the inspector too
    shell_.picture.redraw_all();
    present();
    update_inspector();
}

// F12 saves the window as shown, at its scale; Shift+F12 only the LCD, one pixel a dot;
// both into the current folder.
void WindowFrontEnd::screenshot(bool lcd_only) {
    std::string error;
    const std::filesystem::path path =
        lcd_only || scale_ == 1 ? save_screenshot(shell_, lcd_only, ".", std::time(nullptr), error)
                                : save_scaled_window();
    if (path.empty())
        std::cerr << "ql730-sim: screenshot not saved: " << error << '\n';
    else
        std::cout << "saved " << path.filename().string() << std::endl;
}

// The window at its scale, named as the F12 screenshots are.
std::filesystem::path WindowFrontEnd::save_scaled_window() {
    std::string error;
    const std::filesystem::path path =
        save_screenshot(shell_, false, ".", std::time(nullptr), error);
    if (path.empty()) return path;
    if (!write_png(path, scaled_picture(shell_picture(shell_), scale_), error)) {
        std::cerr << "ql730-sim: " << error << '\n';
        return {};
    }
    return path;
}

} // namespace ql
