#pragma once

#include <optional>

namespace padrix {

/// The integer nearest to x, halves to the even neighbour.
int nearest(double x);

/// The arithmetic of the vertical scroll bar, kept apart from any widget. H is the bar's
/// height in pixels; the arrows take the top and bottom 22 rows of the track.
namespace scroll {

/// The thumb's height: 20 pixels, or what is left between the arrows on a bar too short
/// for that (0 when nothing is left: no thumb is drawn).
int thumbHeightFor(int height);

/// The thumb's top for a value, without the clamp; nothing when the range is empty.
std::optional<int> thumbTopFor(int value, int min, int max, int height, int thumbHeight,
                               double offset = 0);

/// The thumb's top kept between the arrows: at least 22, at most H - thumb height - 22.
int clampThumbTop(int top, int height, int thumbHeight);

/// Where a drag with the pointer at y puts the thumb and the value.
struct DragStep {
    int thumbTop = 0;
    int value = 0;
};
DragStep dragTo(double y, int height, int thumbHeight, int min, int max);

/// The limits and steps of the value.
struct Range {
    int value = 0;
    int min = 0;
    int max = 100;
    int largeChange = 5;
    int smallChange = 1;
};

/// One tick of a held button outside the thumb.
struct RepeatStep {
    bool idle = false;      // the click lies in the dead zone around the thumb
    int value = 0;          // the value after the step, clamped
    double offset = 0;      // the thumb offset for positioning
    bool pagedDown = false; // the step paged down
};
RepeatStep repeatStep(int clickY, int thumbTop, int thumbHeight, int height, const Range& range);

} // namespace scroll

} // namespace padrix
