#include "unzip/decoders/SlideWindow.h"

#include <cstring>

namespace qz::unzip {

SlideWindow::SlideWindow(std::uint8_t* slide, PieceWriter& out) : slide_(slide), out_(out) {
    std::memset(slide_, 0, kWindowSize);
}

void SlideWindow::copy(std::size_t distance, std::size_t length) {
    std::size_t from = (pos_ - distance) & (kWindowSize - 1);
    for (; length > 0; --length) {
        put(slide_[from]);
        from = (from + 1) & (kWindowSize - 1);
    }
}

// The ring is full: its bytes go out and it starts again from the front,
// still holding them as history.
void SlideWindow::wrap() {
    out_.put(slide_, kWindowSize);
    pos_ = 0;
}

} // namespace qz::unzip
