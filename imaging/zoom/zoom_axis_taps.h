// The taps of the destination positions along a growing axis, worked out when asked for.
#pragma once

namespace imaging {

/// The taps of one destination position at a time along an axis. Destination rows are read one
/// after another, so keeping the position last asked for does the work of a table of every row,
/// whose size would grow with the print's height. The taps are those a table would hold: `calc`
/// depends on nothing but the position and the two sizes.
template <class Param>
class ZoomAxisTaps {
  public:
    using Calc = void (*)(Param& param, int position, int sourceSize, int destinationSize);

    void open(Calc calc, int sourceSize, int destinationSize) {
        calc_ = calc;
        sourceSize_ = sourceSize;
        destinationSize_ = destinationSize;
        position_ = kNoPosition;
    }

    void release() { open(nullptr, 0, 0); }

    /// The taps of destination position `j` of an open axis; the reference stays valid until
    /// another position is asked for.
    const Param& operator[](int j) const {
        if (j != position_) {
            calc_(taps_, j, sourceSize_, destinationSize_);
            position_ = j;
        }
        return taps_;
    }

  private:
    static constexpr int kNoPosition = -1;

    Calc calc_ = nullptr;
    int sourceSize_ = 0;
    int destinationSize_ = 0;
    // The last position asked for and its taps: a cache, not part of the axis's value.
    mutable int position_ = kNoPosition;
    mutable Param taps_{};
};

}  // namespace imaging
